#include "tests/shell/test_effect/RecordingEffect.h"

#include "tests/shell/test_effect/CallText.h"

int RecordingEffect::liveInstances = 0;

RecordingEffect::RecordingEffect(HostCallback hostCallback) : AEffPluginX(hostCallback, kNumPrograms, kNumParams) {
    ++liveInstances;
}

RecordingEffect::~RecordingEffect() { --liveInstances; }

template <typename... Arguments>
void RecordingEffect::record(const char* operation, Arguments... arguments) {
    calls.push_back(callText(operation, arguments...));
}

void RecordingEffect::setParameter(int32_t index, float value) { record("setParameter", index, value); }

float RecordingEffect::getParameter(int32_t index) {
    record("getParameter", index);
    return floatAnswer;
}

void RecordingEffect::process(float** inputs, float** outputs, int32_t sampleFrames) {
    record("process", inputs, outputs, sampleFrames);
}

void RecordingEffect::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    record("processReplacing", inputs, outputs, sampleFrames);
}

void RecordingEffect::open() { record("open"); }
void RecordingEffect::close() { record("close"); }

int32_t RecordingEffect::getProgram() {
    record("getProgram");
    return intAnswer();
}

void RecordingEffect::setProgram(int32_t program) { record("setProgram", program); }
void RecordingEffect::setProgramName(char* name) { record("setProgramName", name); }
void RecordingEffect::getProgramName(char* name) { record("getProgramName", name); }
void RecordingEffect::getParameterLabel(int32_t index, char* label) { record("getParameterLabel", index, label); }
void RecordingEffect::getParameterDisplay(int32_t index, char* text) { record("getParameterDisplay", index, text); }
void RecordingEffect::getParameterName(int32_t index, char* text) { record("getParameterName", index, text); }

float RecordingEffect::getVu() {
    record("getVu");
    return floatAnswer;
}

int32_t RecordingEffect::getChunk(void** data, bool isPreset) {
    record("getChunk", data, isPreset);
    return intAnswer();
}

int32_t RecordingEffect::setChunk(void* data, int32_t byteSize, bool isPreset) {
    record("setChunk", data, byteSize, isPreset);
    return intAnswer();
}

void RecordingEffect::setSampleRate(float rate) { record("setSampleRate", rate); }
void RecordingEffect::setBlockSize(int32_t size) { record("setBlockSize", size); }
void RecordingEffect::suspend() { record("suspend"); }
void RecordingEffect::resume() { record("resume"); }

int32_t RecordingEffect::processEvents(void* events) {
    record("processEvents", events);
    return intAnswer();
}

bool RecordingEffect::canParameterBeAutomated(int32_t index) {
    record("canParameterBeAutomated", index);
    return boolAnswer();
}

bool RecordingEffect::string2parameter(int32_t index, char* text) {
    record("string2parameter", index, text);
    return boolAnswer();
}

int32_t RecordingEffect::getNumCategories() {
    record("getNumCategories");
    return intAnswer();
}

bool RecordingEffect::getProgramNameIndexed(int32_t category, int32_t index, char* text) {
    record("getProgramNameIndexed", category, index, text);
    return boolAnswer();
}

bool RecordingEffect::copyProgram(int32_t destination) {
    record("copyProgram", destination);
    return boolAnswer();
}

void RecordingEffect::inputConnected(int32_t index, bool state) { record("inputConnected", index, state); }
void RecordingEffect::outputConnected(int32_t index, bool state) { record("outputConnected", index, state); }

bool RecordingEffect::getInputProperties(int32_t index, VstPinProperties* properties) {
    record("getInputProperties", index, properties);
    return boolAnswer();
}

bool RecordingEffect::getOutputProperties(int32_t index, VstPinProperties* properties) {
    record("getOutputProperties", index, properties);
    return boolAnswer();
}

int32_t RecordingEffect::getPlugCategory() {
    record("getPlugCategory");
    return intAnswer();
}

int32_t RecordingEffect::reportCurrentPosition() {
    record("reportCurrentPosition");
    return intAnswer();
}

float* RecordingEffect::reportDestinationBuffer() {
    record("reportDestinationBuffer");
    return reinterpret_cast<float*>(answer);
}

bool RecordingEffect::offlineNotify(void* audioFiles, int32_t count, bool start) {
    record("offlineNotify", audioFiles, count, start);
    return boolAnswer();
}

bool RecordingEffect::offlinePrepare(void* offline, int32_t count) {
    record("offlinePrepare", offline, count);
    return boolAnswer();
}

bool RecordingEffect::offlineRun(void* offline, int32_t count) {
    record("offlineRun", offline, count);
    return boolAnswer();
}

bool RecordingEffect::processVariableIo(void* variableIo) {
    record("processVariableIo", variableIo);
    return boolAnswer();
}

bool RecordingEffect::setSpeakerArrangement(intptr_t inputArrangement, void* outputArrangement) {
    record("setSpeakerArrangement", inputArrangement, outputArrangement);
    return boolAnswer();
}

void RecordingEffect::setBlockSizeAndSampleRate(int32_t size, float rate) {
    record("setBlockSizeAndSampleRate", size, rate);
}

bool RecordingEffect::setBypass(bool onOff) {
    record("setBypass", onOff);
    return boolAnswer();
}

bool RecordingEffect::getEffectName(char* name) {
    record("getEffectName", name);
    return boolAnswer();
}

bool RecordingEffect::getErrorText(char* text) {
    record("getErrorText", text);
    return boolAnswer();
}

bool RecordingEffect::getVendorString(char* text) {
    record("getVendorString", text);
    return boolAnswer();
}

bool RecordingEffect::getProductString(char* text) {
    record("getProductString", text);
    return boolAnswer();
}

int32_t RecordingEffect::getVendorVersion() {
    record("getVendorVersion");
    return intAnswer();
}

intptr_t RecordingEffect::vendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) {
    record("vendorSpecific", index, value, ptr, opt);
    return answer;
}

int32_t RecordingEffect::canDo(char* text) {
    record("canDo", text);
    return intAnswer();
}

intptr_t RecordingEffect::getIcon() {
    record("getIcon");
    return answer;
}

bool RecordingEffect::setViewPosition(int32_t x, int32_t y) {
    record("setViewPosition", x, y);
    return boolAnswer();
}

int32_t RecordingEffect::getTailSize() {
    record("getTailSize");
    return intAnswer();
}

int32_t RecordingEffect::fxIdle() {
    record("fxIdle");
    return intAnswer();
}

bool RecordingEffect::getParameterProperties(int32_t index, void* properties) {
    record("getParameterProperties", index, properties);
    return boolAnswer();
}

bool RecordingEffect::keysRequired() {
    record("keysRequired");
    return boolAnswer();
}

int32_t RecordingEffect::getVstVersion() {
    record("getVstVersion");
    return intAnswer();
}

int32_t RecordingEffect::getMidiProgramName(int32_t channel, void* midiProgramName) {
    record("getMidiProgramName", channel, midiProgramName);
    return intAnswer();
}

int32_t RecordingEffect::getCurrentMidiProgram(int32_t channel, void* currentProgram) {
    record("getCurrentMidiProgram", channel, currentProgram);
    return intAnswer();
}

int32_t RecordingEffect::getMidiProgramCategory(int32_t channel, void* category) {
    record("getMidiProgramCategory", channel, category);
    return intAnswer();
}

bool RecordingEffect::hasMidiProgramsChanged(int32_t channel) {
    record("hasMidiProgramsChanged", channel);
    return boolAnswer();
}

bool RecordingEffect::getMidiKeyName(int32_t channel, void* keyName) {
    record("getMidiKeyName", channel, keyName);
    return boolAnswer();
}

bool RecordingEffect::beginSetProgram() {
    record("beginSetProgram");
    return boolAnswer();
}

bool RecordingEffect::endSetProgram() {
    record("endSetProgram");
    return boolAnswer();
}
