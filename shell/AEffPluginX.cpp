#include "shell/AEffPluginX.h"

#include "shell/AEffEditorBase.h"
#include "shell/FloatConversion.h"
#include "shell/RecordFlags.h"

AEffPluginX::AEffPluginX(HostCallback hostCallback, int32_t numPrograms, int32_t numParams)
    : AEffPlugin(hostCallback, numPrograms, numParams) {}

intptr_t AEffPluginX::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    // Opcodes that hand over a text or a record to read or fill: a null pointer from the host
    // must not reach an operation that goes through it.
    switch (opcode) {
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetInputProperties:
    case effGetOutputProperties:
    case effGetEffectName:
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString:
        if (!ptr) return 0;
        break;
    default:
        break;
    }

    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents: return processEvents(ptr);
    case effCanBeAutomated: return canParameterBeAutomated(index) ? 1 : 0;
    case effString2Parameter: return string2parameter(index, text) ? 1 : 0;
    case effGetNumProgramCategories: return getNumCategories();
    case effGetProgramNameIndexed: return getProgramNameIndexed(static_cast<int32_t>(value), index, text) ? 1 : 0;
    case effCopyProgram: return copyProgram(index) ? 1 : 0;
    case effConnectInput: inputConnected(index, value != 0); return 1;
    case effConnectOutput: outputConnected(index, value != 0); return 1;
    case effGetInputProperties: return getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties: return getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory: return getPlugCategory();
    case effGetCurrentPosition: return reportCurrentPosition();
    case effGetDestinationBuffer: return reinterpret_cast<intptr_t>(reportDestinationBuffer());
    case effOfflineNotify: return offlineNotify(ptr, static_cast<int32_t>(value), index != 0) ? 1 : 0;
    case effOfflinePrepare: return offlinePrepare(ptr, static_cast<int32_t>(value)) ? 1 : 0;
    case effOfflineRun: return offlineRun(ptr, static_cast<int32_t>(value)) ? 1 : 0;
    case effProcessVarIo: return processVariableIo(ptr) ? 1 : 0;
    case effSetSpeakerArrangement: return setSpeakerArrangement(value, ptr) ? 1 : 0;
    case effSetBlockSizeAndSampleRate: setBlockSizeAndSampleRate(static_cast<int32_t>(value), opt); return 1;
    case effSetBypass: return setBypass(value != 0) ? 1 : 0;
    case effGetEffectName: return getEffectName(text) ? 1 : 0;
    case effGetErrorText: return getErrorText(text) ? 1 : 0;
    case effGetVendorString: return getVendorString(text) ? 1 : 0;
    case effGetProductString: return getProductString(text) ? 1 : 0;
    case effGetVendorVersion: return getVendorVersion();
    case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
    case effCanDo: return canDo(text);
    case effGetTailSize: return getTailSize();
    case effIdle: return fxIdle();
    case effGetIcon: return getIcon();
    case effSetViewPosition: return setViewPosition(index, static_cast<int32_t>(value)) ? 1 : 0;
    case effGetParameterProperties: return getParameterProperties(index, ptr) ? 1 : 0;
    // The answer says whether keys are NOT required.
    case effKeysRequired: return keysRequired() ? 0 : 1;
    case effGetVstVersion: return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
        if (!editor) return 0;
        VstKeyCode keyCode{};
        keyCode.character = index;
        keyCode.virt = static_cast<uint8_t>(value);
        keyCode.modifier = static_cast<uint8_t>(truncateToInt32(opt));
        return opcode == effEditKeyDown ? editor->keyDown(keyCode) : editor->keyUp(keyCode);
    }
    case effSetEditKnobMode: return editor ? editor->setKnobMode(static_cast<int32_t>(value)) : 0;
    case effGetMidiProgramName: return getMidiProgramName(index, ptr);
    case effGetCurrentMidiProgram: return getCurrentMidiProgram(index, ptr);
    case effGetMidiProgramCategory: return getMidiProgramCategory(index, ptr);
    case effHasMidiProgramsChanged: return hasMidiProgramsChanged(index) ? 1 : 0;
    case effGetMidiKeyName: return getMidiKeyName(index, ptr) ? 1 : 0;
    case effBeginSetProgram: return beginSetProgram() ? 1 : 0;
    case effEndSetProgram: return endSetProgram() ? 1 : 0;
    default: return AEffPlugin::dispatcher(opcode, index, value, ptr, opt);
    }
}

AEffEditorBase* AEffPluginX::getEditor() { return editor; }
int32_t AEffPluginX::processEvents(void*) { return 0; }
bool AEffPluginX::canParameterBeAutomated(int32_t) { return true; }
bool AEffPluginX::string2parameter(int32_t, char*) { return false; }
float AEffPluginX::getChannelParameter(int32_t, int32_t) { return 0.0f; }
int32_t AEffPluginX::getNumCategories() { return 1; }
bool AEffPluginX::getProgramNameIndexed(int32_t, int32_t, char*) { return false; }
bool AEffPluginX::copyProgram(int32_t) { return false; }
void AEffPluginX::inputConnected(int32_t, bool) {}
void AEffPluginX::outputConnected(int32_t, bool) {}
bool AEffPluginX::getInputProperties(int32_t, VstPinProperties*) { return false; }
bool AEffPluginX::getOutputProperties(int32_t, VstPinProperties*) { return false; }
int32_t AEffPluginX::getPlugCategory() { return (effectRecord.flags & effFlagsIsSynth) ? 2 : 0; }

void AEffPluginX::wantAsyncOperation(bool state) { setRecordFlag(effectRecord, effFlagsExtIsAsync, state); }
void AEffPluginX::hasExternalBuffer(bool state) { setRecordFlag(effectRecord, effFlagsExtHasBuffer, state); }
void AEffPluginX::isSynth(bool state) { setRecordFlag(effectRecord, effFlagsIsSynth, state); }
void AEffPluginX::noTail(bool state) { setRecordFlag(effectRecord, effFlagsNoSoundInStop, state); }
int32_t AEffPluginX::reportCurrentPosition() { return 0; }
float* AEffPluginX::reportDestinationBuffer() { return nullptr; }
bool AEffPluginX::offlineNotify(void*, int32_t, bool) { return false; }
bool AEffPluginX::offlinePrepare(void*, int32_t) { return false; }
bool AEffPluginX::offlineRun(void*, int32_t) { return false; }
intptr_t AEffPluginX::reservedQuery1() { return 0; }
intptr_t AEffPluginX::reservedQuery2() { return 0; }
bool AEffPluginX::processVariableIo(void*) { return false; }
bool AEffPluginX::setSpeakerArrangement(intptr_t, void*) { return false; }

void AEffPluginX::setBlockSizeAndSampleRate(int32_t newBlockSize, float newSampleRate) {
    blockSize = newBlockSize;
    sampleRate = newSampleRate;
}

bool AEffPluginX::setBypass(bool) { return false; }
bool AEffPluginX::getEffectName(char*) { return false; }
bool AEffPluginX::getErrorText(char*) { return false; }
bool AEffPluginX::getVendorString(char*) { return false; }
bool AEffPluginX::getProductString(char*) { return false; }
int32_t AEffPluginX::getVendorVersion() { return 0; }
intptr_t AEffPluginX::vendorSpecific(int32_t, intptr_t, void*, float) { return 0; }
int32_t AEffPluginX::canDo(char*) { return 0; }
intptr_t AEffPluginX::getIcon() { return 0; }
bool AEffPluginX::setViewPosition(int32_t, int32_t) { return false; }
int32_t AEffPluginX::getTailSize() { return 0; }
int32_t AEffPluginX::fxIdle() { return 0; }
bool AEffPluginX::getParameterProperties(int32_t, void*) { return false; }
bool AEffPluginX::keysRequired() { return false; }
int32_t AEffPluginX::getVstVersion() { return 2200; }
int32_t AEffPluginX::getMidiProgramName(int32_t, void*) { return 0; }
int32_t AEffPluginX::getCurrentMidiProgram(int32_t, void*) { return -1; }
int32_t AEffPluginX::getMidiProgramCategory(int32_t, void*) { return 0; }
bool AEffPluginX::hasMidiProgramsChanged(int32_t) { return false; }
bool AEffPluginX::getMidiKeyName(int32_t, void*) { return false; }
bool AEffPluginX::beginSetProgram() { return false; }
bool AEffPluginX::endSetProgram() { return false; }
