// The direct path: seven lateral bands, rear colouring, elevation cut, cross-cancellation,
// elevation gain and interaural delay. Steps with feedback run sample by sample (the seven band
// sections side by side in the lanes of two vectors, the four cut sections in one); the others
// run four samples at once. Every lane does exactly the single-precision arithmetic of the
// scalar step, in the same order.
#pragma once

#include <emmintrin.h>

#include <cstdint>

#include "dsp/sections.h"
#include "dsp/spatialiser_state.h"
#include "dsp/sub_block.h"

// The block's working copy of the direct path. The bands and the cut run in the render loop beside
// the oscillators (stepBands, stepCut), so that the recursions overlap.
struct DirectPath {
    BandSections bands;
    // Lateral weight of each band per channel; both rows are the same in the full stereo field.
    __m128 leftWeight[kBandCount], rightWeight[kBandCount];
    CutSections cut;
    bool fullField;
    float itdSpan;
    float* itdLine[2];
    int32_t itdWriteIndex[2];
    int32_t itdLength[2];
};

DirectPath startDirectPath(SpatialiserState& state);
void storeDirectPath(const DirectPath& path, SpatialiserState& state);

// bands, lateralWeight, front, rear, azimuth -> lateral, away and channels, four samples at once;
// limits the elevation.
void weighBands(const DirectPath& path, SubBlock& block, int32_t count);
// channels -> cut, sample by sample, for samples begin..end-1.
void runElevationCut(DirectPath& path, SubBlock& block, int32_t begin, int32_t end);
// channels, cut, elevation, away -> toDelay and itdTarget, four samples at once.
void mixChannels(const DirectPath& path, SubBlock& block, int32_t count);
// toDelay -> delayed, sample by sample.
void runInterauralDelay(DirectPath& path, SubBlock& block, int32_t count);
