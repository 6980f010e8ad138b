// One recorded call as text, e.g. "setProgram(5)" or "getParameterName(3, 0x7ffd...)", so that a
// test can compare what an operation received with what it expected in one readable string.
#pragma once

#include <cstdio>
#include <string>
#include <type_traits>

template <typename T>
std::string argumentText(T value) {
    char text[48];
    if constexpr (std::is_same_v<T, bool>) {
        return value ? "true" : "false";
    } else if constexpr (std::is_floating_point_v<T>) {
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    } else if constexpr (std::is_pointer_v<T> || std::is_null_pointer_v<T>) {
        std::snprintf(text, sizeof text, "ptr:%p", static_cast<const void*>(value));
    } else {
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    }
    return text;
}

template <typename... Arguments>
std::string callText(const char* operation, Arguments... arguments) {
    std::string text = std::string(operation) + "(";
    [[maybe_unused]] const char* separator = "";
    ((text += separator + argumentText(arguments), separator = ", "), ...);
    return text + ")";
}
