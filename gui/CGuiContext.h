// A drawing context: one device context of the platform plus the toolkit's drawing state.
// Every coordinate handed to a drawing operation has `drawOffset` added first, then goes from
// logical to device pixels through `scale` (the frame's): pens, fonts and bitmaps grow with it.
// Contexts live for one event; views never keep one.
#pragma once

#include "gui/CGuiColor.h"
#include "gui/CGuiGeometry.h"
#include "gui/CGuiScale.h"
#include "platform/platform.h"

class CGuiFrame;

enum { kPenSolid = 0, kPenDotted = 1 };
enum { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4 };
enum { kTextLeft = 0, kTextCenter = 1, kTextRight = 2 };
// Bits of readButtons(); controls compare the whole set (17 is the Ctrl-click).
enum { kMouseLeft = 1, kMouseMiddle = 2, kMouseRight = 4, kKeyShift = 8, kKeyControl = 16, kKeyAlt = 32 };

class CGuiContext {
public:
    // Any argument may be null; a context without a device context draws nothing.
    CGuiContext(CGuiFrame* frame, platform::DeviceContext* deviceContext, platform::Window* window);
    virtual ~CGuiContext();

    void penMoveTo(const CGuiPoint& point);
    void penLineTo(const CGuiPoint& point);  // the end pixel is left out
    void outlineRect(const CGuiRect& rect);
    void paintRect(const CGuiRect& rect);  // the inside of outlineRect(rect)
    void paintPolygon(const CGuiPoint* points, int count);
    void paintEllipse(const CGuiRect& rect);
    void strokeArc(const CGuiRect& rect, const CGuiPoint& start, const CGuiPoint& end);
    void strokeEllipse(const CGuiRect& rect);
    void drawText(const char* text, const CGuiRect& rect, bool opaque, int alignment);

    void setPenPattern(int pattern);
    void setPenColor(CGuiColor color);
    void setBrushColor(CGuiColor color);  // also the background of opaque text
    void setTextColor(CGuiColor color);
    void selectFont(int id, int size, int styleBits);  // id 0..7 of the font table, size 0: its size
    int readButtons() const;
    void readMousePoint(CGuiPoint& point) const;  // relative to the window drawn into
    void readMousePosition(CGuiPosition& position) const;  // the same with its fraction

    CGuiFrame* frame() const { return frame_; }
    platform::DeviceContext* deviceContext() const { return deviceContext_; }
    platform::Window* window() const { return window_; }

    // Drawing state: read freely, change through the operations above (penWidth and drawOffset
    // may be set directly; a new penWidth takes effect with the next pen).
    CGuiPoint windowOrigin = {0, 0};
    CGuiPoint drawOffset = {0, 0};
    int fontSize = 0;
    int fontId = 0;
    CGuiColor textColor = kWhiteColor;
    int penWidth = 1;
    CGuiColor penColor = kWhiteColor;
    CGuiColor brushColor = kBlackColor;
    int penPattern = kPenSolid;
    CGuiRect clipArea = {0, 0, 1000, 1000};  // kept for views, never applied
    CGuiScale scale;                         // the frame's; set before drawing starts

protected:
    // Records the objects selected in `deviceContext` and applies the drawing state to it.
    void attachDeviceContext(platform::DeviceContext* deviceContext);
    // Selects the recorded objects back and forgets the device context.
    void detachDeviceContext();

private:
    void selectOwnPen(platform::Pen* pen);
    platform::Point toDevice(const CGuiPoint& point) const;
    platform::Point penPoint(const CGuiPoint& point) const;
    platform::Pen* createOwnPen() const;

    platform::DeviceContext* deviceContext_ = nullptr;
    platform::Window* window_ = nullptr;
    CGuiFrame* frame_ = nullptr;
    platform::Brush* brush_ = nullptr;
    platform::Pen* pen_ = nullptr;
    platform::Font* font_ = nullptr;
    platform::Brush* savedBrush_ = nullptr;
    platform::Pen* savedPen_ = nullptr;
    platform::Font* savedFont_ = nullptr;
    platform::PenStyle penStyle_ = platform::PenStyle::Solid;
    CGuiPoint penPosition_ = {0, 0};  // where the last move or line ended, logical

    CGuiContext(const CGuiContext&) = delete;
    CGuiContext& operator=(const CGuiContext&) = delete;
};
