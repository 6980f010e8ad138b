#include "AudioFormat.h"

#include "HostError.h"

#include <sndfile.h>

namespace host {
namespace {

constexpr int kFallbackSampleFormat = SF_FORMAT_PCM_24;

bool canWrite(int format, int channels, int sampleRate) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    return sf_format_check(&info) != 0;
}

std::string formatName(int command, int format) {
    SF_FORMAT_INFO info{};
    info.format = format;
    if (sf_command(nullptr, command, &info, sizeof info) != 0 || info.name == nullptr) {
        return "format " + std::to_string(format);
    }
    return info.name;
}

}  // namespace

int containerByName(std::string_view name) {
    if (name == "wav") return SF_FORMAT_WAV;
    if (name == "flac") return SF_FORMAT_FLAC;
    if (name == "aiff") return SF_FORMAT_AIFF;
    throw UsageError("unknown --format \"" + std::string(name) + "\" (choose wav, flac or aiff)");
}

int sampleFormatByName(std::string_view name) {
    if (name == "16") return SF_FORMAT_PCM_16;
    if (name == "24") return SF_FORMAT_PCM_24;
    if (name == "32f") return SF_FORMAT_FLOAT;
    throw UsageError("unknown --bits \"" + std::string(name) + "\" (choose 16, 24 or 32f)");
}

int chooseOutputFormat(int inputFormat, std::optional<int> container, std::optional<int> sampleFormat,
                       int channels, int sampleRate) {
    const int major = container.value_or(inputFormat & SF_FORMAT_TYPEMASK);
    int format = major | sampleFormat.value_or(inputFormat & SF_FORMAT_SUBMASK);
    if (!sampleFormat && !canWrite(format, channels, sampleRate)) format = major | kFallbackSampleFormat;
    if (!canWrite(format, channels, sampleRate)) {
        throw HostError("cannot write " + describeFormat(format) + " with " + std::to_string(channels) +
                        " channels at " + std::to_string(sampleRate) + " Hz; choose another --format or --bits");
    }
    return format;
}

std::string describeFormat(int format) {
    return formatName(SFC_GET_FORMAT_INFO, format & SF_FORMAT_TYPEMASK) + ", " +
           formatName(SFC_GET_FORMAT_INFO, format & SF_FORMAT_SUBMASK);
}

}  // namespace host
