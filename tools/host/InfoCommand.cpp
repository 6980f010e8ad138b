#include "InfoCommand.h"

#include "Module.h"
#include "Parameters.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace host {
namespace {

struct FlagName {
    int32_t bit;
    const char* name;
};

constexpr FlagName kFlagNames[] = {
    {effFlagsHasEditor, "has editor"},         {effFlagsHasClip, "has clip"},
    {effFlagsHasVu, "has VU"},                 {effFlagsCanMono, "can mono"},
    {effFlagsCanReplacing, "can replace"},     {effFlagsProgramChunks, "program chunks"},
    {effFlagsIsSynth, "instrument"},           {effFlagsNoSoundInStop, "no sound in stop"},
    {effFlagsExtIsAsync, "asynchronous"},      {effFlagsExtHasBuffer, "external buffer"},
};

constexpr const char* kCategoryNames[] = {"unknown",  "effect",          "instrument",  "analysis",
                                          "mastering", "spatial",        "room effect", "surround effect",
                                          "restoration", "offline",      "shell",       "generator"};

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string fourCharacters(int32_t code) {
    std::string text = "'";
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char character = static_cast<char>((static_cast<uint32_t>(code) >> shift) & 0xff);
        text += std::isprint(static_cast<unsigned char>(character)) ? character : '?';
    }
    char number[16];
    std::snprintf(number, sizeof number, "0x%08x", static_cast<uint32_t>(code));
    return text + "' (" + number + ")";
}

std::string flagList(int32_t flags) {
    std::string names;
    int32_t known = 0;
    for (const FlagName& flag : kFlagNames) {
        known |= flag.bit;
        if (flags & flag.bit) names += (names.empty() ? "" : ", ") + std::string(flag.name);
    }
    if (flags & ~known) names += (names.empty() ? "" : ", ") + std::string("other bits");
    char number[16];
    std::snprintf(number, sizeof number, "0x%08x", static_cast<uint32_t>(flags));
    return std::string(number) + (names.empty() ? "" : " (" + names + ")");
}

std::string categoryName(intptr_t category) {
    const auto count = static_cast<intptr_t>(std::size(kCategoryNames));
    return std::to_string(category) + (category >= 0 && category < count ? std::string(" (") + kCategoryNames[category] + ")" : "");
}

void printRecord(AEffect& effect, std::ostream& out) {
    out << "record\n"
        << "  magic           " << fourCharacters(effect.magic) << "\n"
        << "  unique ID       " << fourCharacters(effect.uniqueID) << "\n"
        << "  version         " << effect.version << "\n"
        << "  programs        " << effect.numPrograms << "\n"
        << "  parameters      " << effect.numParams << "\n"
        << "  inputs          " << effect.numInputs << "\n"
        << "  outputs         " << effect.numOutputs << "\n"
        << "  flags           " << flagList(effect.flags) << "\n"
        << "  initial delay   " << effect.initialDelay << "\n"
        << "  qualities       " << effect.realQualities << " real time, " << effect.offQualities << " offline\n"
        << "  ioRatio         " << effect.ioRatio << "\n"
        << "  process         " << (effect.process ? "yes" : "no") << "\n"
        << "  processReplacing " << (effect.processReplacing ? "yes" : "no") << "\n";
}

void printParameters(AEffect& effect, std::ostream& out) {
    out << "parameters (index, name, label, display, value, automatable)\n";
    for (int32_t index = 0; index < effect.numParams; ++index) {
        char value[32];
        std::snprintf(value, sizeof value, "%.6g", static_cast<double>(getParameter(effect, index)));
        const bool automatable = effect.dispatcher(&effect, effCanBeAutomated, index, 0, nullptr, 0.0f) != 0;
        out << "  " << index << "  " << quoted(parameterName(effect, index)) << "  "
            << quoted(dispatchText(effect, effGetParamLabel, index)) << "  "
            << quoted(dispatchText(effect, effGetParamDisplay, index)) << "  " << value << "  "
            << (automatable ? "automatable" : "not automatable") << "\n";
    }
}

// Names by index where the module offers that; otherwise by switching to each program in turn.
std::vector<std::string> programNames(AEffect& effect) {
    std::vector<std::string> names;
    if (effect.numPrograms == 0) return names;
    char probe[512] = {};
    if (effect.dispatcher(&effect, effGetProgramNameIndexed, 0, 0, probe, 0.0f) != 0) {
        for (int32_t index = 0; index < effect.numPrograms; ++index) {
            names.push_back(dispatchText(effect, effGetProgramNameIndexed, index));
        }
        return names;
    }
    const intptr_t current = effect.dispatcher(&effect, effGetProgram, 0, 0, nullptr, 0.0f);
    for (int32_t index = 0; index < effect.numPrograms; ++index) {
        effect.dispatcher(&effect, effSetProgram, 0, index, nullptr, 0.0f);
        names.push_back(dispatchText(effect, effGetProgramName));
    }
    effect.dispatcher(&effect, effSetProgram, 0, current, nullptr, 0.0f);
    return names;
}

void printPrograms(AEffect& effect, std::ostream& out) {
    out << "programs\n";
    const std::vector<std::string> names = programNames(effect);
    for (size_t index = 0; index < names.size(); ++index) out << "  " << index << "  " << quoted(names[index]) << "\n";
}

void printPins(AEffect& effect, int32_t opcode, int32_t count, const char* title, std::ostream& out) {
    out << title << "\n";
    for (int32_t index = 0; index < count; ++index) {
        VstPinProperties properties{};
        if (effect.dispatcher(&effect, opcode, index, 0, &properties, 0.0f) == 0) {
            out << "  " << index << "  (no label given)\n";
            continue;
        }
        properties.label[sizeof properties.label - 1] = '\0';
        properties.shortLabel[sizeof properties.shortLabel - 1] = '\0';
        out << "  " << index << "  " << quoted(properties.label) << "  short " << quoted(properties.shortLabel);
        if (properties.flags & kVstPinIsActive) out << "  active";
        if (properties.flags & kVstPinIsStereo) out << "  stereo";
        out << "\n";
    }
}

}  // namespace

void printModuleInfo(const std::string& modulePath, std::ostream& out) {
    Module module(modulePath);
    AEffect& effect = module.effect();
    out << "module          " << modulePath << "\n"
        << "effect name     " << quoted(dispatchText(effect, effGetEffectName)) << "\n"
        << "vendor          " << quoted(dispatchText(effect, effGetVendorString)) << "\n"
        << "product         " << quoted(dispatchText(effect, effGetProductString)) << "\n"
        << "vendor version  " << module.dispatch(effGetVendorVersion) << "\n"
        << "VST version     " << module.dispatch(effGetVstVersion) << "\n"
        << "category        " << categoryName(module.dispatch(effGetPlugCategory)) << "\n";
    printRecord(effect, out);
    printParameters(effect, out);
    printPrograms(effect, out);
    printPins(effect, effGetInputProperties, effect.numInputs, "input pins", out);
    printPins(effect, effGetOutputProperties, effect.numOutputs, "output pins", out);
}

}  // namespace host
