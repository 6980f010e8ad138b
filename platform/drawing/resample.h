// Resampling of 32-bit pixels (three 8-bit channels and an unused top byte), shared by every
// backend: a bitmap of the double-size skin drawn at scales between and above 100 % and 200 %.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// `source` is sourceWidth x sourceHeight, row-major; the result is width x height. Each axis on
// its own: where it shrinks, every pixel is the average of the source area it covers (weighted
// by the part of each source pixel inside it); where it grows, bilinear between the two nearest
// source pixel centres, the edges held; a whole multiple repeats each pixel. The same size copies.
// With a key (the colour a keyed blit leaves out), key pixels give no colour to their
// neighbours: a pixel is the key where key pixels carry most of its weight, else the average of
// the others, so a keyed edge stays clean instead of fading into the key.
std::vector<uint32_t> resamplePixels(const uint32_t* source, int sourceWidth, int sourceHeight, int width, int height,
                                     const uint32_t* key = nullptr);

}  // namespace platform
