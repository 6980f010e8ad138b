// Reading the input and writing the output audio file, one block at a time.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// An audio file in any format libsndfile reads. Throws HostError when it cannot be read.
class InputFile {
public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    int channels() const { return info_.channels; }
    int sampleRate() const { return info_.samplerate; }
    int format() const { return info_.format; }
    int64_t frames() const { return info_.frames; }

    // Reads up to `frames` frames into one buffer per module input and returns how many it read.
    // A mono file feeds every input; otherwise input i gets channel i, or silence when the file
    // has fewer channels.
    int64_t read(const std::vector<float*>& inputs, int64_t frames);

private:
    std::string path_;
    SF_INFO info_{};
    SNDFILE* file_ = nullptr;
    std::vector<float> interleaved_;
};

// The output file, written to a temporary file beside its final path and renamed onto it by
// commit(), so that a failed render neither leaves a broken file nor touches an existing one.
class OutputFile {
public:
    OutputFile(const std::string& path, int format, int channels, int sampleRate);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(const std::vector<float*>& outputs, int64_t frames);
    void commit();

private:
    std::string path_;
    std::string temporaryPath_;
    int channels_;
    SNDFILE* file_ = nullptr;
    std::vector<float> interleaved_;
};

}  // namespace host
