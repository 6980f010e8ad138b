#include "effect/CEffect.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "dsp/spatialiser.h"

namespace {

constexpr int32_t kUniqueId = fourCharCode('v', 'Q', 'r', 't');
constexpr int32_t kNumChannels = 2;

// floor(value * 2 + 0.5) in double, so that the float just below 0.25 still gives waveform 0.
// The engine knows waveforms 0..2 only; keeping to them also keeps huge values convertible to float.
float waveformStep(float value) {
    const double step = std::floor(value * 2.0 + 0.5);
    return static_cast<float>(std::fmin(std::fmax(step, 0.0), 2.0));  // NaN gives 0
}

bool writePinProperties(int32_t index, VstPinProperties* properties, const char* labelFormat) {
    if (index < 0 || index >= kNumChannels || !properties) return false;
    std::snprintf(properties->label, sizeof properties->label, labelFormat, index + 1);
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

bool hasStereoBuffers(float** inputs, float** outputs) {
    return inputs && outputs && inputs[0] && inputs[1] && outputs[0] && outputs[1];
}

bool copyText(char* text, const char* source) {
    if (!text) return false;
    std::strcpy(text, source);
    return true;
}

}  // namespace

CEffect::CEffect(HostCallback hostCallback)
    : AEffPluginX(hostCallback, kNumPrograms, kNumParameters), engineSampleRate(sampleRate) {
    setNumInputs(kNumChannels);
    setNumOutputs(kNumChannels);
    canMono(true);
    canProcessReplacing(true);
    setUniqueID(kUniqueId);

    const uint32_t engineStateSize = spatialiserStateSize();
    if (engineStateSize != 0) engineState.reset(new unsigned char[engineStateSize]());

    updateEngine();  // the engine's first update, with the all-zero values

    loadFactoryBankResource();

    // Program 0, then the table defaults, both through setParameter so that the links run.
    setProgram(0);
    for (int32_t index = 0; index < kNumParameters; ++index)
        setParameter(index, kParameterTable[index].defaultValue);

    createEditor();
}

const SpatialiserState* CEffect::engine() const {
    return reinterpret_cast<const SpatialiserState*>(engineState.get());
}

void CEffect::updateEngine() {
    SpatialiserState* state = engineRecord();
    if (!state) return;
    spatialiserSetSampleRate(engineSampleRate.load(std::memory_order_relaxed), state);
    const auto value = [this](ParameterIndex index) { return current[index].load(std::memory_order_relaxed); };
    spatialiserUpdate(value(kAzimuthSlider) * 2.0f - 1.0f, value(kAzimuthSpeed), value(kAzimuthDepthSlider),
                      waveformStep(value(kAzimuthWaveform)), value(kElevationSlider), value(kElevationSpeed),
                      value(kElevationDepth), value(kDistanceSlider), value(kStereoField), value(kQuality),
                      value(kReflectionPattern), state);
}

void CEffect::restartEngine() {
    if (!engineState) return;
    std::memset(engineState.get(), 0, spatialiserStateSize());
    needsUpdate.store(false, std::memory_order_relaxed);
    updateEngine();
}

bool CEffect::prepareBlock(float** inputs, float** outputs) {
    if (!engineState || !hasStereoBuffers(inputs, outputs)) return false;
    // Taken before the update, so that a change landing during the update is not lost.
    if (needsUpdate.exchange(false, std::memory_order_acquire)) updateEngine();
    return true;
}

void CEffect::process(float** inputs, float** outputs, int32_t sampleFrames) {
    if (prepareBlock(inputs, outputs))
        spatialiserProcess(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames, engineRecord());
}

void CEffect::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    if (prepareBlock(inputs, outputs))
        spatialiserProcessReplacing(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames, engineRecord());
}

void CEffect::setSampleRate(float rate) {
    AEffPluginX::setSampleRate(rate);
    engineSampleRate.store(rate, std::memory_order_relaxed);
    updateEngine();
}

// Called on the control thread: the audio thread's next block hands the rate to the engine.
void CEffect::setBlockSizeAndSampleRate(int32_t size, float rate) {
    AEffPluginX::setBlockSizeAndSampleRate(size, rate);
    engineSampleRate.store(rate, std::memory_order_relaxed);
    needsUpdate.store(true, std::memory_order_release);
}

void CEffect::resume() { wantEvents(1); }

int32_t CEffect::processEvents(void*) { return 1; }

bool CEffect::getInputProperties(int32_t index, VstPinProperties* properties) {
    return writePinProperties(index, properties, "My %1d In");
}

bool CEffect::getOutputProperties(int32_t index, VstPinProperties* properties) {
    return writePinProperties(index, properties, "Vstx %1d");
}

bool CEffect::getEffectName(char* name) { return copyText(name, "Effect"); }

bool CEffect::getVendorString(char* text) { return copyText(text, "Vendor String"); }

bool CEffect::getProductString(char* text) { return copyText(text, "Effect Demo"); }

int32_t CEffect::getVendorVersion() { return 1; }

// No capability is claimed; the question is not examined.
int32_t CEffect::canDo(char*) { return -1; }
