// Audio for the validator's groups: a test signal, render calls through the record, and checks
// of what came out.
#pragma once

#include "GuardedMemory.h"
#include "ValidationHost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// A sine sweep with a little noise at about -6 dBFS, the same for every run; `frame` is the
// position in the stream, so that blocks of any size make one continuous signal.
float testSignal(int channel, int64_t frame);
void fillTestSignal(GuardedChannels& channels, int64_t startFrame);

bool canReplace(const AEffect& effect);

// One render call with `frames` frames (the buffers may be longer). Throws CheckFailed when a
// guard sample after the buffers was overwritten.
void renderCall(AEffect& effect, bool replacing, GuardedChannels& inputs, GuardedChannels& outputs, int32_t frames,
                const std::string& what);

// Throws CheckFailed when a sample of the first `frames` frames is not finite, or is outside
// -1..1 when `bounded`.
void checkOutput(GuardedChannels& outputs, int32_t frames, bool bounded, const std::string& what);

// Renders `blocks` blocks of the test signal through the replacing call if there is one, and
// answers every output sample in order: for comparing the bits of two instances. Throws
// CheckFailed for output that is not finite.
std::vector<float> renderStream(AEffect& effect, int blocks, int32_t blockSize);

// The index of the first sample whose bits differ, or the size of `a` when there is none; the two
// streams have the same length.
size_t firstDifference(const std::vector<float>& a, const std::vector<float>& b);

}  // namespace host
