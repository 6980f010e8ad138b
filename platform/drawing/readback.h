// Reading the soft rasteriser back in tests: pixels, pictures and the live drawing objects, and a
// hook into the middle of a paint.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <functional>
#include <string>

namespace platform::soft {

// The pixel at (x, y), or 0 outside. Monochrome surfaces read as black 0 or white 0xFFFFFF.
Colour surfacePixel(Surface* surface, int x, int y);
// Writes a binary PPM (P6) picture for people to look at; false when it cannot.
bool saveSurfaceImage(Surface* surface, const std::string& path);

struct ObjectCounts {
    size_t deviceContexts;
    size_t surfaces;
    size_t pens;
    size_t brushes;
    size_t fonts;
    bool operator==(const ObjectCounts& other) const {
        return deviceContexts == other.deviceContexts && surfaces == other.surfaces && pens == other.pens &&
               brushes == other.brushes && fonts == other.fonts;
    }
    bool operator!=(const ObjectCounts& other) const { return !(*this == other); }
};
// Stock objects are not counted; objects whose deletion waits for a deselection are.
ObjectCounts liveObjectCounts();

// Called after every block transfer into a window's surface, with the window: a test acts from
// here while a view paints (a host's value arriving in the middle of a control's paint). An empty
// function clears it; resetDesktop clears it too.
void setWindowBlitHook(std::function<void(Window* window)> hook);

}  // namespace platform::soft
