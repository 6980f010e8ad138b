#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "dsp/sample_rate.h"
#include "engine_harness.h"

namespace {

constexpr float kRates[] = {22050.0f, 32000.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f};
constexpr double kCentres[kBandCount] = {60, 150, 400, 1000, 2400, 6000, 15000};
constexpr double kPi = 3.141592653589793;

Engine engineAt(float rate, const Settings& settings) {
    Engine engine;
    spatialiserSetSampleRate(rate, &engine.state());
    engine.update(settings);
    return engine;
}

// |H| at `frequency` from the section's impulse response, run as the render loop runs it.
double response(const float* b0, const float* a1, const float* a2, int band, double rate, double frequency) {
    const int length = static_cast<int>(4 * rate);
    float z1 = 0, z2 = 0;
    std::complex<double> sum = 0;
    std::complex<double> phasor = 1;
    const std::complex<double> step = std::polar(1.0, -2 * kPi * frequency / rate);
    for (int n = 0; n < length; ++n) {
        const float w = b0[band] * (n == 0 ? 1.0f : 0.0f) - a1[band] * z1 - a2[band] * z2;
        const float h = w - z2;
        z2 = z1;
        z1 = w;
        sum += static_cast<double>(h) * phasor;
        phasor *= step;
        if (n > 1000 && std::fabs(w) < 1e-12f && std::fabs(z2) < 1e-12f) break;
    }
    return std::abs(sum);
}

// The frequency of the largest response, by golden-section search between `low` and `high`.
double peak(const SpatialiserState& s, int band, double rate, double low, double high) {
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 60; ++i) {
        const double a = high - ratio * (high - low);
        const double b = low + ratio * (high - low);
        if (response(s.bandB0, s.bandA1, s.bandA2, band, rate, a) < response(s.bandB0, s.bandA1, s.bandA2, band, rate, b)) {
            low = a;
        } else {
            high = b;
        }
    }
    return (low + high) / 2;
}

TEST(SampleRate, TheStandardBandPassGivesTheSectionsAt44100) {
    Engine engine = engineAt(44100.0f, Settings{});
    const SpatialiserState& s = engine.state();
    for (int band = 0; band < kBandCount; ++band) {
        const BandPass designed = designBandPass(kCentres[band], band < 6 ? 5.0 / 3.0 : 0.7, 44100.0);
        EXPECT_NEAR(designed.b0, s.bandB0[band], std::fabs(s.bandB0[band]) * 1.2e-7f) << band;
        EXPECT_NEAR(designed.a1, s.bandA1[band], std::fabs(s.bandA1[band]) * 1.2e-7f) << band;
        EXPECT_NEAR(designed.a2, s.bandA2[band], std::fabs(s.bandA2[band]) * 1.2e-7f) << band;
    }
}

// Band 6 (6000 Hz) also serves the four elevation cut sections.
TEST(SampleRate, BandsPeakAtTheirCentresAtEveryRate) {
    for (float rate : kRates) {
        Engine engine = engineAt(rate, Settings{});
        for (int band = 0; band < kBandCount; ++band) {
            const double expected = std::fmin(kCentres[band], 0.45 * rate);
            const double measured = peak(engine.state(), band, rate, 0.6 * expected, std::fmin(1.4 * expected, 0.499 * rate));
            EXPECT_NEAR(measured, expected, expected * 0.005) << "band " << band + 1 << " at " << rate;
        }
    }
}

int firstLoudSample(const std::vector<float>& samples) {
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::fabs(samples[i]) > 0.01f) return static_cast<int>(i);
    }
    return -1;
}

TEST(SampleRate, InterauralDelayOfAHardLeftSourceKeepsItsTime) {
    for (float distance : {0.0f, 1.0f}) {
        Settings settings;
        settings.azimuth = -0.5f;
        settings.distance = distance;
        double nominal = 0;
        for (float rate : {44100.0f, 22050.0f, 32000.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f, 192000.0f}) {
            Engine engine = engineAt(rate, settings);
            engine.silence(200);  // the far line grows to its length
            Stereo impulse = constant(400, 0.0f, 0.0f);
            impulse.left[0] = 1.0f;
            const Stereo out = engine.replace(impulse);
            const double seconds = (firstLoudSample(out.right) - firstLoudSample(out.left)) / rate;
            if (rate == 44100.0f) nominal = seconds;
            EXPECT_GT(seconds, 0.0);
            EXPECT_NEAR(seconds, nominal, 1.0 / rate) << "distance " << distance << " at " << rate;
        }
    }
}

TEST(SampleRate, ModulatorsKeepTheirPeriod) {
    Settings settings;
    settings.azimuthSpeed = 1.0f;
    settings.azimuthDepth = 1.0f;
    settings.elevationSpeed = 0.5f;
    settings.elevationDepth = 1.0f;
    for (float rate : kRates) {
        Engine engine = engineAt(rate, settings);
        int azimuthPeriod = 0;
        int elevationPeriod = 0;
        for (int n = 1; n < 3 * rate && elevationPeriod == 0; ++n) {
            engine.silence(1);
            if (azimuthPeriod == 0 && engine.state().azimuthPhase == 0.0f) azimuthPeriod = n;
            if (engine.state().elevationPhase == 0.0f) elevationPeriod = n;
        }
        // The float phase rounds each step, so a period is a little off one second (two at 0.5 Hz).
        EXPECT_NEAR(azimuthPeriod / rate, 1.0, 0.01) << rate;
        EXPECT_NEAR(elevationPeriod / rate, 2.0, 0.02) << rate;
    }
}

TEST(SampleRate, GlideKeepsItsTimeConstant) {
    for (float rate : kRates) {
        Engine engine = engineAt(rate, Settings{});
        Settings settings;
        settings.azimuth = 0.5f;
        engine.update(settings);
        engine.silence(static_cast<size_t>(4000 * rate / 44100));
        EXPECT_NEAR(engine.state().azimuthCurrent / 0.5f, 0.632f, 0.003f) << rate;
    }
}

TEST(SampleRate, ReflectionCycleKeepsItsTimeAndFitsItsBuffers) {
    for (float pattern : {0.0f, 0.34f, 1.0f}) {
        Settings settings;
        settings.reflectionPattern = pattern;
        settings.quality = 1.0f;
        const int32_t nominal = engineAt(44100.0f, settings).state().cycleLength;
        for (float rate : kRates) {
            Engine engine = engineAt(rate, settings);
            const SpatialiserState& s = engine.state();
            // The N + 1 positions of the cycle scaled by the rate, truncated as at 44100 Hz.
            const double scaled = (nominal + 1) * static_cast<double>(rate) / 44100.0;
            EXPECT_LE(s.cycleLength + 1, scaled) << pattern << " at " << rate;
            EXPECT_GT(s.cycleLength + 1, scaled - 1) << pattern << " at " << rate;
            EXPECT_EQ(s.writeIndex, s.cycleLength);
            for (int32_t tap : s.tapIndex) {
                EXPECT_GE(tap, 0);
                EXPECT_LT(tap, s.cycleLength);
            }
        }
    }
}

TEST(SampleRate, EveryLineAndBufferHoldsAtTheHighestRates) {
    Settings behind;
    behind.azimuth = 1.0f;
    behind.distance = 1.0f;
    behind.reflectionPattern = 1.0f;
    behind.quality = 1.0f;
    for (float rate : {192000.0f, 384000.0f, 1e9f}) {
        Engine engine = engineAt(rate, behind);
        engine.replace(noise(30000, 43));
        EXPECT_LT(engine.state().cycleLength, kReflectionCapacity) << rate;
        EXPECT_LT(engine.state().itdLength[0], kItdLineCapacity) << rate;
        EXPECT_GT(engine.state().itdLength[0], 50) << rate;
    }
    Engine slowest = engineAt(1.0f, behind);
    EXPECT_GT(slowest.state().cycleLength, 0);
    EXPECT_EQ(slowest.state().sampleRate, kLowestSampleRate);
}

TEST(SampleRate, ANewRateTakesEffectAtTheNextUpdateAndReinitialises) {
    Settings settings;
    settings.reflectionPattern = 1.0f;
    Engine engine = engineAt(44100.0f, settings);
    engine.replace(noise(3000, 47));
    SpatialiserState& s = engine.state();
    const std::vector<float> buffers(&s.reflectionBuffer[0][0], &s.reflectionBuffer[0][0] + 2 * kReflectionCapacity);

    spatialiserSetSampleRate(44100.0f, &s);  // the same rate: nothing to do
    engine.update(settings);
    EXPECT_NE(s.writeIndex, s.cycleLength);

    spatialiserSetSampleRate(96000.0f, &s);
    EXPECT_EQ(s.cycleLength, 2554);
    engine.update(settings);
    EXPECT_EQ(s.cycleLength, 5560);
    EXPECT_EQ(s.writeIndex, 5560);
    EXPECT_EQ(std::vector<float>(&s.reflectionBuffer[0][0], &s.reflectionBuffer[0][0] + 2 * kReflectionCapacity), buffers);
}

}  // namespace
