#include "platform/x11/screen_image.h"

#include "platform/x11/connection.h"

#include <X11/Xutil.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace platform::x11 {
namespace {

// The shift of an 8-bit channel mask, or -1 when the mask is not one.
int channelShift(unsigned long mask) {
    for (int shift = 0; shift <= 24; ++shift) {
        if (mask == 0xFFul << shift) return shift;
    }
    return -1;
}

// Columns left..right-1 of row y of the surface (red | green << 8 | blue << 16) in the image's
// pixel format.
void convertSpan(XImage& image, const Visual& visual, const Surface& surface, int left, int right, int y) {
    const Colour* pixels = &surface.pixels[size_t(y) * surface.width];
    const int red = channelShift(visual.red_mask), green = channelShift(visual.green_mask),
              blue = channelShift(visual.blue_mask);
    const bool direct = image.bits_per_pixel == 32 && image.byte_order == LSBFirst && red >= 0 && green >= 0 &&
                        blue >= 0;
    if (direct) {
        auto* row = reinterpret_cast<uint32_t*>(image.data + static_cast<ptrdiff_t>(y) * image.bytes_per_line);
        for (int x = left; x < right; ++x) {
            const Colour c = pixels[x];
            row[x] = (c & 0xFF) << red | (c >> 8 & 0xFF) << green | (c >> 16 & 0xFF) << blue;
        }
        return;
    }
    // Any other TrueColor layout: channels scaled into their masks, pixel by pixel.
    auto scaled = [](unsigned value, unsigned long mask) {
        if (!mask) return 0ul;
        int shift = 0;
        while (!(mask >> shift & 1)) ++shift;
        const unsigned long top = mask >> shift;
        return ((value * top + 127) / 255) << shift;
    };
    for (int x = left; x < right; ++x) {
        const Colour c = pixels[x];
        XPutPixel(&image, x, y,
                  scaled(c & 0xFF, visual.red_mask) | scaled(c >> 8 & 0xFF, visual.green_mask) |
                      scaled(c >> 16 & 0xFF, visual.blue_mask));
    }
}

}  // namespace

ScreenImage::~ScreenImage() { release(connection()); }

bool ScreenImage::create(Connection& connection, int width, int height) {
    Display* display = connection.display;
    if (connection.sharedMemory) {
        image_ = XShmCreateImage(display, connection.visual, unsigned(connection.depth), ZPixmap, nullptr, &segment_,
                                 unsigned(width), unsigned(height));
        if (image_) {
            segment_.shmid = shmget(IPC_PRIVATE, size_t(image_->bytes_per_line) * image_->height, IPC_CREAT | 0600);
            void* memory = segment_.shmid >= 0 ? shmat(segment_.shmid, nullptr, 0) : reinterpret_cast<void*>(-1);
            bool attached = false;
            if (memory != reinterpret_cast<void*>(-1)) {
                segment_.shmaddr = image_->data = static_cast<char*>(memory);
                segment_.readOnly = False;
                ErrorTrap trap(display);
                XShmAttach(display, &segment_);
                attached = trap.succeeded();  // fails for a server on another machine
            }
            // Marked for removal at once: the segment goes when both sides have detached.
            if (segment_.shmid >= 0) shmctl(segment_.shmid, IPC_RMID, nullptr);
            if (attached) {
                shared_ = true;
            } else {
                if (memory != reinterpret_cast<void*>(-1)) shmdt(memory);
                image_->data = nullptr;
                XDestroyImage(image_);
                image_ = nullptr;
                connection.sharedMemory = false;  // not tried again on this connection
            }
        }
    }
    if (!image_) {
        const int bitmapPad = connection.depth > 16 ? 32 : connection.depth > 8 ? 16 : 8;
        image_ = XCreateImage(display, connection.visual, unsigned(connection.depth), ZPixmap, 0, nullptr,
                              unsigned(width), unsigned(height), bitmapPad, 0);
        if (!image_) return false;
        image_->data = static_cast<char*>(std::calloc(size_t(image_->bytes_per_line), size_t(height)));
        if (!image_->data) {
            XDestroyImage(image_);
            image_ = nullptr;
            return false;
        }
    }
    gc_ = XCreateGC(display, connection.root, 0, nullptr);
    return true;
}

void ScreenImage::put(Connection& connection, ::Window window, Surface& surface) {
    const int width = surface.width, height = surface.height;
    if (width <= 0 || height <= 0) return;
    if (!image_ && !create(connection, width, height)) return;
    if (!shownOnce_) {
        putRect(connection, window, surface, {0, 0, width, height});
        shownOnce_ = true;
    } else {
        if (surface.changed.empty()) return;
        for (int i = 0; i < surface.changed.count(); ++i) putRect(connection, window, surface, surface.changed[i]);
    }
    surface.changed.clear();
}

void ScreenImage::putRect(Connection& connection, ::Window window, const Surface& surface, const Rect& rect) {
    const int left = std::max(rect.left, 0), top = std::max(rect.top, 0);
    const int right = std::min(rect.right, surface.width), bottom = std::min(rect.bottom, surface.height);
    if (left >= right || top >= bottom) return;
    for (int y = top; y < bottom; ++y) convertSpan(*image_, *connection.visual, surface, left, right, y);
    const auto width = unsigned(right - left), height = unsigned(bottom - top);
    if (shared_)
        XShmPutImage(connection.display, window, gc_, image_, left, top, left, top, width, height, False);
    else
        XPutImage(connection.display, window, gc_, image_, left, top, left, top, width, height);
}

void ScreenImage::release(Connection* connection) {
    if (!image_) return;
    if (connection) {
        if (shared_) XShmDetach(connection->display, &segment_);
        XFreeGC(connection->display, gc_);
        XSync(connection->display, False);
    }
    if (shared_) {
        shmdt(segment_.shmaddr);
        image_->data = nullptr;
    }
    XDestroyImage(image_);  // frees the data of an unshared image
    image_ = nullptr;
    gc_ = nullptr;
    shared_ = false;
    shownOnce_ = false;
}

}  // namespace platform::x11
