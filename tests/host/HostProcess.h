// Runs spatialiser-host, or another program, as a user would: a separate process, its output captured.
#pragma once

#include <map>
#include <string>
#include <vector>

struct HostRun {
    int exitCode = -1;  // -1 when the process did not exit normally (a crash)
    std::string out;
    std::string err;
};

// `environment` is added to the test's own environment.
HostRun runHost(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment = {});
// Any program, found on the PATH when `commandLine[0]` has no slash.
HostRun runProgram(std::vector<std::string> commandLine, const std::map<std::string, std::string>& environment = {});
