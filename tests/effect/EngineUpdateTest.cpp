// When and with what the engine is updated: deferred to the next audio block, at once for a new
// sample rate, with the eleven values derived from the live parameters.
#include <cmath>
#include <limits>

#include "dsp/spatialiser_state.h"
#include "tests/effect/EffectFixture.h"

namespace {

class EngineUpdateTest : public EffectTest {
protected:
    void SetUp() override { runEmptyBlock(); }

    float engineWaveformFor(float value) {
        effect->setParameter(kAzimuthWaveform, value);
        runEmptyBlock();
        return effect->engine()->waveform;
    }
};

TEST_F(EngineUpdateTest, FirstBlockRunsThePendingUpdate) {
    EXPECT_FALSE(effect->isUpdatePending());
    EXPECT_EQ(effect->engine()->azimuthTarget, 0.0f);  // Az.Sldr 0.5
    EXPECT_EQ(effect->engine()->distance, 0.5f);
    EXPECT_EQ(effect->engine()->reflectionPattern, 0.34f);
}

TEST_F(EngineUpdateTest, ChangesWaitForTheNextBlockInEitherRenderMode) {
    effect->setParameter(kAzimuthSlider, 0.25f);
    EXPECT_EQ(effect->engine()->azimuthTarget, 0.0f);
    runEmptyBlock();
    EXPECT_EQ(effect->engine()->azimuthTarget, -0.5f);

    effect->setParameter(kElevationSlider, 0.75f);
    float silence[1] = {};
    float* buffers[2] = {silence, silence};
    effect->process(buffers, buffers, 0);
    EXPECT_EQ(effect->engine()->elevationTarget, 0.75f);
    EXPECT_FALSE(effect->isUpdatePending());
}

TEST_F(EngineUpdateTest, EngineGetsTheElevenValuesInOrder) {
    const float values[kNumParameters] = {0, 0, 0, 0, 0.75f, 0.6f, 0.3f, 0.0f, 0.2f, 0.0f, 0.4f, 0.1f, 1.0f, 1.0f, 0.9f};
    for (int32_t index = kAzimuthSlider; index < kNumParameters; ++index) effect->setParameter(index, values[index]);
    effect->setParameter(kAzimuthDepthSlider, 0.8f);
    runEmptyBlock();
    const SpatialiserState& engine = *effect->engine();
    EXPECT_EQ(engine.azimuthTarget, 0.5f);
    EXPECT_EQ(engine.azimuthSpeed, 0.2f);
    EXPECT_EQ(engine.azimuthDepth, 0.8f);
    EXPECT_EQ(engine.waveform, 0.0f);
    EXPECT_EQ(engine.elevationTarget, 0.3f);
    EXPECT_EQ(engine.elevationSpeed, 0.1f);
    EXPECT_EQ(engine.elevationDepth, 0.4f);
    EXPECT_EQ(engine.distance, 0.6f);
    EXPECT_EQ(engine.stereoField, 1.0f);
    EXPECT_EQ(engine.quality, 1.0f);
    EXPECT_EQ(engine.reflectionPattern, 0.9f);
}

TEST_F(EngineUpdateTest, MissingBuffersRenderNothing) {
    float samples[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    float* complete[2] = {samples, samples};
    float* missingChannel[2] = {samples, nullptr};
    effect->processReplacing(nullptr, complete, 4);
    effect->processReplacing(complete, missingChannel, 4);
    effect->process(missingChannel, complete, 4);
    effect->process(complete, nullptr, 4);
    EXPECT_EQ(samples[3], 0.5f);
}

TEST_F(EngineUpdateTest, MirrorsDoNotReachTheEngine) {
    effect->setParameter(kAzimuth, 1.0f);
    effect->setParameter(kDistance, 0.9f);
    effect->setParameter(kElevation, 0.9f);
    runEmptyBlock();
    EXPECT_EQ(effect->engine()->azimuthTarget, 0.0f);
    EXPECT_EQ(effect->engine()->distance, 0.5f);
    EXPECT_EQ(effect->engine()->elevationTarget, 0.0f);
}

// floor(value * 2 + 0.5) in double: in float the value just below 0.25 would round up to 1.
TEST_F(EngineUpdateTest, WaveformStepsAtAQuarterAndThreeQuarters) {
    EXPECT_EQ(engineWaveformFor(0.24f), 0.0f);
    EXPECT_EQ(engineWaveformFor(std::nextafter(0.25f, 0.0f)), 0.0f);
    EXPECT_EQ(engineWaveformFor(0.25f), 1.0f);
    EXPECT_EQ(engineWaveformFor(std::nextafter(0.75f, 0.0f)), 1.0f);
    EXPECT_EQ(engineWaveformFor(0.75f), 2.0f);
    EXPECT_EQ(engineWaveformFor(1.0f), 2.0f);
    EXPECT_EQ(engineWaveformFor(3e38f), 2.0f);
    EXPECT_EQ(engineWaveformFor(-3e38f), 0.0f);
    EXPECT_EQ(engineWaveformFor(std::nanf("")), 0.0f);
}

TEST_F(EngineUpdateTest, NewSampleRateUpdatesTheEngineAtOnceAndLeavesTheFlag) {
    EXPECT_EQ(effect->engine()->appliedSampleRate, 44100.0f);
    effect->setParameter(kAzimuthSlider, 0.75f);
    effect->dispatcher(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(effect->getSampleRate(), 48000.0f);
    EXPECT_EQ(effect->engine()->appliedSampleRate, 48000.0f);
    EXPECT_EQ(effect->engine()->azimuthTarget, 0.5f);
    EXPECT_TRUE(effect->isUpdatePending());

    runEmptyBlock();
    effect->setSampleRate(44100.0f);  // even without any parameter change
    EXPECT_FALSE(effect->isUpdatePending());
    EXPECT_EQ(effect->engine()->azimuthTarget, 0.5f);
    EXPECT_EQ(effect->engine()->appliedSampleRate, 44100.0f);
}

// The host's control thread sets both at once; the engine is only touched by the next block.
TEST_F(EngineUpdateTest, BlockSizeAndSampleRateReachTheEngineWithTheNextBlock) {
    EXPECT_EQ(effect->dispatcher(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 96000.0f), 1);
    EXPECT_EQ(effect->getBlockSize(), 512);
    EXPECT_EQ(effect->getSampleRate(), 96000.0f);
    EXPECT_TRUE(effect->isUpdatePending());
    EXPECT_EQ(effect->engine()->appliedSampleRate, 44100.0f);
    runEmptyBlock();
    EXPECT_EQ(effect->engine()->appliedSampleRate, 96000.0f);
}

TEST_F(EngineUpdateTest, RatesTheEngineCannotUseLeaveItsRateAlone) {
    effect->setSampleRate(48000.0f);
    for (float rate : {0.0f, -44100.0f, std::nanf(""), std::numeric_limits<float>::infinity()}) {
        effect->setSampleRate(rate);
        effect->setBlockSizeAndSampleRate(256, rate);
        runEmptyBlock();
        EXPECT_EQ(effect->engine()->appliedSampleRate, 48000.0f) << rate;
    }
}

}  // namespace
