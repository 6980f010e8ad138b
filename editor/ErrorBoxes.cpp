#include "editor/ErrorBoxes.h"

#include <cstdarg>
#include <cstdio>

#include "platform/platform.h"

void showErrorBox(const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    platform::showMessageBox(text, "Error");
}

void showErrorBoxes(const char* text, const std::exception* fault) {
    platform::showMessageBox(text, "Error");
    if (fault)
        platform::showMessageBox(fault->what(), "Error");
}
