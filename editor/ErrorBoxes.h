// A fault inside the effect or its editor never reaches the host: it ends in a modal message box titled "Error".
#pragma once

#include <exception>

// The text is formatted as printf does.
void showErrorBox(const char* format, ...);
// The box with `text`, then, for a standard exception, a second box with its message.
void showErrorBoxes(const char* text, const std::exception* fault);
