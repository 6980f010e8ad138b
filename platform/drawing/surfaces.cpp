// Colour and monochrome surfaces (the bitmaps of the device-context model).
#include "platform/drawing/readback.h"
#include "platform/drawing/objects.h"
#include "platform/drawing/resample.h"

#include <new>

namespace platform {
namespace {

constexpr int64_t kLargestSurfacePixels = int64_t(1) << 26;

bool drawsMonochrome(DeviceContext* context) {
    return soft::isLiveContext(context) && context->kind == DeviceContext::Kind::Memory && context->surface &&
           context->surface->monochrome;
}

Surface* makeSurface(int width, int height, bool monochrome) {
    if (width < 0 || height < 0) return nullptr;
    // As CreateBitmap answers an empty size: the stock 1x1 monochrome surface.
    if (width == 0 || height == 0) return soft::stockSurface();
    return soft::newSurface(width, height, monochrome, 0);
}

}  // namespace

Colour Surface::representable(Colour colour) const {
    if (!monochrome) return colour & 0xFFFFFF;
    // The nearer of black and white, as GDI maps a colour onto a monochrome surface.
    const int sum = (colour & 0xFF) + (colour >> 8 & 0xFF) + (colour >> 16 & 0xFF);
    return sum > 382 ? 0xFFFFFF : 0;
}

namespace soft {

Surface* newSurface(int width, int height, bool monochrome, Colour fill) {
    if (width <= 0 || height <= 0 || int64_t(width) * height > kLargestSurfacePixels) return nullptr;
    auto* surface = new (std::nothrow) Surface;
    if (!surface) return nullptr;
    surface->width = width;
    surface->height = height;
    surface->monochrome = monochrome;
    try {
        surface->pixels.assign(size_t(width) * height, surface->representable(fill));
    } catch (const std::bad_alloc&) {
        delete surface;
        return nullptr;
    }
    registerObject(surface);
    return surface;
}

Colour pixelAt(const Surface& surface, int x, int y) { return surface.contains(x, y) ? surface.at(x, y) : 0; }

Colour surfacePixel(Surface* surface, int x, int y) { return isLive(surface) ? pixelAt(*surface, x, y) : 0; }

bool saveSurfaceImage(Surface* surface, const std::string& path) {
    return isLive(surface) && writeImageFile(*surface, path);
}

}  // namespace soft

Surface* createCompatibleSurface(DeviceContext* compatible, int width, int height) {
    // As CreateCompatibleBitmap: a memory context holding a monochrome surface (its default
    // one, say) makes monochrome surfaces.
    return makeSurface(width, height, drawsMonochrome(compatible));
}

Surface* createMonochromeSurface(int width, int height) { return makeSurface(width, height, true); }

Surface* createResampledSurface(DeviceContext*, Surface* source, int width, int height, const Colour* key) {
    if (!soft::isLive(source) || source->monochrome) return nullptr;
    Surface* surface = soft::newSurface(width, height, false, 0);
    if (!surface) return nullptr;
    surface->pixels = resamplePixels(source->pixels.data(), source->width, source->height, width, height, key);
    return surface;
}

void deleteSurface(Surface* surface) {
    if (soft::isLive(surface)) soft::deleteObject(surface);
}

void surfaceSize(Surface* surface, int& width, int& height) {
    const bool live = soft::isLive(surface);
    width = live ? surface->width : 0;
    height = live ? surface->height : 0;
}

}  // namespace platform
