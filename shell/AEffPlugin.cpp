#include "shell/AEffPlugin.h"

#include "shell/AEffEditorBase.h"
#include "shell/EntryFunctions.h"
#include "shell/FloatConversion.h"
#include "shell/RecordFlags.h"

AEffPlugin::AEffPlugin(HostCallback hostCallback, int32_t numPrograms, int32_t numParams)
    : sampleRate(44100.0f),
      editor(nullptr),
      hostCallback(hostCallback),
      numPrograms(numPrograms),
      numParams(numParams),
      curProgram(0),
      blockSize(1024),
      effectRecord() {  // all zero, then the fields below
    effectRecord.magic = kEffectMagic;
    effectRecord.dispatcher = dispatcherEntry;
    effectRecord.process = processEntry;
    effectRecord.setParameter = setParameterEntry;
    effectRecord.getParameter = getParameterEntry;
    effectRecord.numPrograms = numPrograms;
    effectRecord.numParams = numParams;
    effectRecord.numInputs = 1;
    effectRecord.numOutputs = 2;
    effectRecord.ioRatio = 1.0f;
    effectRecord.object = this;
    effectRecord.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    effectRecord.version = 1;
    effectRecord.processReplacing = processReplacingEntry;
}

AEffPlugin::~AEffPlugin() {
    delete editor;
}

void AEffPlugin::setParameter(int32_t, float) {}
float AEffPlugin::getParameter(int32_t) { return 0.0f; }

intptr_t AEffPlugin::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    return callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AEffPlugin::processReplacing(float**, float**, int32_t) {}

intptr_t AEffPlugin::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    // Opcodes that hand over a text or a record to fill: a null pointer from the host must not
    // reach an operation that writes through it.
    switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effEditGetRect:
        if (!ptr) return 0;
        break;
    default:
        break;
    }

    switch (opcode) {
    case effOpen: open(); return 0;
    case effClose: close(); return 0;
    case effSetProgram:
        // The program store has numPrograms entries: anything outside is ignored.
        if (value >= 0 && value < numPrograms) setProgram(static_cast<int32_t>(value));
        return 0;
    case effGetProgram: return getProgram();
    case effSetProgramName: setProgramName(static_cast<char*>(ptr)); return 0;
    case effGetProgramName: getProgramName(static_cast<char*>(ptr)); return 0;
    case effGetParamLabel: getParameterLabel(index, static_cast<char*>(ptr)); return 0;
    case effGetParamDisplay: getParameterDisplay(index, static_cast<char*>(ptr)); return 0;
    case effGetParamName: getParameterName(index, static_cast<char*>(ptr)); return 0;
    case effGetVu: return truncateToInt32(getVu() * 32767.0);
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(static_cast<int32_t>(value)); return 0;
    case effMainsChanged:
        if (value == 0) {
            suspend();
        } else {
            resume();
        }
        return 0;
    case effEditGetRect: return editor ? editor->getEditorRect(static_cast<ERect**>(ptr)) : 0;
    case effEditOpen: return editor ? editor->open(ptr) : 0;
    case effEditClose:
        if (editor) editor->close();
        return 0;
    case effEditIdle:
        if (editor) editor->idle();
        return 0;
    case effIdentify: return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk: return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk: return setChunk(ptr, static_cast<int32_t>(value), index != 0);
    default: return 0;
    }
}

void AEffPlugin::open() {}
void AEffPlugin::close() {}
int32_t AEffPlugin::getProgram() { return curProgram; }
void AEffPlugin::setProgram(int32_t program) { curProgram = program; }
void AEffPlugin::setProgramName(char* name) { name[0] = '\0'; }
void AEffPlugin::getProgramName(char* name) { name[0] = '\0'; }
void AEffPlugin::getParameterLabel(int32_t, char* label) { label[0] = '\0'; }
void AEffPlugin::getParameterDisplay(int32_t, char* text) { text[0] = '\0'; }
void AEffPlugin::getParameterName(int32_t, char* text) { text[0] = '\0'; }
float AEffPlugin::getVu() { return 0.0f; }
int32_t AEffPlugin::getChunk(void**, bool) { return 0; }
int32_t AEffPlugin::setChunk(void*, int32_t, bool) { return 0; }
void AEffPlugin::setSampleRate(float newSampleRate) { sampleRate = newSampleRate; }
void AEffPlugin::setBlockSize(int32_t newBlockSize) { blockSize = newBlockSize; }
void AEffPlugin::suspend() {}
void AEffPlugin::resume() {}
void AEffPlugin::setUniqueID(int32_t uniqueID) { effectRecord.uniqueID = uniqueID; }
void AEffPlugin::setNumInputs(int32_t inputs) { effectRecord.numInputs = inputs; }
void AEffPlugin::setNumOutputs(int32_t outputs) { effectRecord.numOutputs = outputs; }

void AEffPlugin::hasVu(bool state) { setRecordFlag(effectRecord, effFlagsHasVu, state); }
void AEffPlugin::hasClip(bool state) { setRecordFlag(effectRecord, effFlagsHasClip, state); }
void AEffPlugin::canMono(bool state) { setRecordFlag(effectRecord, effFlagsCanMono, state); }
void AEffPlugin::canProcessReplacing(bool state) { setRecordFlag(effectRecord, effFlagsCanReplacing, state); }
void AEffPlugin::programsAreChunks(bool state) { setRecordFlag(effectRecord, effFlagsProgramChunks, state); }
void AEffPlugin::setRealtimeQualities(int32_t qualities) { effectRecord.realQualities = qualities; }
void AEffPlugin::setOfflineQualities(int32_t qualities) { effectRecord.offQualities = qualities; }
void AEffPlugin::setInitialDelay(int32_t delay) { effectRecord.initialDelay = delay; }
float AEffPlugin::getSampleRate() { return sampleRate; }
int32_t AEffPlugin::getBlockSize() { return blockSize; }

intptr_t AEffPlugin::getMasterVersion() {
    const intptr_t version = callHost(audioMasterVersion);
    return version != 0 ? version : 1;
}

intptr_t AEffPlugin::getCurrentUniqueId() { return callHost(audioMasterCurrentId); }
intptr_t AEffPlugin::masterIdle() { return callHost(audioMasterIdle); }

// The host answers 0 for a connected pin.
bool AEffPlugin::isInputConnected(int32_t input) { return callHost(audioMasterPinConnected, input, 0) == 0; }
bool AEffPlugin::isOutputConnected(int32_t output) { return callHost(audioMasterPinConnected, output, 1) == 0; }

intptr_t AEffPlugin::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt, intptr_t fallback) {
    return hostCallback ? hostCallback(&effectRecord, opcode, index, value, ptr, opt) : fallback;
}
