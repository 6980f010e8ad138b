// Float-to-integer conversion with a defined result for every input: a plain cast of NaN or of a
// value outside the integer range is undefined behaviour, and hosts do send such values.
#pragma once

#include <cmath>
#include <cstdint>

// Truncates toward zero; NaN gives 0, values beyond the range give its nearest end.
inline int32_t truncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}
