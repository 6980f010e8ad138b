// Texts the effect writes into host buffers for parameter names, labels and display values.
// Hosts reserve 8 characters plus the terminator for these; nothing longer is ever written.
#pragma once

#include <cstddef>

constexpr size_t kHostTextLength = 8;

// Copies at most kHostTextLength characters of `source` and terminates the text.
void copyHostText(char* text, const char* source);

// The value with "%2.5f", cut after 8 characters. A value whose integer part alone needs more
// than 8 characters shows as " Huge!  ", as the framework's float2string does.
void formatParameterValue(float value, char* text);
