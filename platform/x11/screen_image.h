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

    // Whether `surface` holds nothing that this image has not put yet.
    bool upToDate(const Surface& surface) const { return shownOnce_ && surface.changed.empty(); }
    // Puts what of `surface` changed since the last put onto `window`, and marks it shown. The
    // caller ends with a round trip (its error trap's): the server has then read the shared
    // segment, which the next put converts into again.
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
