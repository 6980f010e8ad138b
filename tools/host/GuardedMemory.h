// Memory handed to a module with canaries around it, so that a write past either end shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

class GuardedBuffer {
public:
    explicit GuardedBuffer(size_t size, unsigned char fill = 0);

    void* data() { return bytes_.data() + kGuardSize; }
    const void* data() const { return bytes_.data() + kGuardSize; }
    char* text() { return reinterpret_cast<char*>(data()); }
    size_t size() const { return size_; }

    // Throws CheckFailed naming `what` when a canary was overwritten.
    void checkGuards(const std::string& what) const;

private:
    static constexpr size_t kGuardSize = 32;
    size_t size_;
    std::vector<unsigned char> bytes_;
};

// A text buffer as hosts give one: kGivenTextSize bytes, of which the interface publishes only the
// first `published` (terminator included). Hosts give more because many modules write more.
class GuardedText {
public:
    static constexpr size_t kGivenTextSize = 256;
    explicit GuardedText(size_t published);

    char* data() { return buffer_.text(); }
    std::string text() const;  // what the module wrote, up to the buffer's end
    // Throws CheckFailed for a write past the given buffer or a text not terminated within it;
    // reports a warning, once per `kind`, for a text past the published size.
    void check(const std::string& kind, const std::string& what) const;

private:
    size_t published_;
    GuardedBuffer buffer_;
};

// Audio channels with guard samples after each, so that a module rendering more frames than it
// was asked for is caught. `frames` may be 0.
class GuardedChannels {
public:
    GuardedChannels(int32_t channels, int32_t frames);

    float** pointers() { return pointers_.data(); }
    float* channel(int32_t index) { return pointers_[static_cast<size_t>(index)]; }
    int32_t count() const { return static_cast<int32_t>(pointers_.size()); }
    int32_t frames() const { return frames_; }
    void fill(float value);
    void checkGuards(const std::string& what) const;

private:
    static constexpr int32_t kGuardFrames = 16;
    int32_t frames_;
    std::vector<std::vector<float>> storage_;
    std::vector<float*> pointers_;
};

}  // namespace host
