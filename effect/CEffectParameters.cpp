// The parameter path: links, storage, automation calls to the host and the parameter texts.
#include "editor/ErrorBoxes.h"
#include "effect/CEffect.h"
#include "effect/HostText.h"

namespace {

constexpr int kStageBeforeEditor = 0;
constexpr int kStageEditor = 4;

}  // namespace

void CEffect::setParameter(int32_t index, float value) {
    int stage = kStageBeforeEditor;
    try {
        linkParameter(index, value);
        if (isParameterIndex(index)) storeValue(index, value);
        needsUpdate.store(true, std::memory_order_release);
        if (editor) {
            stage = kStageEditor;
            notifyEditor(index, value);
        }
    } catch (...) {
        showErrorBox("CEffect::setParameter function!\nDEBUG INFO: %d\nID: %d\nValue: %2.5f\n", stage, index,
                      static_cast<double>(value));
    }
}

intptr_t CEffect::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    try {
        return callHost(audioMasterAutomate, index, 0, nullptr, value);
    } catch (...) {
        showErrorBox("CEffect::setParameterAutomated function!\nPlugin Host has a problem!\nID: %d\nValue: %2.5f\n",
                      index, static_cast<double>(value));
        return 0;
    }
}

float CEffect::getParameter(int32_t index) {
    return isParameterIndex(index) ? current[index].load(std::memory_order_relaxed) : 0.0f;
}

// Setting one parameter may also set its partner. The position sliders echo themselves to their
// host-facing mirrors; a non-zero waveform pins the effective azimuth depth at 1 while the depth
// itself is kept for the sine. The tests are on the raw values: 0.1 already pins the depth
// although the engine still runs the sine.
void CEffect::linkParameter(int32_t index, float& value) {
    switch (index) {
    case kAzimuthDepth:
        storeParameter(kAzimuthDepthSlider, value);
        break;
    case kAzimuthSlider:
        storeParameter(kAzimuth, value);
        automate(kAzimuth, value);
        break;
    case kDistanceSlider:
        storeParameter(kDistance, value);
        automate(kDistance, value);
        break;
    case kElevationSlider:
        storeParameter(kElevation, value);
        automate(kElevation, value);
        break;
    case kAzimuthDepthSlider:
        if (current[kAzimuthWaveform].load(std::memory_order_relaxed) != 0.0f) {
            value = 1.0f;
        } else {
            storeParameter(kAzimuthDepth, value);
            automate(kAzimuthDepth, value);
        }
        break;
    case kAzimuthWaveform:
        storeParameter(kAzimuthDepthSlider,
                       value != 0.0f ? 1.0f : current[kAzimuthDepth].load(std::memory_order_relaxed));
        break;
    default:
        break;
    }
}

void CEffect::storeValue(int32_t index, float value) {
    current[index].store(value, std::memory_order_relaxed);
    programs.setValue(selectedProgram.load(std::memory_order_relaxed), index, value);
}

void CEffect::storeParameter(int32_t index, float value) {
    storeValue(index, value);
    needsUpdate.store(true, std::memory_order_release);
    if (editor) notifyEditor(index, value);
}

void CEffect::automate(int32_t index, float value) { callHost(audioMasterAutomate, index, 0, nullptr, value); }

void CEffect::getParameterName(int32_t index, char* text) {
    if (isParameterIndex(index) && text) copyHostText(text, kParameterTable[index].name);
}

// The label carries no unit: it repeats the name.
void CEffect::getParameterLabel(int32_t index, char* label) { getParameterName(index, label); }

void CEffect::getParameterDisplay(int32_t index, char* text) {
    if (!isParameterIndex(index) || !text) return;
    const float value = current[index].load(std::memory_order_relaxed);
    if (kParameterTable[index].displayKind == kDisplayDecibels)
        dB2string(value, text);
    else
        formatParameterValue(value, text);
}

bool CEffect::canParameterBeAutomated(int32_t index) {
    return isParameterIndex(index) && (kParameterTable[index].automatable & 0xff) != 0;
}
