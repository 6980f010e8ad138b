// An own window's picture on the server: a client-side image in the server's pixel format
// (in shared memory where MIT-SHM works). Only the rectangles the rasteriser wrote since the last
// put are converted and travel; the first put sends the whole surface.
#pragma once

#include "platform/drawing/objects.h"

#include "platform/x11/xlib.h"

namespace platform::x11 {

struct Connection;

class ScreenImage {
public:
    ScreenImage() = default;
    ~ScreenImage();
    ScreenImage(const ScreenImage&) = delete;
    ScreenImage& operator=(const ScreenImage&) = delete;

    // Puts what of `surface` changed since the last put onto `window`, and marks it shown.
    void put(Connection& connection, ::Window window, Surface& surface);
    // Frees the image while the connection is still open.
    void release(Connection* connection);

private:
    bool create(Connection& connection, int width, int height);
    void putRect(Connection& connection, ::Window window, const Surface& surface, const Rect& rect);

    XImage* image_ = nullptr;
    XShmSegmentInfo segment_{};
    bool shared_ = false;
    GC gc_ = nullptr;
    bool shownOnce_ = false;  // the first put sends everything, whatever was marked
};

}  // namespace platform::x11
