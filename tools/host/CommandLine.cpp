#include "CommandLine.h"

#include "AudioFormat.h"
#include "HostError.h"
#include "Numbers.h"
#include "Parameters.h"
#include "ValidateCommand.h"

namespace host {
namespace {

constexpr int64_t kMaxBlockSize = 1 << 20;
constexpr double kMaxTailSeconds = 3600.0;

const char* const kOptionsWithValue[] = {"--set", "--program", "--block", "--tail", "--automate", "--format", "--bits", "--seconds", "--only"};

bool takesValue(const std::string& option) {
    for (const char* known : kOptionsWithValue) {
        if (option == known) return true;
    }
    return false;
}

ParameterSetting parseSetting(const std::string& text) {
    // The value never holds '=', a name might.
    const auto equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0) throw UsageError("--set expects NAME=VALUE, got \"" + text + "\"");
    ParameterSetting setting;
    setting.parameter = text.substr(0, equals);
    try {
        setting.value = parseParameterValue(text.substr(equals + 1), "--set " + setting.parameter);
    } catch (const HostError& error) {
        throw UsageError(error.what());
    }
    return setting;
}

int64_t parseBounded(const std::string& option, const std::string& text, int64_t lowest, int64_t highest) {
    const auto value = parseCount(text);
    if (!value || *value < lowest || *value > highest) {
        throw UsageError(option + " expects a whole number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ", got \"" + text + "\"");
    }
    return *value;
}

void applyOption(CommandLine& line, const std::string& option, const std::string& value) {
    if (option == "--set") {
        line.settings.push_back(parseSetting(value));
    } else if (option == "--program") {
        line.program = static_cast<int32_t>(parseBounded(option, value, 0, INT32_MAX));
    } else if (option == "--block") {
        line.blockSize = static_cast<int32_t>(parseBounded(option, value, 1, kMaxBlockSize));
    } else if (option == "--tail") {
        const auto seconds = parseFiniteNumber(value);
        if (!seconds || *seconds < 0.0 || *seconds > kMaxTailSeconds) {
            throw UsageError("--tail expects seconds from 0 to 3600, got \"" + value + "\"");
        }
        line.tailSeconds = *seconds;
    } else if (option == "--automate") {
        line.automationFile = value;
    } else if (option == "--format") {
        line.container = containerByName(value);
    } else if (option == "--bits") {
        line.sampleFormat = sampleFormatByName(value);
    } else if (option == "--seconds") {
        line.groupSeconds = static_cast<int32_t>(parseBounded(option, value, 1, kMaxGroupSeconds));
    } else if (option == "--only") {
        if (!isValidationGroup(value)) throw UsageError("--only expects a group (" + validationGroupList() + "), got \"" + value + "\"");
        line.onlyGroup = value;
    }
}

}  // namespace

const char* const kUsage =
    "usage: spatialiser-host info MODULE\n"
    "       spatialiser-host render MODULE IN OUT [options]\n"
    "       spatialiser-host validate MODULE [--seconds N] [--only GROUP] [--strict]\n"
    "\n"
    "info    lists the effect record, every parameter, program and pin of a VST 2.x module.\n"
    "render  runs the audio file IN through the module and writes OUT (by default in IN's format).\n"
    "validate  checks that the module survives what hosts do to it: each group of checks runs in a\n"
    "        process of its own, so a crash or a hang fails that group only. Groups: load, opcodes,\n"
    "        audio, parameters, programs, threads, editor, instances, hostile. An error (FAIL) is\n"
    "        what a host that follows the interface's rules would suffer, a warning (WARN) what\n"
    "        only a hostile host provokes.\n"
    "\n"
    "render options:\n"
    "  --set NAME=VALUE   set a parameter (name, trailing blanks optional, or index) to a\n"
    "                     normalised value; may be repeated\n"
    "  --program N        choose program N before the --set values are applied; both are\n"
    "                     applied before the module is given the sample rate, so the render\n"
    "                     starts at them\n"
    "  --block N          block size in frames (default 512)\n"
    "  --tail SECONDS     render this much silence after the input (default 0)\n"
    "  --automate FILE    automation lines \"TIME PARAMETER VALUE [ramp]\" (seconds, name or\n"
    "                     index, normalised value; '#' starts a comment)\n"
    "  --accumulate       render through process() into zeroed outputs, not processReplacing()\n"
    "  --format wav|flac|aiff   output container\n"
    "  --bits 16|24|32f   output sample format\n"
    "\n"
    "\n"
    "validate options:\n"
    "  --seconds N        a group that reports no progress for N seconds is hung (default 60);\n"
    "                     no group runs longer than ten times N\n"
    "  --only GROUP       run this group alone\n"
    "  --strict           warnings fail their group too\n"
    "\n"
    "Exit status: 0 done (validate: every group passed), 1 failed, 2 wrong command line.\n";

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") return line;

    std::vector<std::string> positional;
    std::vector<std::string> options;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--accumulate") {
            line.accumulate = true;
            options.push_back(argument);
        } else if (argument == "--strict") {
            line.strict = true;
            options.push_back(argument);
        } else if (takesValue(argument)) {
            options.push_back(argument);
            if (i + 1 == arguments.size()) throw UsageError(argument + " needs a value");
            applyOption(line, argument, arguments[++i]);
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option " + argument);
        } else {
            positional.push_back(argument);
        }
    }

    const std::string& command = arguments[0];
    if (command == "info") {
        if (positional.size() != 1) throw UsageError("info expects one MODULE");
        if (arguments.size() != 2) throw UsageError("info takes no options");
        line.command = CommandLine::Command::Info;
        line.module = positional[0];
    } else if (command == "render") {
        if (positional.size() != 3) throw UsageError("render expects MODULE IN OUT");
        for (const std::string& option : options) {
            if (option == "--seconds" || option == "--only" || option == "--strict")
                throw UsageError(option + " is an option of validate");
        }
        line.command = CommandLine::Command::Render;
        line.module = positional[0];
        line.input = positional[1];
        line.output = positional[2];
    } else if (command == "validate") {
        if (positional.size() != 1) throw UsageError("validate expects one MODULE");
        for (const std::string& option : options) {
            if (option != "--seconds" && option != "--only" && option != "--strict")
                throw UsageError(option + " is not an option of validate");
        }
        line.command = CommandLine::Command::Validate;
        line.module = positional[0];
    } else {
        throw UsageError("unknown command \"" + command + "\" (use info, render or validate)");
    }
    return line;
}

}  // namespace host
