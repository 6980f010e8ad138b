// Colours of the toolkit: red, green, blue and a spare byte that never reaches the drawing layer.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct CGuiColor {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t spare;

    platform::Colour toPlatform() const { return platform::makeColour(red, green, blue); }
};

constexpr CGuiColor kWhiteColor = {255, 255, 255, 0};
constexpr CGuiColor kBlackColor = {0, 0, 0, 0};
constexpr CGuiColor kTransparentKeyColor = {255, 255, 255, 0};  // initial key of every bitmap
