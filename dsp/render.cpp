// The render loop: mono sum -> seven lateral bands -> rear colouring -> elevation cut ->
// cross-cancellation -> elevation gain -> interaural delay -> reflections -> output.
// Everything is single precision in a fixed order, so every build gives the same bits.
#include <cmath>
#include <cstdint>

#include "dsp/oscillators.h"
#include "dsp/reflections.h"
#include "dsp/resonator.h"
#include "dsp/spatialiser.h"
#include "dsp/spatialiser_state.h"

namespace {

// Band-pass sections at 44100 Hz: 60, 150, 400, 1000, 2400, 6000 Hz at Q 5/3 and 15000 Hz at Q 0.7.
constexpr ResonatorCoefficients kBands[kBandCount] = {
    {0.00255797408f, -1.99481118f, 0.994884074f}, {0.00637008715f, -1.98680604f, 0.987259805f},
    {0.0168007612f, -1.96320605f, 0.966398478f},  {0.0408578217f, -1.89884734f, 0.918284357f},
    {0.0914007276f, -1.71199226f, 0.817198515f},  {0.184567288f, -1.07038236f, 0.630865455f},
    {0.376077801f, 0.669528842f, 0.247844368f},
};
constexpr int kElevationBand = 5;  // the elevation cut uses the 6000 Hz section

// Lateral weight of each band: both channels in the full stereo field, else per channel.
constexpr float kFullFieldWeights[kBandCount] = {1.5f, 1.5f, 3.166665f, 1.5f, 1.5f, 1.95f, 2.25f};
constexpr float kLeftWeights[kBandCount] = {0.375f, 0.5625f, 0.75f, 1.125f, 1.5f, 1.95f, 2.25f};
constexpr float kRightWeights[kBandCount] = {0.375f, 0.5625f, 0.5625f, 1.125f, 1.5f, 1.95f, 2.25f};

constexpr float kInputScale = 16384.0f;  // the loop works at 16384 times full scale
constexpr float kDenormalGuard = 0.001f;  // added to every scaled input sample
constexpr float kOutputScale = 0.000030517578125f;  // 2^-15
constexpr float kOutputCeiling = 0.99996f;
constexpr float kOutputFloor = -1.0f;
constexpr float kInputLimit = 1000.0f;  // keeps every intermediate value far from overflow

enum class OutputMode { accumulate, replace };

// Non-finite samples count as silence; finite ones are limited to +/-kInputLimit.
inline float sanitised(float sample) {
    if (!(std::fabs(sample) <= kInputLimit)) {
        sample = std::isfinite(sample) ? std::copysign(kInputLimit, sample) : 0.0f;
    }
    return sample;
}

// A line of length n delays by n + 1 samples; it grows by one sample per sample toward its
// target and shrinks to it at once.
inline float delay(float* line, float sample, int32_t target, int32_t& writeIndex, int32_t& length) {
    const float delayed = line[writeIndex];
    line[writeIndex] = sample;
    ++writeIndex;
    if (target > length) {
        line[length + 1] = line[length];
        ++length;
    } else {
        length = target;
    }
    if (writeIndex > length) writeIndex = 0;
    return delayed;
}

template <OutputMode mode>
inline void writeOutput(float* output, float value) {
    float result;
    if constexpr (mode == OutputMode::accumulate) {
        // The existing content is halved together with the new contribution.
        result = (sanitised(*output) + value * kOutputScale) * 0.5f;
    } else {
        result = value * kOutputScale;
    }
    if (result > kOutputCeiling) result = kOutputCeiling;
    if (result < kOutputFloor) result = kOutputFloor;
    *output = result;
}

template <OutputMode mode, ReflectionQuality quality>
void render(const float* input0, const float* input1, float* output0, float* output1,
            int32_t sampleCount, SpatialiserState& state) {
    Oscillators oscillators = startOscillators(state);
    ReflectionNetwork reflections = startReflections(state, quality);
    const bool fullField = state.stereoField == 1.0f;
    const float itdSpan = state.itdSpan;
    float front = state.front;
    float lateral = state.lateral;
    float rear = state.rear;
    float elevation = state.elevation;

    float bandState[kBandCount][2];
    for (int j = 0; j < kBandCount; ++j) {
        bandState[j][0] = state.bandState[j][0];
        bandState[j][1] = state.bandState[j][1];
    }
    float elevationState[kElevationFilterCount][2];
    for (int j = 0; j < kElevationFilterCount; ++j) {
        elevationState[j][0] = state.elevationFilterState[j][0];
        elevationState[j][1] = state.elevationFilterState[j][1];
    }
    int32_t itdWriteIndex[2] = {state.itdWriteIndex[0], state.itdWriteIndex[1]};
    int32_t itdLength[2] = {state.itdLength[0], state.itdLength[1]};

    for (int32_t n = 0; n < sampleCount; ++n) {
        // 1. Oscillators.
        const float e = stepOscillators(oscillators);
        elevation = e;
        const float azimuth = oscillators.azimuthCurrent;

        // 2. Position weights.
        const int position = static_cast<int>((azimuth + 1.0f) * 4096.0f);
        rear = state.rearTable[position];
        front = state.frontTable[position];
        lateral = state.lateralTable[position] * 0.7f;
        const float p = lateral;
        const float away = 1.0f - front;  // 0 at the front, 1 behind

        // 3. Mono input.
        const float x = (sanitised(input0[n]) + sanitised(input1[n])) * kInputScale + kDenormalGuard;

        // 4. Bands.
        float bp[kBandCount];
        for (int j = 0; j < kBandCount; ++j) bp[j] = resonate(x, kBands[j], bandState[j]);

        // 5. Lateral weighting; 6. rear colouring in the full stereo field.
        float left;
        float right;
        if (fullField) {
            float sum = bp[0] * p * kFullFieldWeights[0];
            for (int j = 1; j < kBandCount; ++j) sum += bp[j] * p * kFullFieldWeights[j];
            left = x - sum;
            right = x + sum;

            const float r = rear * 1.5f + 0.5f;
            float q = away * 0.65f;
            if (q > 0.6f) q = 0.6f;
            // Within 0.05 of the back the colouring fades out and the gain rises to 1.7.
            const float back = std::fabs(azimuth);
            float fade = 0.0f;
            if (back > 0.95f) {
                fade = (back - 0.95f) * 20.0f;
                q = q * (1.0f - fade);
            }
            const float u1 = bp[0] * q * 0.75f * r;
            const float u3 = bp[2] * q * 1.5f * r;
            const float u4 = bp[3] * q * 1.5f * r;
            if (azimuth > 0.0f) {
                left = left - u1 + u3 - u4;
                right = right + u1 - u3 + u4;
            } else {
                left = left + u1 - u3 + u4;
                right = right - u1 + u3 - u4;
            }
            const float gain = 0.7f + fade;
            left = left * gain;
            right = right * gain;
        } else {
            float leftSum = bp[0] * p * kLeftWeights[0];
            float rightSum = bp[0] * p * kRightWeights[0];
            for (int j = 1; j < kBandCount; ++j) {
                leftSum += bp[j] * p * kLeftWeights[j];
                rightSum += bp[j] * p * kRightWeights[j];
            }
            left = x - leftSum;
            right = x + rightSum;
        }

        // 7. Elevation cut: two sections per channel on the same input.
        const ResonatorCoefficients& cutBand = kBands[kElevationBand];
        const float leftA = resonate(left, cutBand, elevationState[0]);
        const float rightA = resonate(right, cutBand, elevationState[1]);
        const float leftB = resonate(left, cutBand, elevationState[2]);
        const float rightB = resonate(right, cutBand, elevationState[3]);
        const float cut = 6.0f * e;
        left = left - cut * leftA;
        left = left - cut * leftB;
        right = right - cut * rightA;
        right = right - cut * rightB;

        // 8. Cross-cancellation, both from the same old values.
        const float cancel = away * 0.7f;
        const float cancelledRight = right - cancel * left;
        const float cancelledLeft = left - cancel * right;

        // 9. Elevation gain.
        const float lift = 1.0f - 0.5f * e;

        // 10. Interaural delay on the far ear.
        const int32_t itd = static_cast<int32_t>(away * itdSpan);
        const int32_t leftTarget = lateral < 0.0f ? 0 : itd;
        const int32_t rightTarget = lateral < 0.0f ? itd : 0;
        const float delayedLeft = delay(state.itdBuffer[0], lift * cancelledLeft, leftTarget,
                                        itdWriteIndex[0], itdLength[0]);
        const float delayedRight = delay(state.itdBuffer[1], lift * cancelledRight, rightTarget,
                                         itdWriteIndex[1], itdLength[1]);

        // 11. Reflections.
        float outLeft;
        float outRight;
        reflect<quality>(delayedLeft, delayedRight, e, reflections, outLeft, outRight);

        // 12. Output.
        writeOutput<mode>(&output0[n], outLeft);
        writeOutput<mode>(&output1[n], outRight);
    }

    storeOscillators(oscillators, state);
    storeReflections(reflections, state);
    state.front = front;
    state.lateral = lateral;
    state.rear = rear;
    state.elevation = elevation;
    for (int j = 0; j < kBandCount; ++j) {
        state.bandState[j][0] = bandState[j][0];
        state.bandState[j][1] = bandState[j][1];
    }
    for (int j = 0; j < kElevationFilterCount; ++j) {
        state.elevationFilterState[j][0] = elevationState[j][0];
        state.elevationFilterState[j][1] = elevationState[j][1];
    }
    for (int i = 0; i < 2; ++i) {
        state.itdWriteIndex[i] = itdWriteIndex[i];
        state.itdLength[i] = itdLength[i];
    }
}

template <OutputMode mode>
void renderBlock(const float* input0, const float* input1, float* output0, float* output1,
                 int32_t sampleCount, SpatialiserState* state) {
    if (state->ready == 0 || sampleCount <= 0) return;
    if (state->quality == 0.0f) {
        render<mode, ReflectionQuality::low>(input0, input1, output0, output1, sampleCount, *state);
    } else {
        render<mode, ReflectionQuality::high>(input0, input1, output0, output1, sampleCount, *state);
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
