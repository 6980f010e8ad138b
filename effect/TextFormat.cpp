#include "effect/TextFormat.h"

#include <cmath>
#include <cstdio>

void formatFixed(char* text, size_t capacity, const char* format, double value) {
    if (std::isnan(value))
        std::snprintf(text, capacity, "nan");
    else if (std::isinf(value))
        std::snprintf(text, capacity, value < 0 ? "-inf" : "inf");
    else
        std::snprintf(text, capacity, format, value);
}
