// Time: the real clock, or a manual one that tests set and that sleeping advances.
#include "platform/soft/desktop.h"
#include "platform/soft/windows.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace platform {
namespace {

// The effect may read the clock from any thread; the state is small enough for atomics.
std::atomic<bool> manual{false};
std::atomic<uint32_t> manualNow{0};
std::atomic<uint64_t> totalSlept{0};

std::mutex hookMutex;
std::function<void(uint32_t)> sleepHook;

}  // namespace

namespace soft {

void resetClock() {
    manual = false;
    manualNow = 0;
    totalSlept = 0;
    setSleepHook({});
}

void useManualClock(uint32_t milliseconds) {
    manualNow = milliseconds;
    manual = true;
}

void advanceClock(uint32_t milliseconds) { manualNow += milliseconds; }

uint64_t totalSleptMilliseconds() { return totalSlept; }

void setSleepHook(std::function<void(uint32_t now)> hook) {
    std::lock_guard lock(hookMutex);
    sleepHook = std::move(hook);
}

}  // namespace soft

uint32_t tickCount() {
    if (manual) return manualNow;
    auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

void sleepMilliseconds(uint32_t milliseconds) {
    if (!manual) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    uint32_t now = manualNow += milliseconds;
    totalSlept += milliseconds;
    std::function<void(uint32_t)> hook;
    {
        std::lock_guard lock(hookMutex);
        hook = sleepHook;
    }
    if (hook) hook(now);  // called unlocked: the hook may script anything, even a new hook
}

}  // namespace platform
