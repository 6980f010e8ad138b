// An own window's picture on the server: a client-side image in the server's pixel format
// (in shared memory where MIT-SHM works), and a copy of what was last put, so that only the
// rows that changed travel.
#pragma once

#include "platform/drawing/objects.h"

#include "platform/x11/xlib.h"

#include <vector>

namespace platform::x11 {

struct Connection;

class ScreenImage {
public:
    ScreenImage() = default;
    ~ScreenImage();
    ScreenImage(const ScreenImage&) = delete;
    ScreenImage& operator=(const ScreenImage&) = delete;

    // Puts the rows of `surface` that differ from what was put before onto `window`.
    void put(Connection& connection, ::Window window, const Surface& surface);
    // The server lost the window's contents (an exposure): the next put sends every row.
    void forgetShown() { shown_.clear(); }
    // Frees the image while the connection is still open.
    void release(Connection* connection);

private:
    bool create(Connection& connection, int width, int height);

    XImage* image_ = nullptr;
    XShmSegmentInfo segment_{};
    bool shared_ = false;
    GC gc_ = nullptr;
    std::vector<Colour> shown_;  // the surface as last put; empty before the first put
};

}  // namespace platform::x11
