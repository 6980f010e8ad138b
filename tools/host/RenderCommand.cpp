#include "RenderCommand.h"

#include "AudioFiles.h"
#include "AudioFormat.h"
#include "Automation.h"
#include "HostError.h"
#include "Module.h"
#include "Parameters.h"
#include "Progress.h"
#include "Renderer.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iostream>

namespace host {
namespace {

// Keeps the effect resumed (effMainsChanged 1) for its lifetime.
class ResumedEffect {
public:
    explicit ResumedEffect(Module& module) : module_(module) { module_.dispatch(effMainsChanged, 0, 1); }
    ~ResumedEffect() { module_.dispatch(effMainsChanged, 0, 0); }
    ResumedEffect(const ResumedEffect&) = delete;
    ResumedEffect& operator=(const ResumedEffect&) = delete;

private:
    Module& module_;
};

bool chooseAccumulate(const CommandLine& line, const AEffect& effect) {
    if (line.accumulate) {
        if (effect.process == nullptr) throw HostError("module " + line.module + " has no process() for --accumulate");
        return true;
    }
    if (effect.processReplacing != nullptr && (effect.flags & effFlagsCanReplacing)) return false;
    if (effect.process == nullptr) throw HostError("module " + line.module + " has no audio callback");
    std::cerr << "note: module " << line.module << " cannot replace its outputs; rendering with process()\n";
    return true;
}

void selectProgram(Module& module, int32_t program) {
    const int32_t count = module.effect().numPrograms;
    if (program >= count) {
        throw HostError("program " + std::to_string(program) + " is out of range (the module has " +
                        std::to_string(count) + " programs)");
    }
    module.dispatch(effBeginSetProgram);
    module.dispatch(effSetProgram, 0, program);
    module.dispatch(effEndSetProgram);
}

std::string decibels(double level) {
    if (level <= 0.0) return "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", 20.0 * std::log10(level));
    return text;
}

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", value);
    return text;
}

void printSummary(const CommandLine& line, const InputFile& input, int format, const RenderResult& result,
                  bool accumulate, double elapsedSeconds, std::ostream& out) {
    const double rate = input.sampleRate();
    const double renderedSeconds = static_cast<double>(result.frames) / rate;
    out << "rendered " << line.input << " through " << line.module << " into " << line.output << "\n"
        << "  " << result.levels.size() << " channels, " << input.sampleRate() << " Hz, " << describeFormat(format) << "\n"
        << "  " << seconds(static_cast<double>(result.inputFrames) / rate) << " of input + "
        << seconds(static_cast<double>(result.frames - result.inputFrames) / rate) << " of tail = "
        << seconds(renderedSeconds) << " (" << result.frames << " frames), blocks of " << line.blockSize
        << " through " << (accumulate ? "process" : "processReplacing") << "\n"
        << "  " << result.changesApplied << " parameter changes applied\n";
    for (size_t channel = 0; channel < result.levels.size(); ++channel) {
        const ChannelLevel& level = result.levels[channel];
        const double rms = result.frames > 0 ? std::sqrt(level.sumOfSquares / static_cast<double>(result.frames)) : 0.0;
        out << "  channel " << channel + 1 << ": peak " << decibels(level.peak) << " dBFS, RMS " << decibels(rms) << " dBFS\n";
    }
    if (result.nonFiniteSamples > 0) {
        out << "  warning: the module produced " << result.nonFiniteSamples << " samples that were not finite; written as 0\n";
    }
    char speed[64];
    std::snprintf(speed, sizeof speed, "%.2f s (%.0fx real time)", elapsedSeconds,
                  elapsedSeconds > 0.0 ? renderedSeconds / elapsedSeconds : 0.0);
    out << "  took " << speed << "\n";
}

}  // namespace

void renderFile(const CommandLine& line, std::ostream& out) {
    InputFile input(line.input);
    const double sampleRate = input.sampleRate();

    Module module(line.module);
    AEffect& effect = module.effect();
    if (effect.numOutputs < 1) throw HostError("module " + line.module + " has no outputs");
    const bool accumulate = chooseAccumulate(line, effect);
    const int format = chooseOutputFormat(input.format(), line.container, line.sampleFormat, effect.numOutputs,
                                          input.sampleRate());

    // Settings in the order a user expects: the program first, then single parameters. Both come
    // before the sample rate, from which a module may take its starting state: the render then
    // starts at them instead of moving there from the defaults.
    if (line.program) selectProgram(module, *line.program);
    for (const ParameterSetting& setting : line.settings) {
        setParameter(effect, findParameter(effect, setting.parameter), setting.value);
    }
    module.setSampleRateAndBlockSize(static_cast<float>(sampleRate), line.blockSize);
    const auto resolve = [&effect](std::string_view name) { return findParameter(effect, name); };
    const std::vector<AutomationPoint> points =
        line.automationFile ? readAutomationFile(*line.automationFile, resolve) : std::vector<AutomationPoint>();

    RenderSettings settings;
    settings.blockSize = line.blockSize;
    settings.accumulate = accumulate;
    settings.tailFrames = std::llround(line.tailSeconds * sampleRate);
    // A stream whose length is unknown reports the largest count; the sum must not overflow.
    const int64_t totalFrames = input.frames() > INT64_MAX - settings.tailFrames ? INT64_MAX
                                                                                  : input.frames() + settings.tailFrames;
    const std::vector<ParameterChange> changes =
        scheduleChanges(points, sampleRate, totalFrames, [&effect](int32_t index) { return getParameter(effect, index); });

    OutputFile output(line.output, format, effect.numOutputs, input.sampleRate());
    const auto start = std::chrono::steady_clock::now();
    RenderResult result;
    {
        ResumedEffect resumed(module);
        Progress progress(totalFrames, sampleRate);
        result = render(effect, input, output, changes, settings, progress);
    }
    output.commit();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    printSummary(line, input, format, result, accumulate, elapsed.count(), out);
}

}  // namespace host
