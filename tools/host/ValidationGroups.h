// The validator's groups of checks. Each runs in a process of its own: it throws CheckFailed on
// the first error it finds, reports warnings as it goes on, and otherwise answers a short note
// (empty, or why it skipped a part). The hostile group runs its parts in a process each, and
// everything it finds, a crash too, is a warning.
#pragma once

#include "ValidationHost.h"

#include <cstdint>
#include <string>

namespace host {

struct GroupContext {
    std::string module;
    int32_t seconds = 60;  // the time limit of a step, in a group or a part of the hostile group
};

using GroupCheck = std::string (*)(const GroupContext&);

struct ValidationGroup {
    const char* name;
    const char* what;  // said on a PASS line
    GroupCheck run;    // null for the hostile group, which runs kHostileParts
};

struct HostilePart {
    const char* name;
    GroupCheck run;
};

std::string checkLoading(const GroupContext& context);
std::string checkOpcodes(const GroupContext& context);
std::string checkAudio(const GroupContext& context);
std::string checkParameters(const GroupContext& context);
std::string checkPrograms(const GroupContext& context);
std::string checkThreads(const GroupContext& context);
std::string checkEditor(const GroupContext& context);
std::string checkInstances(const GroupContext& context);
std::string checkVersionZero(const GroupContext& context);
std::string checkHostileCalls(const GroupContext& context);
std::string checkHostileParameters(const GroupContext& context);
std::string checkHostileFrames(const GroupContext& context);
std::string checkHostileRates(const GroupContext& context);

// Reads the name, label and display text of a parameter into buffers as hosts give them.
void checkParameterTexts(Instance& instance, int32_t index, const std::string& when);

constexpr ValidationGroup kValidationGroups[] = {
    {"load", "entry point, record, open and close, 100 load rounds", checkLoading},
    {"opcodes", "every opcode as hosts send it, with sound arguments", checkOpcodes},
    {"audio", "both render calls, 22.05 to 192 kHz, blocks of 1 to 4096 frames", checkAudio},
    {"parameters", "every parameter set across 0..1 while audio runs", checkParameters},
    {"programs", "switching, renaming, copying, state restored into a fresh instance", checkPrograms},
    {"threads", "automation on the audio thread against program and editor calls", checkThreads},
    {"editor", "editor opened in a host window, idled and closed 20 times while audio runs", checkEditor},
    {"instances", "16 instances rendering at once, each as one alone", checkInstances},
    // Last, so that a crash here never hides an error of the groups above.
    {"hostile", "extreme arguments, no or negative frames, more frames than declared", nullptr},
};

constexpr HostilePart kHostileParts[] = {
    {"a host answering version 0", checkVersionZero},
    {"opcodes with any arguments", checkHostileCalls},
    {"parameters outside 0..1", checkHostileParameters},
    {"render calls with no, negative or too many frames", checkHostileFrames},
    {"extreme sample rates and block sizes", checkHostileRates},
};

}  // namespace host
