// spatialiser-host validate: checks that a VST 2.x module survives what hosts do to it. Each group
// of checks runs in a child process of its own under a time limit, so that a crash or a hang is
// that group's failure and the other groups still run.
#pragma once

#include "CommandLine.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace host {

constexpr int32_t kMaxGroupSeconds = 3600;

bool isValidationGroup(const std::string& name);
std::string validationGroupList();  // "load, opcodes, ..."

// Prints one PASS or FAIL line per group and the summary; answers the exit status (1 on any failure).
int validateModule(const CommandLine& line, std::ostream& out);

}  // namespace host
