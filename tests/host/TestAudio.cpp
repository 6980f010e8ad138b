#include "TestAudio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

Audio makeAudio(int sampleRate, int channels, int64_t frames, const std::function<float(int, int64_t)>& sample) {
    Audio audio;
    audio.sampleRate = sampleRate;
    audio.channels.assign(static_cast<size_t>(channels), std::vector<float>(static_cast<size_t>(frames)));
    for (int channel = 0; channel < channels; ++channel) {
        for (int64_t frame = 0; frame < frames; ++frame) audio.channels[channel][frame] = sample(channel, frame);
    }
    return audio;
}

void writeAudio(const std::filesystem::path& path, const Audio& audio, int format) {
    SF_INFO info{};
    info.samplerate = audio.sampleRate;
    info.channels = static_cast<int>(audio.channels.size());
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> interleaved(audio.channels.size() * static_cast<size_t>(audio.frames()));
    for (size_t channel = 0; channel < audio.channels.size(); ++channel) {
        for (int64_t frame = 0; frame < audio.frames(); ++frame) {
            interleaved[static_cast<size_t>(frame) * audio.channels.size() + channel] = audio.channels[channel][frame];
        }
    }
    EXPECT_EQ(sf_writef_float(file, interleaved.data(), audio.frames()), audio.frames());
    sf_close(file);
}

Audio readAudio(const std::filesystem::path& path) {
    Audio audio;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    EXPECT_NE(file, nullptr) << path << ": " << sf_strerror(nullptr);
    if (file == nullptr) return audio;
    std::vector<float> interleaved(static_cast<size_t>(info.frames * info.channels));
    EXPECT_EQ(sf_readf_float(file, interleaved.data(), info.frames), info.frames);
    sf_close(file);
    audio.sampleRate = info.samplerate;
    audio.format = info.format;
    audio.channels.assign(static_cast<size_t>(info.channels), std::vector<float>(static_cast<size_t>(info.frames)));
    for (int channel = 0; channel < info.channels; ++channel) {
        for (sf_count_t frame = 0; frame < info.frames; ++frame) {
            audio.channels[channel][frame] = interleaved[static_cast<size_t>(frame * info.channels + channel)];
        }
    }
    return audio;
}

double rms(const std::vector<float>& samples, int64_t begin, int64_t end) {
    double sum = 0.0;
    for (int64_t frame = begin; frame < end; ++frame) sum += static_cast<double>(samples[frame]) * samples[frame];
    return end > begin ? std::sqrt(sum / static_cast<double>(end - begin)) : 0.0;
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "host-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a scratch folder";
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchFolder::entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string readText(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}
