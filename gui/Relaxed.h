// A value shared between the host's audio thread (setParameter) and the GUI thread (painting):
// an atomic read and written with relaxed order, since nothing else is published through it.
#pragma once

#include <atomic>

template <typename T>
class Relaxed {
public:
    Relaxed(T value) : value_(value) {}  // NOLINT: reads like the plain value it replaces

    operator T() const { return value_.load(std::memory_order_relaxed); }
    Relaxed& operator=(T value) {
        value_.store(value, std::memory_order_relaxed);
        return *this;
    }

private:
    std::atomic<T> value_;
};
