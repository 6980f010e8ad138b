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

constexpr OpcodeInfo kNone{"", Pointer::None, 0, Value::Any, Call::Never};

constexpr OpcodeInfo plain(const char* name, Call call = Call::Any, Index index = Index::Any) {
    return {name, Pointer::None, 0, Value::Any, call, index};
}
constexpr OpcodeInfo textOut(const char* name, size_t size, Index index = Index::Any) {
    return {name, Pointer::TextOut, size, Value::Any, Call::Any, index};
}
constexpr OpcodeInfo textIn(const char* name, Index index = Index::Any) {
    return {name, Pointer::TextIn, 0, Value::Any, Call::Any, index};
}
constexpr OpcodeInfo object(const char* name, size_t size, Value value = Value::Any, Call call = Call::Any,
                            Index index = Index::Any) {
    return {name, Pointer::Object, size, value, call, index};
}
constexpr OpcodeInfo editor(const char* name, Pointer pointer = Pointer::None) {
    return {name, pointer, 0, Value::Any, Call::Editor};
}

constexpr OpcodeInfo kOpcodes[kLastOpcode + 1] = {
    plain("effOpen", Call::Never),
    plain("effClose", Call::Never),
    plain("effSetProgram"),
    plain("effGetProgram"),
    textIn("effSetProgramName"),
    textOut("effGetProgramName", kProgramNameSize),
    textOut("effGetParamLabel", kParameterTextSize, Index::Parameter),
    textOut("effGetParamDisplay", kParameterTextSize, Index::Parameter),
    textOut("effGetParamName", kParameterTextSize, Index::Parameter),
    plain("effGetVu"),
    plain("effSetSampleRate", Call::Suspended),
    plain("effSetBlockSize", Call::Suspended),
    plain("effMainsChanged", Call::Mains),
    editor("effEditGetRect", Pointer::RectOut),
    editor("effEditOpen", Pointer::Window),
    editor("effEditClose"),
    editor("effEditDraw", Pointer::RectIn),
    editor("effEditMouse"),
    editor("effEditKey"),
    editor("effEditIdle"),
    editor("effEditTop"),
    editor("effEditSleep"),
    plain("effIdentify"),
    {"effGetChunk", Pointer::ChunkOut, 0, Value::Any, Call::Chunks},
    {"effSetChunk", Pointer::ChunkIn, kChunkSize, Value::Size, Call::Chunks},
    {"effProcessEvents", Pointer::Events, 0, Value::Any},
    plain("effCanBeAutomated", Call::Any, Index::Parameter),
    textIn("effString2Parameter", Index::Parameter),
    plain("effGetNumProgramCategories"),
    textOut("effGetProgramNameIndexed", kProgramNameSize, Index::Program),
    plain("effCopyProgram", Call::Any, Index::Program),
    plain("effConnectInput", Call::Any, Index::Input),
    plain("effConnectOutput", Call::Any, Index::Output),
    object("effGetInputProperties", kPinPropertiesSize, Value::Any, Call::Any, Index::Input),
    object("effGetOutputProperties", kPinPropertiesSize, Value::Any, Call::Any, Index::Output),
    plain("effGetPlugCategory"),
    plain("effGetCurrentPosition"),
    plain("effGetDestinationBuffer"),
    object("effOfflineNotify", kOfflineListSize, Value::Count, Call::Offline),
    object("effOfflinePrepare", kOfflineListSize, Value::Count, Call::Offline),
    object("effOfflineRun", kOfflineListSize, Value::Count, Call::Offline),
    object("effProcessVarIo", kVariableIoSize, Value::Any, Call::Offline),
    {"effSetSpeakerArrangement", Pointer::Arrangements, kSpeakerArrangementSize, Value::Pointer, Call::Suspended},
    plain("effSetBlockSizeAndSampleRate", Call::Suspended),
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
    object("effGetParameterProperties", kParameterPropertiesSize, Value::Any, Call::Any, Index::Parameter),
    plain("effKeysRequired"),
    plain("effGetVstVersion"),
    editor("effEditKeyDown"),
    editor("effEditKeyUp"),
    plain("effSetEditKnobMode"),
    object("effGetMidiProgramName", kMidiProgramNameSize),
    object("effGetCurrentMidiProgram", kMidiProgramNameSize),
    object("effGetMidiProgramCategory", kMidiProgramCategorySize),
    plain("effHasMidiProgramsChanged"),
    object("effGetMidiKeyName", kMidiKeyNameSize),
    plain("effBeginSetProgram"),
    plain("effEndSetProgram"),
    {"effGetSpeakerArrangement", Pointer::ArrangementSlots, 0, Value::Pointer},
    {"effShellGetNextPlugin", Pointer::TextOut, kStringSize, Value::Any, Call::Shell},
    plain("effStartProcess"),
    plain("effStopProcess"),
    plain("effSetTotalSampleToProcess"),
    plain("effSetPanLaw"),
    object("effBeginLoadBank", kPatchChunkInfoSize),
    object("effBeginLoadProgram", kPatchChunkInfoSize),
    plain("effSetProcessPrecision", Call::Suspended),
    plain("effGetNumMidiInputChannels"),
    plain("effGetNumMidiOutputChannels"),
    plain("opcode 80", Call::Never),
};

}  // namespace

const OpcodeInfo& opcodeInfo(int32_t opcode) {
    return opcode >= 0 && opcode <= kLastOpcode ? kOpcodes[opcode] : kNone;
}

}  // namespace host
