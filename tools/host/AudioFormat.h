// Choosing and naming the output file format (libsndfile format codes).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host {

// Major format by its command-line name: wav, flac, aiff. Throws UsageError otherwise.
int containerByName(std::string_view name);
// Sample format by its command-line name: 16, 24, 32f. Throws UsageError otherwise.
int sampleFormatByName(std::string_view name);

// The output format: the input's own unless the user chose a container or sample format. A
// sample format the container cannot hold in the input's own format falls back to 24-bit.
// Throws HostError when libsndfile cannot write the result.
int chooseOutputFormat(int inputFormat, std::optional<int> container, std::optional<int> sampleFormat,
                       int channels, int sampleRate);

// Container and sample format as libsndfile names them, e.g. "FLAC (Free Lossless Audio Codec), Signed 24 bit PCM".
std::string describeFormat(int format);

}  // namespace host
