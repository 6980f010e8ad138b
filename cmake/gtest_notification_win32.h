// GoogleTest's Notification is built on std::mutex, which the win32 thread model of GCC 12's
// MinGW does not provide. This stand-in is force-included into GoogleTest and the test programs
// of the cross builds (cmake/Testing.cmake). Only GoogleTest's own thread tests wait on it.
#pragma once

#include <atomic>

namespace testing::internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified.store(true, std::memory_order_release); }
    void WaitForNotification() {
        while (!notified.load(std::memory_order_acquire)) {
        }
    }

private:
    std::atomic<bool> notified{false};
};

}  // namespace testing::internal
