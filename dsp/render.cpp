// The render loop, one step after the other over sub-blocks of up to 64 samples: mono input ->
// oscillators and position -> direct path (bands, lateral weighting and rear colouring,
// elevation cut, cross-cancellation, elevation gain, interaural delay) -> reflection network ->
// output. Everything is single precision in a fixed order, so every build gives the same bits.
#include <emmintrin.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "dsp/direct_path.h"
#include "dsp/instruction_set.h"
#include "dsp/oscillators.h"
#include "dsp/reflection_network.h"
#include "dsp/spatialiser.h"
#include "dsp/spatialiser_state.h"
#include "dsp/sub_block.h"

namespace {

constexpr float kInputScale = 16384.0f;   // the loop works at 16384 times full scale
constexpr float kDenormalGuard = 0.001f;  // added to every scaled input sample
constexpr float kOutputScale = 0.000030517578125f;  // 2^-15
constexpr float kOutputCeiling = 0.99996f;
constexpr float kOutputFloor = -1.0f;
constexpr float kSampleLimit = 1000.0f;  // keeps every intermediate value far from overflow

enum class OutputMode { accumulate, replace };

// Non-finite samples count as silence; finite ones are limited to +/-kSampleLimit.
float sanitised(float sample) {
    if (!(std::fabs(sample) <= kSampleLimit)) {
        sample = std::isfinite(sample) ? std::copysign(kSampleLimit, sample) : 0.0f;
    }
    return sample;
}

// Lanes beyond the limit, or not numbers.
__m128 outsideLimit(__m128 samples) {
    const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), samples);
    return _mm_cmpnle_ps(magnitude, _mm_set1_ps(kSampleLimit));
}

// True when all four samples are within the limit (and so finite).
bool plain(__m128 samples) {
    return _mm_movemask_ps(outsideLimit(samples)) == 0;
}

// Both inputs summed to one source signal at the loop's scale.
void monoInput(const float* input0, const float* input1, float* x, int32_t count) {
    int32_t n = 0;
    for (; n + 4 <= count; n += 4) {
        const __m128 a = _mm_loadu_ps(input0 + n);
        const __m128 b = _mm_loadu_ps(input1 + n);
        if (_mm_movemask_ps(_mm_or_ps(outsideLimit(a), outsideLimit(b))) == 0) {
            _mm_store_ps(x + n, _mm_add_ps(_mm_mul_ps(_mm_add_ps(a, b), _mm_set1_ps(kInputScale)),
                                           _mm_set1_ps(kDenormalGuard)));
            continue;
        }
        for (int32_t i = n; i < n + 4; ++i) x[i] = (sanitised(input0[i]) + sanitised(input1[i])) * kInputScale + kDenormalGuard;
    }
    for (; n < count; ++n) x[n] = (sanitised(input0[n]) + sanitised(input1[n])) * kInputScale + kDenormalGuard;
}

// monoInput eight samples at once, for the AVX2 build: the same arithmetic in each lane.
SPATIALISER_AVX2 void monoInputWide(const float* input0, const float* input1, float* x, int32_t count) {
    const __m256 magnitudeMask = _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff));
    const __m256 limit = _mm256_set1_ps(kSampleLimit);
    int32_t n = 0;
    for (; n + 8 <= count; n += 8) {
        const __m256 a = _mm256_loadu_ps(input0 + n);
        const __m256 b = _mm256_loadu_ps(input1 + n);
        const __m256 outside = _mm256_or_ps(_mm256_cmp_ps(_mm256_and_ps(a, magnitudeMask), limit, _CMP_NLE_US),
                                            _mm256_cmp_ps(_mm256_and_ps(b, magnitudeMask), limit, _CMP_NLE_US));
        if (_mm256_movemask_ps(outside) != 0) break;
        _mm256_storeu_ps(x + n, _mm256_add_ps(_mm256_mul_ps(_mm256_add_ps(a, b), _mm256_set1_ps(kInputScale)),
                                              _mm256_set1_ps(kDenormalGuard)));
    }
    monoInput(input0 + n, input1 + n, x + n, count - n);
}

template <OutputMode mode>
float outputSample(float existing, float value) {
    // Accumulating halves the existing content together with the new contribution.
    float result = mode == OutputMode::accumulate ? (sanitised(existing) + value * kOutputScale) * 0.5f
                                                  : value * kOutputScale;
    if (result > kOutputCeiling) result = kOutputCeiling;
    if (result < kOutputFloor) result = kOutputFloor;
    return result;
}

template <OutputMode mode>
void writeOutput(const float* values, float* output, int32_t count) {
    int32_t n = 0;
    for (; n + 4 <= count; n += 4) {
        __m128 result = _mm_mul_ps(_mm_load_ps(values + n), _mm_set1_ps(kOutputScale));
        if constexpr (mode == OutputMode::accumulate) {
            const __m128 existing = _mm_loadu_ps(output + n);
            if (!plain(existing)) {
                for (int32_t i = n; i < n + 4; ++i) output[i] = outputSample<mode>(output[i], values[i]);
                continue;
            }
            result = _mm_mul_ps(_mm_add_ps(existing, result), _mm_set1_ps(0.5f));
        }
        result = _mm_max_ps(_mm_min_ps(result, _mm_set1_ps(kOutputCeiling)), _mm_set1_ps(kOutputFloor));
        _mm_storeu_ps(output + n, result);
    }
    for (; n < count; ++n) output[n] = outputSample<mode>(output[n], values[n]);
}

// writeOutput for the replacing call eight samples at once, for the AVX2 build.
SPATIALISER_AVX2 void replaceOutputWide(const float* values, float* output, int32_t count) {
    int32_t n = 0;
    for (; n + 8 <= count; n += 8) {
        const __m256 result = _mm256_mul_ps(_mm256_loadu_ps(values + n), _mm256_set1_ps(kOutputScale));
        _mm256_storeu_ps(output + n, _mm256_max_ps(_mm256_min_ps(result, _mm256_set1_ps(kOutputCeiling)),
                                                   _mm256_set1_ps(kOutputFloor)));
    }
    writeOutput<OutputMode::replace>(values + n, output + n, count - n);
}

// Zeros in the lanes past the sub-block's end keep the four-at-once steps on plain numbers.
void clearTail(SubBlock& block, int32_t count) {
    for (int32_t n = count; n < lanesFor(count); ++n) {
        block.x[n] = block.azimuth[n] = block.elevation[n] = block.front[n] = block.rear[n] = block.lateralWeight[n] = 0.0f;
        for (float& band : block.bands[n]) band = 0.0f;
        for (float& section : block.cut[n]) section = 0.0f;
    }
}

// Sub-blocks of a call: of kSubBlock samples, but a call of 32 to kSubBlock samples runs as two
// halves so that it still has two passes to overlap (below that the overlap does not pay).
int32_t subBlockLength(int32_t sampleCount) {
    if (sampleCount > kSubBlock) return kSubBlock;
    if (sampleCount < 32) return sampleCount;
    return (sampleCount + 7) / 8 * 4;  // the first half a whole number of vectors
}

// The band sections of the loop's build: two vectors, or one wide one in the AVX2 build.
template <InstructionSet isa>
using BandsOf = std::conditional_t<isa == InstructionSet::avx2, WideBandSections, BandSections>;

// The passes after the elevation cut and the lateral weighting, each a function of its own in each
// build: inlined into the render loop they leave it fewer registers and it runs slower.
template <InstructionSet isa>
struct DirectPathPasses;

template <>
struct DirectPathPasses<InstructionSet::sse2> {
    [[gnu::noinline, gnu::flatten]] static void weigh(const DirectPath& path, SubBlock& block, int32_t count) {
        weighBands(path, block, count);
    }
    [[gnu::noinline, gnu::flatten]] static void cut(DirectPath& path, SubBlock& block, int32_t begin, int32_t end) {
        runElevationCut(path, block, begin, end);
    }
    [[gnu::noinline, gnu::flatten]] static void mix(const DirectPath& path, SubBlock& block, int32_t count) {
        mixChannels(path, block, count);
    }
    [[gnu::noinline, gnu::flatten]] static void delay(DirectPath& path, SubBlock& block, int32_t count) {
        runInterauralDelay(path, block, count);
    }
    template <ReflectionQuality quality>
    [[gnu::noinline, gnu::flatten]] static void reflect(const SubBlock& block, int32_t count, ReflectionNetwork& net,
                                                        float* outLeft, float* outRight) {
        reflectBlock<quality>(block.delayed[0], block.delayed[1], block.elevation, outLeft, outRight, count, net);
    }
};

template <>
struct DirectPathPasses<InstructionSet::avx2> {
    [[gnu::noinline, gnu::flatten]] SPATIALISER_AVX2 static void weigh(const DirectPath& path, SubBlock& block,
                                                                      int32_t count) {
        weighBandsWide(path, block, count);
    }
    [[gnu::noinline, gnu::flatten]] SPATIALISER_AVX2 static void cut(DirectPath& path, SubBlock& block, int32_t begin,
                                                                    int32_t end) {
        runElevationCut(path, block, begin, end);
    }
    [[gnu::noinline, gnu::flatten]] SPATIALISER_AVX2 static void mix(const DirectPath& path, SubBlock& block,
                                                                    int32_t count) {
        mixChannelsWide(path, block, count);
    }
    [[gnu::noinline, gnu::flatten]] SPATIALISER_AVX2 static void delay(DirectPath& path, SubBlock& block,
                                                                      int32_t count) {
        runInterauralDelay(path, block, count);
    }
    template <ReflectionQuality quality>
    [[gnu::noinline, gnu::flatten]] SPATIALISER_AVX2 static void reflect(const SubBlock& block, int32_t count,
                                                                        ReflectionNetwork& net, float* outLeft,
                                                                        float* outRight) {
        reflectBlock<quality>(block.delayed[0], block.delayed[1], block.elevation, outLeft, outRight, count, net);
    }
};

// The steps of a sub-block run in two passes: the first (oscillators, position weights, bands,
// lateral weighting) beside the second pass of the sub-block before it, which begins with the
// elevation cut. So the render loop carries three recursions at once (azimuth glide, bands and
// cut) and their latencies overlap.
template <OutputMode mode, ReflectionQuality quality, InstructionSet isa>
void render(const float* input0, const float* input1, float* output0, float* output1, int32_t sampleCount,
            SpatialiserState& state) {
    Oscillators oscillators = startOscillators(state);
    DirectPath path = startDirectPath(state);
    ReflectionNetwork reflections = startReflections(state, quality);
    using Passes = DirectPathPasses<isa>;
    SubBlock blocks[2];

    // Oscillators, position weights and bands of sample n.
    const auto stepPosition = [&](SubBlock& block, BandsOf<isa>& bands, int32_t n) {
        block.elevation[n] = stepOscillators(oscillators);
        const float azimuth = oscillators.azimuthCurrent;
        block.azimuth[n] = azimuth;
        const std::ptrdiff_t position = tableIndex((azimuth + 1.0f) * 4096.0f);
        block.rear[n] = state.rearTable[position];
        block.front[n] = state.frontTable[position];
        block.lateralWeight[n] = state.lateralTable[position];
        stepBands(bands, block.x[n], block.bands[n]);
    };
    // Cross-cancellation, elevation gain, interaural delay, reflections and output of a sub-block
    // whose cut is done.
    const auto finish = [&](SubBlock& block, int32_t start, int32_t count) {
        Passes::mix(path, block, count);
        Passes::delay(path, block, count);
        Passes::template reflect<quality>(block, count, reflections, block.out[0], block.out[1]);
        if constexpr (isa == InstructionSet::avx2 && mode == OutputMode::replace) {
            replaceOutputWide(block.out[0], output0 + start, count);
            replaceOutputWide(block.out[1], output1 + start, count);
        } else {
            writeOutput<mode>(block.out[0], output0 + start, count);
            writeOutput<mode>(block.out[1], output1 + start, count);
        }
    };

    int32_t previousStart = 0;
    int32_t previousCount = 0;  // 0: no sub-block waits for its second pass
    const int32_t length = subBlockLength(sampleCount);
    for (int32_t start = 0; start < sampleCount; start += length) {
        const int32_t count = sampleCount - start < length ? sampleCount - start : length;
        SubBlock& block = blocks[(start / length) & 1];
        SubBlock& previous = blocks[((start / length) & 1) ^ 1];
        // All inputs of the sub-block are read before any of its outputs is written: buffers may be
        // shared. The previous sub-block's outputs lie before them.
        if constexpr (isa == InstructionSet::avx2) {
            monoInputWide(input0 + start, input1 + start, block.x, count);
        } else {
            monoInput(input0 + start, input1 + start, block.x, count);
        }
        clearTail(block, count);

        BandsOf<isa> bands;
        if constexpr (isa == InstructionSet::avx2) {
            widenBands(path.bands, bands);
        } else {
            bands = path.bands;
        }
        if (previousCount == 0) {
            for (int32_t n = 0; n < count; ++n) stepPosition(block, bands, n);
        } else {
            // Only the last sub-block can be shorter than the one before it.
            CutSections cut = path.cut;
            for (int32_t n = 0; n < count; ++n) {
                stepPosition(block, bands, n);
                stepCut(cut, previous.channels[n], previous.cut[n]);
            }
            path.cut = cut;
            Passes::cut(path, previous, count, previousCount);
            finish(previous, previousStart, previousCount);
        }
        if constexpr (isa == InstructionSet::avx2) {
            narrowBands(bands, path.bands);
        } else {
            path.bands = bands;
        }
        Passes::weigh(path, block, count);
        previousStart = start;
        previousCount = count;
    }
    SubBlock& lastBlock = blocks[(previousStart / length) & 1];
    Passes::cut(path, lastBlock, 0, previousCount);
    finish(lastBlock, previousStart, previousCount);

    storeOscillators(oscillators, state);
    storeDirectPath(path, state);
    storeReflections<quality>(reflections, state);
    const int32_t last = previousCount - 1;
    state.front = lastBlock.front[last];
    state.lateral = lastBlock.lateral[last];
    state.rear = lastBlock.rear[last];
    state.elevation = lastBlock.elevation[last];
}

template <OutputMode mode, ReflectionQuality quality>
void renderSse2(const float* input0, const float* input1, float* output0, float* output1, int32_t sampleCount,
                SpatialiserState& state) {
    render<mode, quality, InstructionSet::sse2>(input0, input1, output0, output1, sampleCount, state);
}

// The same loop with every step inlined into one function for AVX2, so that all of it is built for
// AVX2 (three-operand forms, loads folded into arithmetic, one wide vector of bands).
template <OutputMode mode, ReflectionQuality quality>
SPATIALISER_AVX2 __attribute__((flatten)) void renderAvx2(const float* input0, const float* input1, float* output0,
                                                         float* output1, int32_t sampleCount, SpatialiserState& state) {
    render<mode, quality, InstructionSet::avx2>(input0, input1, output0, output1, sampleCount, state);
}

template <OutputMode mode>
void renderBlock(const float* input0, const float* input1, float* output0, float* output1, int32_t sampleCount,
                 SpatialiserState* state) {
    if (state->ready == 0 || sampleCount <= 0) return;
    const bool low = state->quality == 0.0f;
    if (state->instructionSet == static_cast<int32_t>(InstructionSet::avx2)) {
        (low ? renderAvx2<mode, ReflectionQuality::low> : renderAvx2<mode, ReflectionQuality::high>)(
            input0, input1, output0, output1, sampleCount, *state);
    } else {
        (low ? renderSse2<mode, ReflectionQuality::low> : renderSse2<mode, ReflectionQuality::high>)(
            input0, input1, output0, output1, sampleCount, *state);
    }
}

}  // namespace

void spatialiserProcess(const float* input0, const float* input1, float* output0, float* output1,
                        int32_t sampleCount, SpatialiserState* state) {
    renderBlock<OutputMode::accumulate>(input0, input1, output0, output1, sampleCount, state);
}

void spatialiserProcessReplacing(const float* input0, const float* input1, float* output0,
                                 float* output1, int32_t sampleCount, SpatialiserState* state) {
    renderBlock<OutputMode::replace>(input0, input1, output0, output1, sampleCount, state);
}

InstructionSet fastestInstructionSet() {
    __builtin_cpu_init();  // a module's code may run before the runtime's own constructors
    return __builtin_cpu_supports("avx2") ? InstructionSet::avx2 : InstructionSet::sse2;
}
