#include "GuardedMemory.h"

#include "ValidationHost.h"

#include <algorithm>
#include <cstring>

namespace host {
namespace {

constexpr unsigned char kCanary = 0xA5;
// A sample value no module writes by chance: a quiet NaN with a payload, compared bit for bit.
constexpr uint32_t kGuardSampleBits = 0x7FC0BEEF;

float guardSample() {
    float value;
    std::memcpy(&value, &kGuardSampleBits, sizeof value);
    return value;
}

bool isGuardSample(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits == kGuardSampleBits;
}

}  // namespace

GuardedBuffer::GuardedBuffer(size_t size, unsigned char fill) : size_(size), bytes_(size + 2 * kGuardSize, kCanary) {
    std::memset(data(), fill, size);
}

void GuardedBuffer::checkGuards(const std::string& what) const {
    for (size_t i = 0; i < kGuardSize; ++i) {
        if (bytes_[i] != kCanary) throw CheckFailed(what + " wrote before the start of its " + std::to_string(size_) + "-byte buffer");
    }
    size_t overrun = kGuardSize;
    while (overrun > 0 && bytes_[kGuardSize + size_ + overrun - 1] == kCanary) --overrun;
    if (overrun) {
        throw CheckFailed(what + " wrote past its " + std::to_string(size_) + "-byte buffer (" + std::to_string(overrun) +
                          (overrun == kGuardSize ? " bytes or more)" : " bytes more)"));
    }
}

void GuardedBuffer::checkText(const std::string& what) const {
    checkGuards(what);
    if (size_ && !std::memchr(bytes_.data() + kGuardSize, '\0', size_))
        throw CheckFailed(what + " left its text without a terminator within " + std::to_string(size_) + " bytes");
}

GuardedChannels::GuardedChannels(int32_t channels, int32_t frames) : frames_(frames) {
    const size_t length = static_cast<size_t>(frames > 0 ? frames : 0);
    storage_.assign(static_cast<size_t>(channels), std::vector<float>(length + kGuardFrames, guardSample()));
    for (auto& channel : storage_) {
        std::fill(channel.begin(), channel.begin() + static_cast<std::ptrdiff_t>(length), 0.0f);
        pointers_.push_back(channel.data());
    }
}

void GuardedChannels::fill(float value) {
    const size_t length = static_cast<size_t>(frames_ > 0 ? frames_ : 0);
    for (auto& channel : storage_) std::fill(channel.begin(), channel.begin() + static_cast<std::ptrdiff_t>(length), value);
}

void GuardedChannels::checkGuards(const std::string& what) const {
    const size_t length = static_cast<size_t>(frames_ > 0 ? frames_ : 0);
    for (size_t c = 0; c < storage_.size(); ++c) {
        for (size_t i = length; i < storage_[c].size(); ++i) {
            if (!isGuardSample(storage_[c][i])) {
                throw CheckFailed(what + " wrote past the " + std::to_string(frames_) + " frames of channel " +
                                  std::to_string(c));
            }
        }
    }
}

}  // namespace host
