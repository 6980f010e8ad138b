// The bundle's presets do what their names say.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "Lv2TestHost.h"
#include "dsp/spatialiser_state.h"
#include "lv2/Presets.h"

namespace {

constexpr double kRate = 44100.0;
constexpr size_t kSecond = 44100;

const Lv2Preset& preset(const std::string& name) {
    for (const Lv2Preset& candidate : kPresets)
        if (name == candidate.name) return candidate;
    ADD_FAILURE() << "no preset " << name;
    return kPresets[0];
}

Controls controlsOf(const Lv2Preset& chosen) {
    Controls controls{};
    std::copy(std::begin(chosen.values), std::end(chosen.values), controls.begin());
    return controls;
}

// Left over right in dB, per second.
std::vector<double> balancePerSecond(const StereoAudio& audio) {
    std::vector<double> balance;
    for (size_t start = 0; start + kSecond <= audio.frames(); start += kSecond) {
        double left = 1e-12, right = 1e-12;
        for (size_t n = start; n < start + kSecond; ++n) {
            left += audio.left[n] * audio.left[n];
            right += audio.right[n] * audio.right[n];
        }
        balance.push_back(10.0 * std::log10(left / right));
    }
    return balance;
}

TEST(Lv2Presets, CloseSourceOnTheLeftIsLouderOnTheLeft) {
    const StereoAudio output = renderLv2(kRate, controlsOf(preset("Close source on the left")), testSignal(2 * kSecond), 512);
    for (const double balance : balancePerSecond(output)) EXPECT_GT(balance, 6.0);
}

TEST(Lv2Presets, SlowOrbitGoesRoundBothSidesWithinTwentySeconds) {
    const StereoAudio output = renderLv2(kRate, controlsOf(preset("Slow orbit")), testSignal(20 * kSecond), 4096);
    const std::vector<double> balance = balancePerSecond(output);
    EXPECT_GT(*std::max_element(balance.begin(), balance.end()), 3.0);
    EXPECT_LT(*std::min_element(balance.begin(), balance.end()), -3.0);
}

TEST(Lv2Presets, OverheadFlyOverRisesOverheadAndComesDown) {
    Lv2Instance instance(kRate);
    instance.controls = controlsOf(preset("Overhead fly-over"));
    instance.connectControls();
    instance.activate();
    float highest = 0.0f, lowest = 1.0f;
    renderLv2(instance, testSignal(10 * kSecond), 4410, [&](size_t) {
        highest = std::max(highest, instance.engine().elevation);
        lowest = std::min(lowest, instance.engine().elevation);
    });
    EXPECT_GT(highest, 0.9f);
    EXPECT_LT(lowest, 0.1f);
}

TEST(Lv2Presets, EveryValueIsWithinItsPortsRange) {
    for (const Lv2Preset& each : kPresets)
        for (const float value : each.values) EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << each.name;
}

}  // namespace
