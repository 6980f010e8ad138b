#include "gui/CGuiContext.h"

#include <memory>
#include <new>

#include "gui/CGuiFrame.h"

namespace {

struct FontTableEntry {
    const char* face;
    int size;  // pixels
};

// Id 0 is always bold; id 7 is the decorative (symbol) face.
constexpr FontTableEntry kFontTable[8] = {
    {"Arial", 12}, {"Arial", 18}, {"Arial", 14}, {"Arial", 12},
    {"Arial", 11}, {"Arial", 10}, {"Arial", 9},  {"Symbol", 13},
};
constexpr int kSymbolFontId = 7;
constexpr int kLocalPolygonPoints = 30;  // small polygons need no heap buffer

// Runs one filling primitive with the null pen, so that the shape gets no outline.
template <typename Fill>
void fillWithoutOutline(platform::DeviceContext* context, Fill fill) {
    platform::Pen* previous = platform::selectPen(context, platform::nullPen());
    fill();
    platform::selectPen(context, previous);
}

}  // namespace

CGuiContext::CGuiContext(CGuiFrame* frame, platform::DeviceContext* deviceContext, platform::Window* window)
    : window_(window), frame_(frame) {
    if (frame) {
        clipArea = frame->bounds;
        scale = frame->scale();
    }
    if (deviceContext)
        attachDeviceContext(deviceContext);
    if (window) {
        const platform::Rect screen = platform::windowScreenRect(window);
        windowOrigin = {screen.left, screen.top};
    }
}

CGuiContext::~CGuiContext() {
    detachDeviceContext();
    if (brush_)
        platform::deleteBrush(brush_);
    if (pen_)
        platform::deletePen(pen_);
    if (font_)
        platform::deleteFont(font_);
}

void CGuiContext::attachDeviceContext(platform::DeviceContext* deviceContext) {
    deviceContext_ = deviceContext;
    savedBrush_ = platform::currentBrush(deviceContext);
    savedPen_ = platform::currentPen(deviceContext);
    savedFont_ = platform::currentFont(deviceContext);
    platform::setBackgroundOpaque(deviceContext, false);
    setPenColor(penColor);
    setPenPattern(penPattern);
    setBrushColor(brushColor);
    setTextColor(textColor);
}

void CGuiContext::detachDeviceContext() {
    if (!deviceContext_)
        return;
    if (savedBrush_)
        platform::selectBrush(deviceContext_, savedBrush_);
    if (savedPen_)
        platform::selectPen(deviceContext_, savedPen_);
    if (savedFont_)
        platform::selectFont(deviceContext_, savedFont_);
    deviceContext_ = nullptr;
}

platform::Point CGuiContext::toDevice(const CGuiPoint& point) const {
    return scale.toDevice(CGuiPoint{point.h + drawOffset.h, point.v + drawOffset.v});
}

// A pen's width lies centred on its path; on a scaled screen the path moves by half the width so
// that a line covers the device pixels of the logical pixels it covers at 100 %.
platform::Point CGuiContext::penPoint(const CGuiPoint& point) const {
    platform::Point at = toDevice(point);
    if (!scale.isIdentity()) {
        const int half = scale.toDevice(penWidth) / 2;
        at.x += half;
        at.y += half;
    }
    return at;
}

void CGuiContext::penMoveTo(const CGuiPoint& point) {
    penPosition_ = point;
    if (!deviceContext_)
        return;
    const platform::Point at = penPoint(point);
    platform::moveTo(deviceContext_, at.x, at.y);
}

void CGuiContext::penLineTo(const CGuiPoint& point) {
    const CGuiPoint from = penPosition_;
    penPosition_ = point;
    if (!deviceContext_)
        return;
    const platform::Point at = penPoint(point);
    // On a scaled screen a solid level or upright line is the block of device pixels of the
    // logical pixels it covers at 100 % (its end pixel left out), with square ends.
    if (!scale.isIdentity() && penPattern == kPenSolid && penWidth == 1 && (from.h == point.h || from.v == point.v) &&
        (from.h != point.h || from.v != point.v)) {
        // Columns (or rows) from the start up to, not including, the end, whichever way it runs.
        auto span = [](int32_t start, int32_t end, int32_t& low, int32_t& high) {
            low = start < end ? start : end + 1;
            high = start < end ? end : start + 1;
        };
        CGuiRect covered = {from.h, from.v, from.h + 1, from.v + 1};
        if (from.v == point.v)
            span(from.h, point.h, covered.left, covered.right);
        else
            span(from.v, point.v, covered.top, covered.bottom);
        if (platform::Brush* brush = platform::createSolidBrush(penColor.toPlatform())) {
            platform::fillRect(deviceContext_, scale.toDevice(covered.movedBy(drawOffset)), brush);
            platform::deleteBrush(brush);
        }
        platform::moveTo(deviceContext_, at.x, at.y);
        return;
    }
    platform::lineTo(deviceContext_, at.x, at.y);
}

void CGuiContext::outlineRect(const CGuiRect& rect) {
    penMoveTo({rect.left, rect.top});
    penLineTo({rect.right, rect.top});
    penLineTo({rect.right, rect.bottom});
    penLineTo({rect.left, rect.bottom});
    penLineTo({rect.left, rect.top});
}

void CGuiContext::paintRect(const CGuiRect& rect) {
    if (!deviceContext_)
        return;
    // With the null pen the rectangle primitive leaves out its right and bottom edge; moved by one
    // pixel it fills exactly the inside of outlineRect(rect).
    const CGuiRect inside = rect.movedBy(drawOffset);
    platform::Rect at = scale.toDevice(CGuiRect{inside.left + 1, inside.top + 1, inside.right, inside.bottom});
    at.right += 1;
    at.bottom += 1;
    fillWithoutOutline(deviceContext_, [&] { platform::drawRectangle(deviceContext_, at); });
}

void CGuiContext::paintPolygon(const CGuiPoint* points, int count) {
    if (!deviceContext_ || !points || count <= 0)
        return;
    platform::Point local[kLocalPolygonPoints];
    std::unique_ptr<platform::Point[]> heap;
    platform::Point* buffer = local;
    if (count > kLocalPolygonPoints) {
        heap.reset(new (std::nothrow) platform::Point[count]);
        if (!heap)
            return;
        buffer = heap.get();
    }
    for (int i = 0; i < count; ++i)
        buffer[i] = toDevice(points[i]);
    fillWithoutOutline(deviceContext_, [&] { platform::drawPolygon(deviceContext_, buffer, count); });
}

void CGuiContext::paintEllipse(const CGuiRect& rect) {
    if (!deviceContext_)
        return;
    const platform::Rect at = scale.toDevice(rect.movedBy(drawOffset).movedBy({1, 1}));
    fillWithoutOutline(deviceContext_, [&] { platform::drawEllipse(deviceContext_, at); });
}

void CGuiContext::strokeArc(const CGuiRect& rect, const CGuiPoint& start, const CGuiPoint& end) {
    if (!deviceContext_)
        return;
    CGuiRect bounding = rect.movedBy(drawOffset);
    bounding.right += 1;
    bounding.bottom += 1;
    platform::drawArc(deviceContext_, scale.toDevice(bounding), toDevice(start), toDevice(end));
}

void CGuiContext::strokeEllipse(const CGuiRect& rect) {
    const CGuiPoint top = {rect.left + (rect.right - rect.left) / 2, rect.top};
    strokeArc(rect, top, top);
}

void CGuiContext::drawText(const char* text, const CGuiRect& rect, bool opaque, int alignment) {
    if (!deviceContext_ || !text)
        return;
    CGuiRect at = rect.movedBy(drawOffset);
    platform::TextAlign align = platform::TextAlign::Left;
    if (alignment == kTextCenter) {
        align = platform::TextAlign::Center;
    } else if (alignment == kTextRight) {
        align = platform::TextAlign::Right;
    } else {
        at.left += 1;  // left-aligned text keeps one pixel off the edge
    }
    platform::setBackgroundOpaque(deviceContext_, opaque);
    platform::drawText(deviceContext_, text, scale.toDevice(at), align);
    platform::setBackgroundOpaque(deviceContext_, false);
}

void CGuiContext::selectOwnPen(platform::Pen* pen) {
    if (!pen)
        return;
    platform::selectPen(deviceContext_, pen);
    if (pen_)
        platform::deletePen(pen_);
    pen_ = pen;
}

// Lines grow with the scale, one device pixel at the least.
platform::Pen* CGuiContext::createOwnPen() const {
    const int width = scale.toDevice(penWidth);
    return platform::createPen(penStyle_, width > 0 || penWidth <= 0 ? width : 1, penColor.toPlatform());
}

void CGuiContext::setPenPattern(int pattern) {
    penPattern = pattern;
    penStyle_ = pattern == kPenDotted ? platform::PenStyle::Dotted : platform::PenStyle::Solid;
    if (deviceContext_)
        selectOwnPen(createOwnPen());
}

void CGuiContext::setPenColor(CGuiColor color) {
    penColor = color;
    if (deviceContext_)
        selectOwnPen(createOwnPen());
}

void CGuiContext::setBrushColor(CGuiColor color) {
    brushColor = color;
    if (!deviceContext_)
        return;
    platform::setBackgroundColour(deviceContext_, color.toPlatform());
    platform::Brush* brush = platform::createSolidBrush(color.toPlatform());
    if (!brush)
        return;  // the previous brush stays selected
    platform::selectBrush(deviceContext_, brush);
    if (brush_)
        platform::deleteBrush(brush_);
    brush_ = brush;
}

void CGuiContext::setTextColor(CGuiColor color) {
    textColor = color;
    if (deviceContext_)
        platform::setTextColour(deviceContext_, color.toPlatform());
}

void CGuiContext::selectFont(int id, int size, int styleBits) {
    if (id < 0 || id >= static_cast<int>(sizeof kFontTable / sizeof kFontTable[0]))
        id = 0;
    fontId = id;
    fontSize = size == 0 ? kFontTable[id].size : size;
    if (!deviceContext_)
        return;
    platform::FontRequest request;
    request.height = -scale.toDevice(fontSize);  // the rasteriser draws the letters at the scaled size
    request.weight = (styleBits & kFontBold) || id == 0 ? 700 : 400;
    request.italic = (styleBits & kFontItalic) != 0;
    request.underline = (styleBits & kFontUnderline) != 0;
    request.pitchAndFamily = id == kSymbolFontId ? platform::kPitchDecorative : platform::kPitchVariableSwiss;
    request.face = kFontTable[id].face;
    platform::Font* font = platform::createFont(request);
    if (!font)
        return;
    platform::selectFont(deviceContext_, font);
    if (font_)
        platform::deleteFont(font_);
    font_ = font;
}

int CGuiContext::readButtons() const {
    int buttons = 0;
    if (platform::isKeyHeld(platform::Key::MouseLeft))
        buttons |= kMouseLeft;
    if (platform::isKeyHeld(platform::Key::MouseMiddle))
        buttons |= kMouseMiddle;
    if (platform::isKeyHeld(platform::Key::MouseRight))
        buttons |= kMouseRight;
    if (platform::isKeyHeld(platform::Key::Shift))
        buttons |= kKeyShift;
    if (platform::isKeyHeld(platform::Key::Control))
        buttons |= kKeyControl;
    if (platform::isKeyHeld(platform::Key::Alt))
        buttons |= kKeyAlt;
    return buttons;
}

void CGuiContext::readMousePoint(CGuiPoint& point) const {
    const platform::Point cursor = platform::cursorPosition();
    point = {scale.logicalPixel(cursor.x - windowOrigin.h), scale.logicalPixel(cursor.y - windowOrigin.v)};
}

void CGuiContext::readMousePosition(CGuiPosition& position) const {
    const platform::Point cursor = platform::cursorPosition();
    position = {scale.toLogical(cursor.x - windowOrigin.h), scale.toLogical(cursor.y - windowOrigin.v)};
}
