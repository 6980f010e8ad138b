// The render loop: input file through the effect's audio callback into the output file.
#pragma once

#include "AudioFiles.h"
#include "Automation.h"
#include "Progress.h"
#include "vst2.h"

#include <cstdint>
#include <vector>

namespace host {

struct RenderSettings {
    int32_t blockSize = 512;
    bool accumulate = false;  // process() into zeroed outputs instead of processReplacing()
    int64_t tailFrames = 0;   // silence rendered after the input
};

struct ChannelLevel {
    float peak = 0.0f;
    double sumOfSquares = 0.0;
};

struct RenderResult {
    int64_t frames = 0;
    int64_t inputFrames = 0;
    size_t changesApplied = 0;
    int64_t nonFiniteSamples = 0;  // written as 0
    std::vector<ChannelLevel> levels;  // per output channel
};

// Renders the whole input plus the tail. The effect must be resumed; parameter changes are applied
// exactly at their frames by splitting blocks there.
RenderResult render(AEffect& effect, InputFile& input, OutputFile& output, const std::vector<ParameterChange>& changes,
                    const RenderSettings& settings, Progress& progress);

}  // namespace host
