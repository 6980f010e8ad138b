// AEffPluginX's calls into the host. Each answers its fallback when there is no host callback.
#include "shell/AEffPluginX.h"

intptr_t AEffPluginX::wantEvents(int32_t filter) { return callHost(audioMasterWantMidi, 0, filter); }

void* AEffPluginX::getTimeInfo(int32_t filter) {
    return reinterpret_cast<void*>(callHost(audioMasterGetTime, 0, filter));
}

intptr_t AEffPluginX::tempoAt(int32_t position) { return callHost(audioMasterTempoAt, 0, position); }
intptr_t AEffPluginX::getNumAutomatableParameters() { return callHost(audioMasterGetNumAutomatableParameters); }
intptr_t AEffPluginX::getParameterQuantization() { return callHost(audioMasterGetParameterQuantization); }
bool AEffPluginX::ioChanged() { return callHost(audioMasterIOChanged) != 0; }
bool AEffPluginX::needIdle() { return callHost(audioMasterNeedIdle) != 0; }
bool AEffPluginX::sizeWindow(int32_t width, int32_t height) { return callHost(audioMasterSizeWindow, width, height) != 0; }

// The host answers 0 when it does not know; the stored value then stays.
float AEffPluginX::updateSampleRate() {
    const intptr_t rate = callHost(audioMasterGetSampleRate);
    if (rate > 0) sampleRate = static_cast<float>(rate);
    return sampleRate;
}

int32_t AEffPluginX::updateBlockSize() {
    const intptr_t size = callHost(audioMasterGetBlockSize);
    if (size > 0 && size <= INT32_MAX) blockSize = static_cast<int32_t>(size);
    return blockSize;
}

intptr_t AEffPluginX::getInputLatency() { return callHost(audioMasterGetInputLatency); }
intptr_t AEffPluginX::getOutputLatency() { return callHost(audioMasterGetOutputLatency); }

AEffect* AEffPluginX::getPreviousPlug(int32_t) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug));
}

AEffect* AEffPluginX::getNextPlug(int32_t) { return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug)); }
intptr_t AEffPluginX::willProcessReplacing() { return callHost(audioMasterWillReplaceOrAccumulate); }
intptr_t AEffPluginX::getCurrentProcessLevel() { return callHost(audioMasterGetCurrentProcessLevel); }
intptr_t AEffPluginX::getAutomationState() { return callHost(audioMasterGetAutomationState); }

bool AEffPluginX::offlineRead(void* offline, int32_t option, bool readSource) {
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool AEffPluginX::offlineWrite(void* offline, int32_t option) {
    return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}

bool AEffPluginX::offlineStart(void* files, int32_t count, int32_t newCount) {
    return callHost(audioMasterOfflineStart, newCount, count, files) != 0;
}

bool AEffPluginX::offlineGetCurrentPass() { return callHost(audioMasterOfflineGetCurrentPass) != 0; }
bool AEffPluginX::offlineGetCurrentMetaPass() { return callHost(audioMasterOfflineGetCurrentMetaPass) != 0; }

intptr_t AEffPluginX::setOutputSampleRate(float rate) {
    return callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

bool AEffPluginX::getSpeakerArrangement(void* input, void* output) {
    return callHost(audioMasterGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(input), output) != 0;
}

bool AEffPluginX::getHostVendorString(char* text) { return callHost(audioMasterGetVendorString, 0, 0, text) != 0; }
bool AEffPluginX::getHostProductString(char* text) { return callHost(audioMasterGetProductString, 0, 0, text) != 0; }
intptr_t AEffPluginX::getHostVendorVersion() { return callHost(audioMasterGetVendorVersion); }

intptr_t AEffPluginX::hostVendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) {
    return callHost(audioMasterVendorSpecific, index, value, ptr, opt);
}

bool AEffPluginX::canHostDo(char* text) { return callHost(audioMasterCanDo, 0, 0, text) != 0; }
intptr_t AEffPluginX::getHostLanguage() { return callHost(audioMasterGetLanguage); }

void* AEffPluginX::openWindow(void* window) {
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool AEffPluginX::closeWindow(void* window) { return callHost(audioMasterCloseWindow, 0, 0, window) != 0; }
void* AEffPluginX::getDirectory() { return reinterpret_cast<void*>(callHost(audioMasterGetDirectory)); }
bool AEffPluginX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }
bool AEffPluginX::beginEdit(int32_t index) { return callHost(audioMasterBeginEdit, index) != 0; }
bool AEffPluginX::endEdit(int32_t index) { return callHost(audioMasterEndEdit, index) != 0; }

bool AEffPluginX::openFileSelector(void* selector) {
    return selector && callHost(audioMasterOpenFileSelector, 0, 0, selector) != 0;
}
