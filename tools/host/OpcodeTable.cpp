#include "OpcodeTable.h"

namespace host {
namespace {

constexpr size_t kPinPropertiesSize = 128;
constexpr size_t kParameterPropertiesSize = 152;
constexpr size_t kMidiProgramNameSize = 80;
constexpr size_t kMidiProgramCategorySize = 76;
constexpr size_t kMidiKeyNameSize = 80;
constexpr size_t kPatchChunkInfoSize = 64;
// Audio-file and task lists of the offline interface; the count given with them is 0.
constexpr size_t kOfflineListSize = 512;
constexpr size_t kVariableIoSize = 64;
constexpr size_t kVendorDataSize = 64;
constexpr size_t kChunkSize = 64;

constexpr OpcodeInfo kNone{"", Pointer::None, 0, Value::Any};

constexpr OpcodeInfo plain(const char* name) { return {name, Pointer::None, 0, Value::Any}; }
constexpr OpcodeInfo textOut(const char* name, size_t size) { return {name, Pointer::TextOut, size, Value::Any}; }
constexpr OpcodeInfo textIn(const char* name) { return {name, Pointer::TextIn, 0, Value::Any}; }
constexpr OpcodeInfo object(const char* name, size_t size, Value value = Value::Any) {
    return {name, Pointer::Object, size, value};
}

constexpr OpcodeInfo kOpcodes[kLastOpcode + 1] = {
    plain("effOpen"),
    plain("effClose"),
    plain("effSetProgram"),
    plain("effGetProgram"),
    textIn("effSetProgramName"),
    textOut("effGetProgramName", kProgramNameSize),
    textOut("effGetParamLabel", kParameterTextSize),
    textOut("effGetParamDisplay", kParameterTextSize),
    textOut("effGetParamName", kParameterTextSize),
    plain("effGetVu"),
    plain("effSetSampleRate"),
    plain("effSetBlockSize"),
    plain("effMainsChanged"),
    {"effEditGetRect", Pointer::RectOut, 0, Value::Any},
    {"effEditOpen", Pointer::Window, 0, Value::Any},
    plain("effEditClose"),
    {"effEditDraw", Pointer::RectIn, 0, Value::Any},
    plain("effEditMouse"),
    plain("effEditKey"),
    plain("effEditIdle"),
    plain("effEditTop"),
    plain("effEditSleep"),
    plain("effIdentify"),
    {"effGetChunk", Pointer::ChunkOut, 0, Value::Any},
    {"effSetChunk", Pointer::ChunkIn, kChunkSize, Value::Size},
    {"effProcessEvents", Pointer::Events, 0, Value::Any},
    plain("effCanBeAutomated"),
    textIn("effString2Parameter"),
    plain("effGetNumProgramCategories"),
    textOut("effGetProgramNameIndexed", kProgramNameSize),
    plain("effCopyProgram"),
    plain("effConnectInput"),
    plain("effConnectOutput"),
    object("effGetInputProperties", kPinPropertiesSize),
    object("effGetOutputProperties", kPinPropertiesSize),
    plain("effGetPlugCategory"),
    plain("effGetCurrentPosition"),
    plain("effGetDestinationBuffer"),
    object("effOfflineNotify", kOfflineListSize, Value::Count),
    object("effOfflinePrepare", kOfflineListSize, Value::Count),
    object("effOfflineRun", kOfflineListSize, Value::Count),
    object("effProcessVarIo", kVariableIoSize),
    {"effSetSpeakerArrangement", Pointer::Arrangements, kSpeakerArrangementSize, Value::Pointer},
    plain("effSetBlockSizeAndSampleRate"),
    plain("effSetBypass"),
    textOut("effGetEffectName", kStringSize),
    textOut("effGetErrorText", kStringSize),
    textOut("effGetVendorString", kStringSize),
    textOut("effGetProductString", kStringSize),
    plain("effGetVendorVersion"),
    object("effVendorSpecific", kVendorDataSize),
    textIn("effCanDo"),
    plain("effGetTailSize"),
    plain("effIdle"),
    plain("effGetIcon"),
    plain("effSetViewPosition"),
    object("effGetParameterProperties", kParameterPropertiesSize),
    plain("effKeysRequired"),
    plain("effGetVstVersion"),
    plain("effEditKeyDown"),
    plain("effEditKeyUp"),
    plain("effSetEditKnobMode"),
    object("effGetMidiProgramName", kMidiProgramNameSize),
    object("effGetCurrentMidiProgram", kMidiProgramNameSize),
    object("effGetMidiProgramCategory", kMidiProgramCategorySize),
    plain("effHasMidiProgramsChanged"),
    object("effGetMidiKeyName", kMidiKeyNameSize),
    plain("effBeginSetProgram"),
    plain("effEndSetProgram"),
    {"effGetSpeakerArrangement", Pointer::ArrangementSlots, 0, Value::Pointer},
    textOut("effShellGetNextPlugin", kStringSize),
    plain("effStartProcess"),
    plain("effStopProcess"),
    plain("effSetTotalSampleToProcess"),
    plain("effSetPanLaw"),
    object("effBeginLoadBank", kPatchChunkInfoSize),
    object("effBeginLoadProgram", kPatchChunkInfoSize),
    plain("effSetProcessPrecision"),
    plain("effGetNumMidiInputChannels"),
    plain("effGetNumMidiOutputChannels"),
    plain("opcode 80"),
};

}  // namespace

const OpcodeInfo& opcodeInfo(int32_t opcode) {
    return opcode >= 0 && opcode <= kLastOpcode ? kOpcodes[opcode] : kNone;
}

}  // namespace host
