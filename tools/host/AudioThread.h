// A host's audio thread for the validator's groups: renders blocks of the test signal until it is
// stopped, optionally automating parameters between blocks, and remembers the first fault.
#pragma once

#include "ValidationHost.h"

#include <atomic>
#include <string>
#include <thread>

namespace host {

class AudioThread {
public:
    // With `automate`, every block is preceded by a change of a random parameter to a random
    // value in 0..1.
    AudioThread(AEffect& effect, bool automate);
    ~AudioThread();  // stops
    AudioThread(const AudioThread&) = delete;
    AudioThread& operator=(const AudioThread&) = delete;

    // Stops the thread; throws CheckFailed with the first fault it met.
    void finish();
    long blocks() const { return blocks_.load(); }
    // Waits until the thread has rendered `count` blocks in all (or has met a fault).
    void waitForBlocks(long count) const;
    long nonFiniteBlocks() const { return nonFinite_.load(); }

private:
    void run();

    AEffect& effect_;
    bool automate_;
    std::atomic<bool> running_{true};
    std::atomic<bool> faulted_{false};
    std::atomic<long> blocks_{0};
    std::atomic<long> nonFinite_{0};
    std::string fault_;
    std::thread thread_;
};

}  // namespace host
