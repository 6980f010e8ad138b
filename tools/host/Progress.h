// A progress bar on standard error, shown only on a terminal and only once a render takes a while.
#pragma once

#include <chrono>
#include <cstdint>

namespace host {

class Progress {
public:
    // `totalFrames` is what the render will produce; `sampleRate` turns frames into seconds.
    Progress(int64_t totalFrames, double sampleRate);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(int64_t framesDone);

private:
    using Clock = std::chrono::steady_clock;

    void draw(int64_t framesDone);

    int64_t totalFrames_;
    double sampleRate_;
    bool enabled_;
    bool shown_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastDrawn_{};
};

}  // namespace host
