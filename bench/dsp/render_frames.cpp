// Renders a fixed number of frames with bench_dsp's settings, for instruction counts:
//   valgrind --tool=callgrind --toggle-collect='spatialiserProcessReplacing*' render_frames QUALITY BLOCK FRAMES [sse2]
// then the collected instructions divided by FRAMES are the instructions per stereo frame
// (scripts/bench-instructions). With sse2 the plain build of the render loop runs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#if __has_include("dsp/instruction_set.h")  // also builds against older trees
#include "dsp/instruction_set.h"
#define RENDER_FRAMES_INSTRUCTION_SETS
#endif
#include "bench_scene.h"

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: render_frames QUALITY BLOCK FRAMES [sse2]\n");
        return 2;
    }
    const float quality = static_cast<float>(std::atof(argv[1]));
    const int32_t blockSize = std::atoi(argv[2]);
    const long frames = std::atol(argv[3]);
    if (blockSize <= 0 || frames <= 0) return 2;

    auto state = makeBenchEngine(quality);
#ifdef RENDER_FRAMES_INSTRUCTION_SETS
    if (argc == 5) state->instructionSet = static_cast<int32_t>(InstructionSet::sse2);
#endif
    std::vector<float> left(blockSize), right(blockSize), outLeft(blockSize), outRight(blockSize);
    fillBenchInput(left, right);
    float sum = 0.0f;
    for (long done = 0; done < frames; done += blockSize) {
        spatialiserProcessReplacing(left.data(), right.data(), outLeft.data(), outRight.data(), blockSize, state.get());
        sum += outLeft[0] + outRight[blockSize - 1];
    }
    std::printf("%g\n", sum);
    return 0;
}
