// Template part of Lv2TestHost.h.
#include <algorithm>

template <typename BeforeBlock>
StereoAudio renderLv2(Lv2Instance& instance, const StereoAudio& input, size_t blockSize, BeforeBlock before) {
    StereoAudio output{std::vector<float>(input.frames()), std::vector<float>(input.frames())};
    std::vector<float> in[2], out[2];
    for (size_t start = 0, block = 0; start < input.frames(); start += blockSize, ++block) {
        const size_t count = std::min(blockSize, input.frames() - start);
        in[0].assign(input.left.begin() + start, input.left.begin() + start + count);
        in[1].assign(input.right.begin() + start, input.right.begin() + start + count);
        out[0].assign(count, 0.0f);
        out[1].assign(count, 0.0f);
        instance.connect(kPortInLeft, in[0].data());
        instance.connect(kPortInRight, in[1].data());
        instance.connect(kPortOutLeft, out[0].data());
        instance.connect(kPortOutRight, out[1].data());
        before(block);
        instance.run(static_cast<uint32_t>(count));
        std::copy(out[0].begin(), out[0].end(), output.left.begin() + start);
        std::copy(out[1].begin(), out[1].end(), output.right.begin() + start);
    }
    return output;
}
