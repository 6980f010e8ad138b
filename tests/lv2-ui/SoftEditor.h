// The effect's editor drawn on the soft desktop, as the VST module's editor shows a set of
// parameter values: what the UI's X11 window must show pixel for pixel.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "support/RecordingHost.h"

class CEffect;
struct _XDisplay;  // Xlib's Display: its header's macros would clash with the platform's names
namespace platform {
struct Window;
}

class SoftEditor {
public:
    // The editor after the effect's construction and then these parameter changes, in order.
    explicit SoftEditor(const std::vector<std::pair<int, float>>& changes = {});
    ~SoftEditor();

    // The pixels of an X11 window (read from the server) that differ from this editor after a
    // whole repaint; every
    // pixel when the window's size differs or it cannot be read.
    int differingPixels(_XDisplay* display, unsigned long window) const;

private:
    RecordingHost host_;
    std::unique_ptr<CEffect> effect_;
    platform::Window* hostWindow_ = nullptr;
};

// Saves an X11 window's picture (of any size) as a binary PPM for people to look at.
bool saveWindowPicture(_XDisplay* display, unsigned long window, const char* path);
// Whether the X server has the pointer at screen point (x, y).
bool pointerAt(_XDisplay* display, int x, int y);
