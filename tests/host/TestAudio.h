// Small audio files made and read back by the host tests.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct Audio {
    int sampleRate = 0;
    int format = 0;
    std::vector<std::vector<float>> channels;  // planar

    int64_t frames() const { return channels.empty() ? 0 : static_cast<int64_t>(channels[0].size()); }
};

// `sample(channel, frame)` gives each sample.
Audio makeAudio(int sampleRate, int channels, int64_t frames, const std::function<float(int, int64_t)>& sample);

void writeAudio(const std::filesystem::path& path, const Audio& audio, int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT);

// Fails the calling test (and returns empty audio) when the file cannot be read.
Audio readAudio(const std::filesystem::path& path);

double rms(const std::vector<float>& samples, int64_t begin, int64_t end);

// A folder of its own for each test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> entries() const;

private:
    std::filesystem::path path_;
};

std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& text);
