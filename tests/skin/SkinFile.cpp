#include "SkinFile.h"

#include <cstdio>

namespace {

uint32_t read16(const uint8_t* at) { return at[0] | at[1] << 8; }
uint32_t read32(const uint8_t* at) { return at[0] | at[1] << 8 | at[2] << 16 | uint32_t(at[3]) << 24; }

}  // namespace

std::string skinPath(const std::string& folder, int id) { return folder + "/" + std::to_string(id) + ".bmp"; }

SkinFile readSkinFile(const std::string& path) {
    SkinFile file;
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return file;
    uint8_t buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) file.bytes.insert(file.bytes.end(), buffer, buffer + count);
    std::fclose(in);
    const std::vector<uint8_t>& b = file.bytes;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return SkinFile{};
    file.fileSize = read32(&b[2]);
    file.pixelOffset = read32(&b[10]);
    file.infoSize = read32(&b[14]);
    const int32_t width = int32_t(read32(&b[18]));
    const int32_t height = int32_t(read32(&b[22]));
    file.bitsPerPixel = int(read16(&b[28]));
    file.compression = read32(&b[30]);
    file.paletteCount = read32(&b[46]);
    if (width <= 0 || height <= 0 || (file.bitsPerPixel != 8 && file.bitsPerPixel != 24)) return file;
    const size_t stride = (size_t(width) * file.bitsPerPixel + 31) / 32 * 4;
    if (file.pixelOffset + stride * height > b.size() || 54 + file.paletteCount * 4 > b.size()) return file;
    file.width = width;
    file.height = height;
    file.pixels.resize(size_t(width) * height);
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* line = &b[file.pixelOffset + stride * (height - 1 - row)];
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* p = file.bitsPerPixel == 24 ? line + 3 * x : &b[54 + 4 * line[x]];
            file.pixels[size_t(row) * width + x] = uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
        }
    }
    return file;
}
