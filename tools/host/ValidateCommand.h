// spatialiser-host validate: checks that a VST 2.x module survives what hosts do to it. Each group
// of checks runs in a child process of its own under a time limit, so that a crash or a hang is
// that group's failure and the other groups still run. An error is what a host that follows the
// interface's rules would suffer; a warning what only a hostile host provokes.
#pragma once

#include "CommandLine.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace host {

constexpr int32_t kMaxGroupSeconds = 3600;

bool isValidationGroup(const std::string& name);
std::string validationGroupList();  // "load, opcodes, ..."

// Prints a WARN line per warning, one PASS or FAIL line per group and the summary "N passed, M
// failed, K warnings"; answers the exit status: 1 when a group failed (with --strict, when a group
// has a warning too).
int validateModule(const CommandLine& line, std::ostream& out);

}  // namespace host
