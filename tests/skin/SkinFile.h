// A skin bitmap file read back for the tests: its header fields and its pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SkinFile {
    std::vector<uint8_t> bytes;
    int32_t width = 0, height = 0;  // height as stored: positive for bottom-up rows
    int bitsPerPixel = 0;
    uint32_t infoSize = 0, compression = 0, paletteCount = 0, pixelOffset = 0, fileSize = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows from the top

    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Reads a plain 8- or 24-bit BITMAPINFOHEADER file; an empty SkinFile (width 0) when it cannot.
SkinFile readSkinFile(const std::string& path);
std::string skinPath(const std::string& folder, int id);

// Perceived brightness, 0..255.
inline double luminance(uint32_t rgb) {
    return 0.299 * (rgb >> 16 & 0xff) + 0.587 * (rgb >> 8 & 0xff) + 0.114 * (rgb & 0xff);
}
