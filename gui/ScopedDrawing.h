// Owners for the temporary drawing objects of the blits: memory contexts and surfaces that live
// for one scope.
#pragma once

#include <memory>

#include "platform/platform.h"

// A memory context compatible with `compatible`, holding `surface` until the scope ends.
class ScopedMemoryContext {
public:
    ScopedMemoryContext(platform::DeviceContext* compatible, platform::Surface* surface)
        : context_(platform::createMemoryContext(compatible)), previous_(platform::selectSurface(context_, surface)) {}
    ~ScopedMemoryContext() {
        platform::selectSurface(context_, previous_);
        platform::deleteMemoryContext(context_);
    }
    platform::DeviceContext* get() const { return context_; }

private:
    platform::DeviceContext* context_;
    platform::Surface* previous_;

    ScopedMemoryContext(const ScopedMemoryContext&) = delete;
    ScopedMemoryContext& operator=(const ScopedMemoryContext&) = delete;
};

struct SurfaceDeleter {
    void operator()(platform::Surface* surface) const { platform::deleteSurface(surface); }
};
using ScopedSurface = std::unique_ptr<platform::Surface, SurfaceDeleter>;
