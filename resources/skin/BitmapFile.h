// Plain Windows bitmap files: BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up rows padded to four
// bytes, as LoadBitmap and the soft backend's reader take them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SkinCanvas.h"

namespace skin {

// 24 bits per pixel from an opaque canvas.
std::vector<uint8_t> encodeBitmap24(const Canvas& canvas);

// 8 bits per pixel: palette entries 0x00RRGGBB (all of them are written, biClrUsed says how
// many) and one palette index per pixel, rows top to bottom.
std::vector<uint8_t> encodeBitmap8(int width, int height, const std::vector<uint32_t>& palette,
                                   const std::vector<uint8_t>& indices);

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace skin
