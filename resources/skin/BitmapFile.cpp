#include "BitmapFile.h"

#include <cstdio>

namespace skin {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(value & 0xff);
    out.push_back((value >> 8) & 0xff);
}
void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

std::vector<uint8_t> headers(int width, int height, int bitsPerPixel, uint32_t paletteCount) {
    const uint32_t stride = (uint32_t(width) * bitsPerPixel + 31) / 32 * 4;
    const uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + paletteCount * 4;
    const uint32_t imageSize = stride * uint32_t(height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, pixelOffset + imageSize);
    put32(out, 0);  // reserved
    put32(out, pixelOffset);
    put32(out, kInfoHeaderSize);
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));  // positive: bottom-up
    put16(out, 1);                 // planes
    put16(out, uint32_t(bitsPerPixel));
    put32(out, 0);  // BI_RGB
    put32(out, imageSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, paletteCount);
    put32(out, 0);  // all colours important
    return out;
}

void padRow(std::vector<uint8_t>& out, size_t rowStart) {
    while ((out.size() - rowStart) % 4 != 0)
        out.push_back(0);
}

}  // namespace

std::vector<uint8_t> encodeBitmap24(const Canvas& canvas) {
    std::vector<uint8_t> out = headers(canvas.pixelWidth(), canvas.pixelHeight(), 24, 0);
    for (int y = canvas.pixelHeight() - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        for (int x = 0; x < canvas.pixelWidth(); ++x) {
            const uint32_t colour = canvas.pixel(x, y);
            out.push_back(colour & 0xff);
            out.push_back((colour >> 8) & 0xff);
            out.push_back((colour >> 16) & 0xff);
        }
        padRow(out, rowStart);
    }
    return out;
}

std::vector<uint8_t> encodeBitmap8(int width, int height, const std::vector<uint32_t>& palette,
                                   const std::vector<uint8_t>& indices) {
    std::vector<uint8_t> out = headers(width, height, 8, uint32_t(palette.size()));
    for (uint32_t colour : palette) {
        out.push_back(colour & 0xff);
        out.push_back((colour >> 8) & 0xff);
        out.push_back((colour >> 16) & 0xff);
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        for (int x = 0; x < width; ++x)
            out.push_back(indices[size_t(y) * width + x]);
        padRow(out, rowStart);
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace skin
