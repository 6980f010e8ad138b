// The whole skin in memory: the 28 bitmaps by resource id.
#pragma once

#include <map>
#include <memory>

#include "Pieces.h"

namespace skin {

struct Skin {
    std::map<int, std::unique_ptr<Canvas>> bitmaps;  // 101..128 except 104
    PalettedImage icon;                              // 104
    const Canvas& operator[](int id) const { return *bitmaps.at(id); }
};

Skin paintSkin();

// The contact sheet: every bitmap at twice its size with its id, and the panel with the
// controls' rectangles drawn in.
void writeContactSheet(const Skin& skin, const char* path);
// The panel as the editor would show it: every control's bitmap at its rectangle, with values.
void writeMock(const Skin& skin, const char* path);

}  // namespace skin
