#include "effect/HostText.h"

#include <cstring>

#include "effect/TextFormat.h"

void copyHostText(char* text, const char* source) {
    std::strncpy(text, source, kHostTextLength);
    text[kHostTextLength] = '\0';
}

void formatParameterValue(float value, char* text) {
    char full[64];  // "%2.5f" of any float fits
    formatFixed(full, sizeof full, "%2.5f", value);
    const char* point = std::strchr(full, '.');
    const bool integerPartFits = !point || point - full <= static_cast<std::ptrdiff_t>(kHostTextLength);
    copyHostText(text, integerPartFits ? full : " Huge!  ");
}
