#include "dsp/sample_rate.h"

#include <cmath>

namespace {

constexpr double kCentres[kBandCount] = {60.0, 150.0, 400.0, 1000.0, 2400.0, 6000.0, 15000.0};
constexpr double kQualities[kBandCount] = {5.0 / 3.0, 5.0 / 3.0, 5.0 / 3.0, 5.0 / 3.0, 5.0 / 3.0, 5.0 / 3.0, 0.7};

// The sections at 44100 Hz.
constexpr BandPass kNominalBands[kBandCount] = {
    {0.00255797408f, -1.99481118f, 0.994884074f}, {0.00637008715f, -1.98680604f, 0.987259805f},
    {0.0168007612f, -1.96320605f, 0.966398478f},  {0.0408578217f, -1.89884734f, 0.918284357f},
    {0.0914007276f, -1.71199226f, 0.817198515f},  {0.184567288f, -1.07038236f, 0.630865455f},
    {0.376077801f, 0.669528842f, 0.247844368f},
};

constexpr double kNominalPhasePerHz = 0.18575963718820862;  // table entries per sample per Hz: 8192 / 44100
constexpr float kNominalGlideWeight = 4000.0f;              // samples of history in the azimuth glide
constexpr float kNominalGlideScale = 0.00024993753f;        // 1 / 4001

}  // namespace

BandPass designBandPass(double centre, double q, double rate) {
    const double heldCentre = std::fmin(centre, 0.45 * rate);
    const double omega = 2.0 * 3.141592653589793 * heldCentre / rate;
    const double alpha = std::sin(omega) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    return {static_cast<float>(alpha / a0), static_cast<float>(-2.0 * std::cos(omega) / a0),
            static_cast<float>((1.0 - alpha) / a0)};
}

float sampleRateOf(const SpatialiserState& state) {
    return state.sampleRate == 0.0f ? kNominalSampleRate : state.sampleRate;
}

void applySampleRate(float rate, SpatialiserState& state) {
    const bool nominal = rate == kNominalSampleRate;
    state.appliedSampleRate = rate;
    state.rateRatio = rate / kNominalSampleRate;
    for (int band = 0; band < kBandCount; ++band) {
        const BandPass section = nominal ? kNominalBands[band] : designBandPass(kCentres[band], kQualities[band], rate);
        state.bandB0[band] = section.b0;
        state.bandA1[band] = section.a1;
        state.bandA2[band] = section.a2;
    }
    state.phasePerHz = nominal ? kNominalPhasePerHz : 8192.0 / rate;
    // The glide keeps its time constant of about 90.7 ms.
    state.glideWeight = nominal ? kNominalGlideWeight : kNominalGlideWeight * state.rateRatio;
    state.glideScale = nominal ? kNominalGlideScale : static_cast<float>(1.0 / (state.glideWeight + 1.0));
}
