#include "platform/drawing/resample.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// The source pixels one output pixel takes along one axis, and how much of each.
struct Taps {
    int first = 0;
    std::vector<float> weights;  // sum to 1
};

std::vector<Taps> tapsFor(int sourceLength, int length) {
    std::vector<Taps> taps(static_cast<size_t>(length));
    const double ratio = static_cast<double>(sourceLength) / length;
    for (int i = 0; i < length; ++i) {
        Taps& tap = taps[static_cast<size_t>(i)];
        if (ratio > 1.0) {
            // The output pixel covers [i ratio, (i + 1) ratio) of the source.
            const double start = i * ratio, end = std::min((i + 1) * ratio, static_cast<double>(sourceLength));
            tap.first = static_cast<int>(std::floor(start));
            for (int s = tap.first; s < end; ++s) {
                const double overlap = std::min(end, s + 1.0) - std::max(start, static_cast<double>(s));
                tap.weights.push_back(static_cast<float>(overlap / ratio));
            }
        } else if (length % sourceLength == 0) {
            tap.first = i / (length / sourceLength);  // a whole multiple: each pixel repeated, no blur
            tap.weights.push_back(1.0f);
        } else {
            const double centre = std::clamp((i + 0.5) * ratio - 0.5, 0.0, sourceLength - 1.0);
            tap.first = static_cast<int>(std::floor(centre));
            const float fraction = static_cast<float>(centre - tap.first);
            tap.weights.push_back(1.0f - fraction);
            if (tap.first + 1 < sourceLength && fraction > 0.0f) tap.weights.push_back(fraction);
        }
    }
    return taps;
}

}  // namespace

std::vector<uint32_t> resamplePixels(const uint32_t* source, int sourceWidth, int sourceHeight, int width, int height,
                                     const uint32_t* key) {
    if (!source || sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0) return {};
    if (width == sourceWidth && height == sourceHeight)
        return std::vector<uint32_t>(source, source + static_cast<size_t>(width) * height);
    const std::vector<Taps> across = tapsFor(sourceWidth, width);
    const std::vector<Taps> down = tapsFor(sourceHeight, height);
    const uint32_t keyColour = key ? *key & 0xFFFFFF : 0;

    // Rows first, into three channels weighted by coverage (the share of non-key pixels) and the
    // coverage itself.
    constexpr int kChannels = 4;
    std::vector<float> rows(static_cast<size_t>(sourceHeight) * width * kChannels);
    for (int y = 0; y < sourceHeight; ++y) {
        const uint32_t* in = source + static_cast<size_t>(y) * sourceWidth;
        float* out = &rows[static_cast<size_t>(y) * width * kChannels];
        for (int x = 0; x < width; ++x) {
            const Taps& tap = across[static_cast<size_t>(x)];
            float c0 = 0, c1 = 0, c2 = 0, coverage = 0;
            for (size_t k = 0; k < tap.weights.size(); ++k) {
                const uint32_t p = in[tap.first + static_cast<int>(k)];
                if (key && (p & 0xFFFFFF) == keyColour) continue;
                const float w = tap.weights[k];
                c0 += w * static_cast<float>(p & 0xFF);
                c1 += w * static_cast<float>(p >> 8 & 0xFF);
                c2 += w * static_cast<float>(p >> 16 & 0xFF);
                coverage += w;
            }
            float* pixel = out + static_cast<size_t>(x) * kChannels;
            pixel[0] = c0;
            pixel[1] = c1;
            pixel[2] = c2;
            pixel[3] = coverage;
        }
    }
    auto channel = [](float value) {
        return static_cast<uint32_t>(std::clamp(static_cast<int>(value + 0.5f), 0, 255));
    };
    std::vector<uint32_t> result(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const Taps& tap = down[static_cast<size_t>(y)];
        for (int x = 0; x < width; ++x) {
            float c0 = 0, c1 = 0, c2 = 0, coverage = 0;
            for (size_t k = 0; k < tap.weights.size(); ++k) {
                const float* p = &rows[((static_cast<size_t>(tap.first) + k) * width + static_cast<size_t>(x)) * kChannels];
                const float w = tap.weights[k];
                c0 += w * p[0];
                c1 += w * p[1];
                c2 += w * p[2];
                coverage += w * p[3];
            }
            uint32_t& out = result[static_cast<size_t>(y) * width + x];
            if (key && coverage < 0.5f) {
                out = keyColour;
                continue;
            }
            const float unit = key ? 1.0f / coverage : 1.0f;
            out = channel(c0 * unit) | channel(c1 * unit) << 8 | channel(c2 * unit) << 16;
            if (key && out == keyColour) out ^= 0x010101;  // an average that lands on the key stays visible
        }
    }
    return result;
}

}  // namespace platform
