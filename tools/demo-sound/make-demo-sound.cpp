// Writes the demo's source sound: ten seconds of a plucked-string arpeggio over C, A minor, F and
// G, ending on a strummed C major chord, as a mono 16-bit WAV file.
//
// usage: make-demo-sound OUT.wav
#include "PluckedString.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSampleRate = 44100;
constexpr double kLengthSeconds = 10.0;
constexpr double kNoteSeconds = 0.25;   // one arpeggio step
constexpr double kChordSeconds = 2.0;
constexpr double kPeak = 0.4;           // about -8 dBFS: the spatialiser adds gain toward the near ear

// MIDI note numbers: the bass note, then the arpeggio's eight steps.
struct Chord {
    int bass;
    int steps[8];
};
constexpr Chord kChords[] = {
    {48, {60, 64, 67, 72, 76, 72, 67, 64}},  // C
    {45, {57, 60, 64, 69, 72, 69, 64, 60}},  // A minor
    {41, {53, 57, 60, 65, 69, 65, 60, 57}},  // F
    {43, {55, 59, 62, 67, 71, 67, 62, 59}},  // G
};
constexpr int kFinalChord[] = {48, 55, 60, 64, 67, 72};
constexpr double kStrumSpacing = 0.03;

double frequencyOf(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

void pluck(std::vector<float>& mix, double startSeconds, int note, float gain, double ringSeconds, uint32_t seed) {
    PluckedString string(frequencyOf(note), kSampleRate, ringSeconds, seed);
    const size_t start = static_cast<size_t>(startSeconds * kSampleRate);
    for (size_t frame = start; frame < mix.size(); ++frame) mix[frame] += gain * string.next();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-demo-sound OUT.wav\n");
        return 2;
    }
    std::vector<float> mix(static_cast<size_t>(kLengthSeconds * kSampleRate), 0.0f);
    uint32_t seed = 1;
    double time = 0.0;
    for (const Chord& chord : kChords) {
        pluck(mix, time, chord.bass, 0.8f, 2.5, seed++);
        for (int step = 0; step < 8; ++step) pluck(mix, time + step * kNoteSeconds, chord.steps[step], 0.45f, 1.2, seed++);
        time += kChordSeconds;
    }
    for (size_t string = 0; string < std::size(kFinalChord); ++string) {
        pluck(mix, time + string * kStrumSpacing, kFinalChord[string], 0.4f, 3.0, seed++);
    }

    const float peak = std::max(*std::max_element(mix.begin(), mix.end()), -*std::min_element(mix.begin(), mix.end()));
    const float scale = peak > 0.0f ? static_cast<float>(kPeak) / peak : 1.0f;
    for (float& sample : mix) sample *= scale;

    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(argv[1], SFM_WRITE, &info);
    if (file == nullptr) {
        std::fprintf(stderr, "make-demo-sound: cannot write %s: %s\n", argv[1], sf_strerror(nullptr));
        return 1;
    }
    const sf_count_t written = sf_writef_float(file, mix.data(), static_cast<sf_count_t>(mix.size()));
    sf_close(file);
    if (written != static_cast<sf_count_t>(mix.size())) {
        std::fprintf(stderr, "make-demo-sound: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
