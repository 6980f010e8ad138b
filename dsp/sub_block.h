// The per-sample values that pass from one step of the render loop to the next, for up to
// kSubBlock samples. Steps without feedback run four (or eight) samples at once over these
// arrays; their lanes past the sub-block's end hold zeros.
#pragma once

#include <cstdint>

constexpr int32_t kSubBlock = 64;

struct alignas(16) SubBlock {
    float x[kSubBlock];  // mono input at the loop's scale
    float azimuth[kSubBlock];  // smoothed, -1..1
    float elevation[kSubBlock];  // limited to 0..1 by weighBands
    float front[kSubBlock];  // the position tables' weights
    float rear[kSubBlock];
    float lateralWeight[kSubBlock];  // negative to the left
    float away[kSubBlock];  // 1 - front, from weighBands on
    float lateral[kSubBlock];  // 0.7 * lateralWeight, from weighBands on
    float bands[kSubBlock][8];  // band 1..7 outputs of each sample; the eighth lane is 0
    float channels[kSubBlock][2];  // L, R after lateral weighting and rear colouring
    float cut[kSubBlock][4];  // elevation cut sections: left A, right A, left B, right B
    float toDelay[2][kSubBlock];  // L, R entering the interaural delay lines
    int32_t itdTarget[2][kSubBlock];
    float delayed[2][kSubBlock];
    float out[2][kSubBlock];  // after the reflections, at the loop's scale
};

// Lanes the four-at-once steps cover.
inline int32_t lanesFor(int32_t count) {
    return (count + 3) & ~3;
}
