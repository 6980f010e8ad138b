// Device contexts, surfaces, pens, brushes and fonts, and selecting them into contexts.
#include "platform/win32/handles.h"

#include <vector>

#include "platform/drawing/resample.h"

namespace platform {

using win32::toHandle;

DeviceContext* windowContext(Window* window) { return win32::toContext(GetDC(toHandle(window))); }

void releaseWindowContext(Window* window, DeviceContext* context) { ReleaseDC(toHandle(window), toHandle(context)); }

DeviceContext* createMemoryContext(DeviceContext* compatible) {
    return win32::toContext(CreateCompatibleDC(toHandle(compatible)));
}

void deleteMemoryContext(DeviceContext* context) {
    if (context != nullptr) DeleteDC(toHandle(context));
}

Surface* createCompatibleSurface(DeviceContext* compatible, int width, int height) {
    if (compatible != nullptr) return win32::toSurface(CreateCompatibleBitmap(toHandle(compatible), width, height));
    HDC screen = GetDC(nullptr);
    HBITMAP surface = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return win32::toSurface(surface);
}

Surface* createMonochromeSurface(int width, int height) {
    return win32::toSurface(CreateBitmap(width, height, 1, 1, nullptr));
}

// Through 32-bit top-down DIBs: the filter runs on plain pixels, the same code as on Linux.
Surface* createResampledSurface(DeviceContext* compatible, Surface* source, int width, int height, const Colour* key) {
    int sourceWidth = 0, sourceHeight = 0;
    surfaceSize(source, sourceWidth, sourceHeight);
    if (sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = sourceWidth;
    info.bmiHeader.biHeight = -sourceHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(sourceWidth) * sourceHeight);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, toHandle(source), 0, sourceHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != sourceHeight) return nullptr;
    // DIB pixels are 0x00RRGGBB, the layer's colours 0x00BBGGRR.
    const uint32_t dibKey = key ? (*key & 0xFF) << 16 | (*key & 0xFF00) | (*key >> 16 & 0xFF) : 0;
    const std::vector<uint32_t> resampled =
        resamplePixels(pixels.data(), sourceWidth, sourceHeight, width, height, key ? &dibKey : nullptr);
    Surface* surface = createCompatibleSurface(compatible, width, height);
    if (surface == nullptr) return nullptr;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    screen = GetDC(nullptr);
    const int written = SetDIBits(screen, toHandle(surface), 0, height, resampled.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (written != height) {
        deleteSurface(surface);
        return nullptr;
    }
    return surface;
}

void deleteSurface(Surface* surface) {
    if (surface != nullptr) DeleteObject(toHandle(surface));
}

void surfaceSize(Surface* surface, int& width, int& height) {
    BITMAP description{};
    if (surface == nullptr || GetObjectA(toHandle(surface), sizeof description, &description) == 0) {
        width = 0;
        height = 0;
        return;
    }
    width = description.bmWidth;
    height = description.bmHeight;
}

Pen* createPen(PenStyle style, int width, Colour colour) {
    return win32::toPen(CreatePen(static_cast<int>(style), width, colour));
}

Pen* nullPen() { return win32::toPen(GetStockObject(NULL_PEN)); }

void deletePen(Pen* pen) {
    if (pen != nullptr) DeleteObject(toHandle(pen));
}

Brush* createSolidBrush(Colour colour) { return win32::toBrush(CreateSolidBrush(colour)); }

void deleteBrush(Brush* brush) {
    if (brush != nullptr) DeleteObject(toHandle(brush));
}

Font* createFont(const FontRequest& request) {
    return win32::toFont(CreateFontA(request.height, 0, 0, 0, request.weight, request.italic ? TRUE : FALSE,
                                     request.underline ? TRUE : FALSE, FALSE, ANSI_CHARSET, OUT_STRING_PRECIS,
                                     CLIP_STROKE_PRECIS, DEFAULT_QUALITY, request.pitchAndFamily, request.face));
}

void deleteFont(Font* font) {
    if (font != nullptr) DeleteObject(toHandle(font));
}

Surface* selectSurface(DeviceContext* context, Surface* surface) {
    return win32::toSurface(SelectObject(toHandle(context), toHandle(surface)));
}

Pen* selectPen(DeviceContext* context, Pen* pen) { return win32::toPen(SelectObject(toHandle(context), toHandle(pen))); }

Brush* selectBrush(DeviceContext* context, Brush* brush) {
    return win32::toBrush(SelectObject(toHandle(context), toHandle(brush)));
}

Font* selectFont(DeviceContext* context, Font* font) {
    if (font == nullptr) return currentFont(context);
    return win32::toFont(SelectObject(toHandle(context), toHandle(font)));
}

Pen* currentPen(DeviceContext* context) { return win32::toPen(GetCurrentObject(toHandle(context), OBJ_PEN)); }

Brush* currentBrush(DeviceContext* context) { return win32::toBrush(GetCurrentObject(toHandle(context), OBJ_BRUSH)); }

Font* currentFont(DeviceContext* context) { return win32::toFont(GetCurrentObject(toHandle(context), OBJ_FONT)); }

void setBackgroundOpaque(DeviceContext* context, bool opaque) {
    SetBkMode(toHandle(context), opaque ? OPAQUE : TRANSPARENT);
}

Colour setBackgroundColour(DeviceContext* context, Colour colour) { return SetBkColor(toHandle(context), colour); }

void setTextColour(DeviceContext* context, Colour colour) { SetTextColor(toHandle(context), colour); }

}  // namespace platform
