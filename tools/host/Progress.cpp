#include "Progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace host {
namespace {

constexpr auto kQuietTime = std::chrono::milliseconds(500);  // short renders show no bar at all
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 30;

}  // namespace

Progress::Progress(int64_t totalFrames, double sampleRate)
    : totalFrames_(totalFrames), sampleRate_(sampleRate), enabled_(isatty(STDERR_FILENO) != 0 && totalFrames > 0) {}

Progress::~Progress() {
    if (shown_) std::fputs("\r\033[K", stderr);  // leave the line clean for what follows
}

void Progress::update(int64_t framesDone) {
    if (!enabled_) return;
    const auto now = Clock::now();
    if (now - start_ < kQuietTime || now - lastDrawn_ < kRedrawInterval) return;
    lastDrawn_ = now;
    draw(framesDone);
}

void Progress::draw(int64_t framesDone) {
    const double fraction = std::clamp(static_cast<double>(framesDone) / static_cast<double>(totalFrames_), 0.0, 1.0);
    const int filled = static_cast<int>(fraction * kBarWidth);
    const std::string bar = std::string(static_cast<size_t>(filled), '#') + std::string(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\rrendering [%s] %3d%%  %.1f of %.1f s", bar.c_str(), static_cast<int>(fraction * 100.0),
                 static_cast<double>(framesDone) / sampleRate_, static_cast<double>(totalFrames_) / sampleRate_);
    std::fflush(stderr);
    shown_ = true;
}

}  // namespace host
