// The drawing objects behind the opaque handles of platform.h, and the registry that keeps
// the live ones: every handle a caller passes in is looked up before it is used, as GDI's
// handle table does, so a stale or foreign handle is refused instead of dereferenced.
#pragma once

#include "platform/drawing/changed_area.h"
#include "platform/platform.h"

#include <string>
#include <vector>

namespace platform {

struct Window;

// What GDI objects share: selected objects are freed only once no context holds them, so
// deleting one that is still selected defers the deletion (as Wine's GDI does).
enum class ObjectKind { Surface, Pen, Brush, Font };

struct DrawingObject {
    explicit DrawingObject(ObjectKind kind) : kind(kind) {}
    virtual ~DrawingObject() = default;
    const ObjectKind kind;
    const void* handle = nullptr;  // the address callers hold, the registry's key
    int selections = 0;
    bool deletePending = false;
    bool stock = false;  // stock objects are never deleted and not counted
};

struct Surface : DrawingObject {
    Surface() : DrawingObject(ObjectKind::Surface) {}
    int width = 0;
    int height = 0;
    bool monochrome = false;
    // Row-major; a monochrome surface holds only black (0) and white (0xFFFFFF).
    std::vector<Colour> pixels;
    DeviceContext* selectedInto = nullptr;  // a surface is selected in at most one context
    // Written by every raster operation; a window's backend takes it when it shows the surface.
    soft::ChangedArea changed;

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Colour& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    Colour at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // The value a colour takes on this surface: itself, or the nearer of black and white.
    Colour representable(Colour colour) const;
};

struct Pen : DrawingObject {
    Pen() : DrawingObject(ObjectKind::Pen) {}
    PenStyle style = PenStyle::Solid;
    bool null = false;
    int width = 1;
    Colour colour = 0;
};

struct Brush : DrawingObject {
    Brush() : DrawingObject(ObjectKind::Brush) {}
    Colour colour = 0;
};

struct FontFace;  // a loaded font file, see font_faces.h

struct Font : DrawingObject {
    Font() : DrawingObject(ObjectKind::Font) {}
    FontFace* face = nullptr;
    int pixelsPerEm = 0;
    int ascent = 0;   // above the baseline, pixels
    int descent = 0;  // below the baseline, pixels
    bool syntheticBold = false;
    bool syntheticItalic = false;
    bool underline = false;
};

struct DeviceContext {
    enum class Kind { Memory, Window } kind = Kind::Memory;
    Window* window = nullptr;    // window contexts; null once the window is gone
    Surface* surface = nullptr;  // what is drawn into; null once a window is gone
    Pen* pen = nullptr;
    Brush* brush = nullptr;
    Font* font = nullptr;
    Colour backgroundColour = makeColour(255, 255, 255);
    Colour textColour = makeColour(0, 0, 0);
    bool backgroundOpaque = true;
    Point position{0, 0};
};

namespace soft {

// Stock objects: the defaults selected into every new context.
Surface* stockSurface();  // 1x1 monochrome
Pen* stockBlackPen();
Pen* stockNullPen();
Brush* stockWhiteBrush();
Font* stockFont();

// Registry of live objects, keyed by handle address. `isLive` accepts stock objects too, and
// refuses objects whose deletion is pending: their handles are no longer valid for callers.
void registerObject(const void* handle, DrawingObject* object);
template <class Object>
void registerObject(Object* object) {
    registerObject(static_cast<const void*>(object), object);
}
// Stock objects are live for ever and not counted.
void registerStockObject(const void* handle, DrawingObject* object);
void registerContext(DeviceContext* context);
bool isLive(const void* handle);
bool isLiveContext(const void* handle);
// Frees the object now, or when its last selection ends.
void deleteObject(DrawingObject* object);
// Deselects everything the context holds and frees it.
void deleteContext(DeviceContext* context);
// A context's slot moves from `previous` to `next` (either may be null); `previous` is freed
// if its deletion was waiting for this.
void changeSelection(DrawingObject* previous, DrawingObject* next);

// The live contexts drawing into a window's surface, so its destruction can detach them.
void detachContextsOf(const Window* window);
// Whether a live context still draws into the window's surface.
bool hasWindowContexts(const Window* window);

// A new colour or monochrome surface, registered; null when the size is impossible.
Surface* newSurface(int width, int height, bool monochrome, Colour fill);

Colour pixelAt(const Surface& surface, int x, int y);  // 0 outside
// A binary PPM (P6) picture of the surface.
bool writeImageFile(const Surface& surface, const std::string& path);

// The context if it is live and has a surface to draw into, else null.
DeviceContext* drawableContext(DeviceContext* context);

// A registered context drawing into a window's backing surface, with the default objects.
DeviceContext* newWindowContext(Window* window, Surface* surface);

// Runs the tests' hook (readback.h) after a block transfer into a window's surface.
void afterWindowBlit(Window* window);

}  // namespace soft
}  // namespace platform
