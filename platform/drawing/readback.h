// Reading the soft rasteriser back in tests: pixels, pictures and the live drawing objects.
#pragma once

#include "platform/platform.h"

#include <cstddef>
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

}  // namespace platform::soft
