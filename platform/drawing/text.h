// Measuring text, for backends that lay out windows of their own (menus, message boxes).
#pragma once

#include "platform/platform.h"

namespace platform::soft {

// The width in pixels of one line of `text` in `font`, as drawText places it; 0 for a font
// that is not live.
int measureText(Font* font, const char* text);

}  // namespace platform::soft
