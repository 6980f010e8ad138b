#include "GuardedMemory.h"

#include "ValidationHost.h"

#include <algorithm>
#include <cstring>

namespace host {
namespace {

constexpr unsigned char kCanary = 0xA5;
// What fills a text buffer past its published size: a write there shows as a changed byte.
constexpr unsigned char kBeyondPublished = 0x5A;
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

GuardedText::GuardedText(size_t published) : published_(published), buffer_(kGivenTextSize) {
    std::memset(data() + published, kBeyondPublished, kGivenTextSize - published);
}

std::string GuardedText::text() const {
    const char* bytes = static_cast<const char*>(buffer_.data());
    return std::string(bytes, strnlen(bytes, kGivenTextSize));
}

void GuardedText::check(const std::string& kind, const std::string& what) const {
    buffer_.checkGuards(what);
    const auto* bytes = static_cast<const unsigned char*>(buffer_.data());
    if (!std::memchr(bytes, '\0', kGivenTextSize))
        throw CheckFailed(what + " left its text without a terminator within the " + std::to_string(kGivenTextSize) +
                          "-byte buffer");
    size_t end = kGivenTextSize;
    while (end > published_ && bytes[end - 1] == kBeyondPublished) --end;
    if (end > published_) {
        const size_t past = end - published_;
        reportWarning(kind, what + " wrote " + std::to_string(past) + (past == 1 ? " byte" : " bytes") + " past the published " +
                                std::to_string(published_) + "-byte text (\"" + text() + "\")");
    } else if (!std::memchr(bytes, '\0', published_)) {
        reportWarning(kind, what + " left its text without a terminator within the published " +
                                std::to_string(published_) + " bytes");
    }
}

GuardedChannels::GuardedChannels(int32_t channels, int32_t frames) : frames_(frames) {
    const size_t length = static_cast<size_t>(frames > 0 ? frames : 0);
    storage_.assign(static_cast<size_t>(channels), std::vector<float>(length + kGuardFrames, guardSample()));
    for (auto& channel : storage_) {
        std::fill(channel.begin(), channel.begin() + static_cast<std::ptrdiff_t>(length), 0.0f);
        pointers_.push_back(channel.data());
    }
    pointers_.reserve(1);  // a module without channels still gets an array, not null
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
