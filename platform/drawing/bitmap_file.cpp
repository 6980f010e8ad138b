#include "platform/drawing/bitmap_file.h"

#include "platform/drawing/objects.h"

#include <cstdint>
#include <cstdlib>

namespace platform::soft {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; the V4 and V5 headers extend it
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;  // 32-bit files written with the standard masks
constexpr int64_t kLargestSide = 1 << 15;

uint32_t read16(const unsigned char* at) { return at[0] | at[1] << 8; }
uint32_t read32(const unsigned char* at) { return at[0] | at[1] << 8 | at[2] << 16 | uint32_t(at[3]) << 24; }

Colour fromBlueGreenRed(const unsigned char* at) { return makeColour(at[2], at[1], at[0]); }

}  // namespace

Surface* decodeBitmapFile(const unsigned char* data, size_t size) {
    if (!data || size < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') return nullptr;
    const uint64_t pixelOffset = read32(data + 10);
    const unsigned char* info = data + kFileHeaderSize;
    const uint64_t infoSize = read32(info);
    const int64_t width = static_cast<int32_t>(read32(info + 4));
    const int64_t signedHeight = static_cast<int32_t>(read32(info + 8));
    const uint32_t planes = read16(info + 12);
    const uint32_t bitsPerPixel = read16(info + 14);
    const uint32_t compression = read32(info + 16);
    uint64_t paletteSize = read32(info + 32);

    const int64_t height = std::llabs(signedHeight);
    const bool topDown = signedHeight < 0;
    const bool palettised = bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8;
    if (infoSize < kInfoHeaderSize || planes != 1 || width <= 0 || height == 0 || width > kLargestSide ||
        height > kLargestSide)
        return nullptr;
    if (!palettised && bitsPerPixel != 24 && bitsPerPixel != 32) return nullptr;
    if (compression != kCompressionNone && !(compression == kCompressionBitFields && bitsPerPixel == 32))
        return nullptr;

    const unsigned char* palette = info + infoSize;
    if (palettised) {
        if (paletteSize == 0 || paletteSize > (1u << bitsPerPixel)) paletteSize = 1u << bitsPerPixel;
        if (kFileHeaderSize + infoSize + paletteSize * 4 > size) return nullptr;
    }
    const uint64_t stride = ((uint64_t(width) * bitsPerPixel + 31) / 32) * 4;
    if (pixelOffset > size || stride * height > size - pixelOffset) return nullptr;

    Surface* surface = newSurface(int(width), int(height), false, 0);
    if (!surface) return nullptr;
    for (int64_t row = 0; row < height; ++row) {
        const unsigned char* line = data + pixelOffset + stride * row;
        const int64_t y = topDown ? row : height - 1 - row;
        for (int64_t x = 0; x < width; ++x) {
            Colour colour;
            if (palettised) {
                const uint64_t bit = uint64_t(x) * bitsPerPixel;
                const uint32_t shift = 8 - bitsPerPixel - bit % 8;
                const uint32_t index = (line[bit / 8] >> shift) & ((1u << bitsPerPixel) - 1);
                colour = index < paletteSize ? fromBlueGreenRed(palette + index * 4) : 0;
            } else {
                colour = fromBlueGreenRed(line + x * (bitsPerPixel / 8));
            }
            surface->at(int(x), int(y)) = colour;
        }
    }
    return surface;
}

}  // namespace platform::soft
