// The validator's groups of checks. Each runs in a process of its own: it throws CheckFailed on
// the first fault it finds and otherwise answers a short note (empty, or why it skipped a part).
#pragma once

#include "ValidationHost.h"

#include <cstdint>
#include <string>

namespace host {

struct GroupContext {
    std::string module;
    int32_t seconds = 60;  // the group's time limit
};

using GroupCheck = std::string (*)(const GroupContext&);

struct ValidationGroup {
    const char* name;
    const char* what;  // said on a PASS line
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

constexpr ValidationGroup kValidationGroups[] = {
    {"load", "entry point, record, open and close, 100 load rounds", checkLoading},
    {"opcodes", "opcodes 0..80 with zero, random and extreme arguments", checkOpcodes},
    {"audio", "both render calls, 22.05 to 192 kHz, blocks of 1 to 4096 frames", checkAudio},
    {"parameters", "every parameter set to any float while audio runs", checkParameters},
    {"programs", "switching, renaming, copying, state restored into a fresh instance", checkPrograms},
    {"threads", "automation on the audio thread against program and editor calls", checkThreads},
    {"editor", "editor opened in a host window, idled and closed 20 times while audio runs", checkEditor},
    {"instances", "16 instances rendering at once, each as one alone", checkInstances},
};

}  // namespace host
