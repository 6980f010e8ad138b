// Time: a monotonic millisecond tick, which no change of the wall clock moves.
#include "platform/platform.h"

#include <cerrno>
#include <time.h>

namespace platform {

uint32_t tickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

void sleepMilliseconds(uint32_t milliseconds) {
    timespec duration{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    // A signal cuts the sleep short; the rest is slept.
    while (nanosleep(&duration, &duration) != 0 && errno == EINTR) {
    }
}

}  // namespace platform
