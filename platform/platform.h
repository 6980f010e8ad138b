// The narrow OS layer: everything the toolkit and the effect need from the operating system.
// Drawing follows the device-context model (select objects into a context, draw with what is
// selected) and its pixel conventions, so that the toolkit's algorithms are written once.
//
// Backends: platform/win32 (USER, GDI, KERNEL, OLE), platform/soft (a scriptable desktop for
// tests, see platform/soft/desktop.h) and platform/x11 (the Linux module's editor inside an X11
// host); the last two draw with the soft rasteriser of platform/drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Opaque handles; each backend defines what they point at.
struct Window;
struct DeviceContext;
struct Surface;
struct Pen;
struct Brush;
struct Font;

struct Point {
    int32_t x;
    int32_t y;
};

struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// red | green << 8 | blue << 16, as the OS takes colours.
using Colour = uint32_t;

constexpr Colour makeColour(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) | (static_cast<Colour>(blue) << 16);
}

// ---- Module resources -------------------------------------------------------------------------

struct ResourceData {
    const void* data;
    size_t size;
};

// A raw resource of this module by type name and id, read in place ("FXBANK", 200).
bool findResource(const char* type, int id, ResourceData& out);

// A bitmap resource of this module as a new colour surface; null when there is none.
Surface* loadBitmapResource(int id);

// ---- Time ---------------------------------------------------------------------------------------

uint32_t tickCount();  // milliseconds, wrapping
void sleepMilliseconds(uint32_t milliseconds);

// ---- Message boxes ------------------------------------------------------------------------------

// Modal, without owner window, one OK button. The soft backend records the box and writes it to
// standard error instead of blocking.
void showMessageBox(const char* text, const char* title);

// ---- Input polling ------------------------------------------------------------------------------

enum class Key { MouseLeft, MouseMiddle, MouseRight, Shift, Control, Alt, ArrowLeft, ArrowRight, ArrowUp, ArrowDown };

// True while the key or button is held at this moment (asynchronous state, not the message queue).
bool isKeyHeld(Key key);

Point cursorPosition();  // screen coordinates
void setCursorPosition(Point screenPoint);
void showCursor(bool visible);

enum class CursorShape { Arrow, SizeNorthSouth };

// Makes `shape` the cursor of the child window's class and sets it at once.
void setCursorShape(Window* childWindow, CursorShape shape);

// The window that has the keyboard focus, or null.
Window* focusWindow();

// ---- Windows ------------------------------------------------------------------------------------

// What a child window reports. The backend calls these on the thread that owns the window.
class WindowEvents {
public:
    // `context` is the paint context, valid during the call; `area` is the region to repaint.
    virtual void onPaint(DeviceContext* context, const Rect& area) = 0;
    // Left, right or middle button pressed; client coordinates.
    virtual void onButtonDown(Point point) = 0;
    virtual void onDestroy() = 0;
    // Called on every pass of a modal loop the backend runs for the window (its popup menu),
    // so that the editor can keep the host alive where the host's own loop is blocked.
    virtual void onModalPass() {}

protected:
    ~WindowEvents() = default;
};

// A visible child window titled "Window" at (0, 0) of `parent` (a host window handle), or null.
// Windows are registered under the module's own class, kept while at least one exists.
Window* createChildWindow(void* parent, int width, int height, WindowEvents* events);
// Unlinks the events first, so messages during destruction find nobody, then destroys the window.
void destroyChildWindow(Window* window);

Rect windowScreenRect(Window* window);
Window* parentWindow(Window* window);  // null at the top
constexpr uint32_t kStyleCaption = 0x00C00000;
uint32_t windowStyle(Window* window);

// Gives a child window a new size in pixels; the whole window is then painted again.
void resizeChildWindow(Window* window, int width, int height);

// ---- Screen scale -------------------------------------------------------------------------------

// The factor the system asks applications to draw at on the screen of `hostWindow` (any handle a
// host gives, or null for the system's default): 1 for 96 dots per inch, 2 for 192. 1 when the
// system does not say.
float systemScale(void* hostWindow);

// The folder this plug-in keeps its per-user settings in (not created here); empty when the
// system gives the user no such place.
std::string settingsFolder();

// Marks the whole window for repainting; the paint arrives through the event loop.
void invalidateWindow(Window* window);
// Takes at most one pending paint of this thread (any window) off the queue and handles it.
void dispatchOnePendingPaint();
// Handles the window system's pending events for this thread's windows. Where the host's message
// loop delivers them (Windows, the soft desktop) this does nothing; the X11 editor has no loop of
// its own, so its idle and every pass of a drag loop call this.
void processPendingEvents();

// ---- Drawing ------------------------------------------------------------------------------------
// Pixel conventions: a fill of (l, t, r, b) covers columns l..r-1 and rows t..b-1; a line leaves
// out its end pixel; polygons fill with the alternate (even-odd) rule.

DeviceContext* windowContext(Window* window);
void releaseWindowContext(Window* window, DeviceContext* context);

// A memory context compatible with `compatible` (the screen when null), holding a 1x1 default
// surface until another is selected.
DeviceContext* createMemoryContext(DeviceContext* compatible);
void deleteMemoryContext(DeviceContext* context);

// A colour surface like those `compatible` draws into; a 1-bit surface (black 0, white 1).
Surface* createCompatibleSurface(DeviceContext* compatible, int width, int height);
Surface* createMonochromeSurface(int width, int height);
// A new colour surface of the given size holding `source` resampled: each pixel the average of
// the area it covers where the surface is smaller, bilinear between the source's pixels where it
// is larger. With `key`, pixels of that colour stay clean: a keyed blit leaves the result's key
// pixels out with no fringe. Null when `source` is not a colour surface or the size is impossible.
Surface* createResampledSurface(DeviceContext* compatible, Surface* source, int width, int height,
                                const Colour* key = nullptr);
void deleteSurface(Surface* surface);
void surfaceSize(Surface* surface, int& width, int& height);

enum class PenStyle { Solid = 0, Dotted = 2 };
Pen* createPen(PenStyle style, int width, Colour colour);
Pen* nullPen();  // stock object, never deleted
void deletePen(Pen* pen);

Brush* createSolidBrush(Colour colour);  // null on failure
void deleteBrush(Brush* brush);

constexpr uint8_t kPitchVariableSwiss = 34;
constexpr uint8_t kPitchDecorative = 80;
struct FontRequest {
    int height;  // negative: character height in pixels
    int weight;  // 400 regular, 700 bold
    bool italic;
    bool underline;
    uint8_t pitchAndFamily;
    const char* face;  // "Arial" or "Symbol"
};
Font* createFont(const FontRequest& request);
void deleteFont(Font* font);

// Selecting returns what was selected before (the context's default object at first).
Surface* selectSurface(DeviceContext* context, Surface* surface);
Pen* selectPen(DeviceContext* context, Pen* pen);
Brush* selectBrush(DeviceContext* context, Brush* brush);
Font* selectFont(DeviceContext* context, Font* font);  // null selects nothing and returns the current
Pen* currentPen(DeviceContext* context);
Brush* currentBrush(DeviceContext* context);
Font* currentFont(DeviceContext* context);

void setBackgroundOpaque(DeviceContext* context, bool opaque);
Colour setBackgroundColour(DeviceContext* context, Colour colour);  // returns the previous one
void setTextColour(DeviceContext* context, Colour colour);

void moveTo(DeviceContext* context, int x, int y);
void lineTo(DeviceContext* context, int x, int y);
// The rectangle primitive: outline with the pen, inside with the brush; with the null pen only
// the inside is filled, one pixel smaller than the rectangle on the right and bottom.
void drawRectangle(DeviceContext* context, const Rect& rect);
void fillRect(DeviceContext* context, const Rect& rect, Brush* brush);  // covers l..r-1, t..b-1
void drawPolygon(DeviceContext* context, const Point* points, int count);
void drawEllipse(DeviceContext* context, const Rect& rect);
void drawArc(DeviceContext* context, const Rect& rect, Point start, Point end);  // counter-clockwise

enum class TextAlign { Left, Center, Right };
// One line, centred vertically, no prefix processing, clipped to the rectangle.
void drawText(DeviceContext* context, const char* text, const Rect& rect, TextAlign align);

enum class RasterOp { Copy, And, Or, NotCopy };
// Between colour and 1-bit surfaces: colour to 1-bit gives 1 where the source pixel equals the
// source context's background colour; 1-bit to colour gives the destination context's text
// colour for 0 and its background colour for 1.
void bitBlt(DeviceContext* destination, int x, int y, int width, int height, DeviceContext* source, int sourceX,
            int sourceY, RasterOp op);

// ---- Popup menus --------------------------------------------------------------------------------

struct MenuItem {
    int command;  // 0 marks a separator
    std::string text;
    bool checked;
};

// How a popup menu is tracked; the values are those of the OS.
enum MenuFlags : uint32_t {
    kMenuCentreVertically = 0x10,  // the menu is centred vertically on the point
    kMenuNoNotify = 0x80,          // no notification messages to the owner
    kMenuReturnCommand = 0x100,    // the choice is the result, not a command message
};

// Shows a popup menu at `screenPoint` owned by `owner`; returns the chosen command, or 0 when the
// menu was dismissed. The option menu tracks with all three flags. `scale` is the owner's
// screen scale: a menu the backend draws itself grows with it.
int trackPopupMenu(Window* owner, const std::vector<MenuItem>& items, Point screenPoint, uint32_t flags,
                   float scale = 1.0f);

// ---- Drag and drop ------------------------------------------------------------------------------

enum class DropEffect { None, Copy, Move };

struct DropPayload {
    enum class Kind { Text, Files } kind;
    std::string text;                // Kind::Text: the dropped bytes
    size_t textSize;                 // size of the memory block that held the text
    std::vector<std::string> files;  // Kind::Files: the names, shortcuts already resolved
};

// Receives drags over a child window; implemented by the toolkit.
class DropReceiver {
public:
    virtual DropEffect dragEnter(bool offersText, bool offersFiles, uint32_t keyState) = 0;
    virtual DropEffect dragOver(uint32_t keyState) = 0;
    virtual void dragLeave() = 0;
    virtual void drop(const DropPayload& payload) = 0;

protected:
    ~DropReceiver() = default;
};
constexpr uint32_t kDropKeyControl = 8;  // bit of keyState: Ctrl held

bool registerDropTarget(Window* window, DropReceiver* receiver);
void revokeDropTarget(Window* window);

// Per-thread OLE (drag and drop) initialisation; calls are counted and balanced.
void initialiseDragAndDrop();
void uninitialiseDragAndDrop();

}  // namespace platform
