// Bounded text formatting shared by the host texts and the value converters.
#pragma once

#include <cstddef>

// snprintf into `text` of `capacity` bytes, cut to fit. A non-finite `value` is written as "nan",
// "inf" or "-inf" whatever the format, so that every C runtime gives the same text.
void formatFixed(char* text, size_t capacity, const char* format, double value);
