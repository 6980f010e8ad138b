// The command line of spatialiser-host.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct ParameterSetting {
    std::string parameter;  // name or index, resolved once the module is loaded
    float value = 0.0f;
};

struct CommandLine {
    enum class Command { Help, Info, Render, Validate };
    Command command = Command::Help;
    std::string module;

    // render only
    std::string input;
    std::string output;
    std::vector<ParameterSetting> settings;
    std::optional<int32_t> program;
    int32_t blockSize = 512;
    double tailSeconds = 0.0;
    std::optional<std::string> automationFile;
    bool accumulate = false;
    std::optional<int> container;     // libsndfile major format
    std::optional<int> sampleFormat;  // libsndfile subtype

    // validate only
    int32_t groupSeconds = 60;  // time limit of each step of a group
    std::optional<std::string> onlyGroup;
    bool strict = false;  // warnings fail their group too
};

// Throws UsageError with a message for the user.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsage;

}  // namespace host
