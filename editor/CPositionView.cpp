#include "editor/CPositionView.h"

#include <cmath>
#include <optional>

#include "editor/CLinkedValue.h"
#include "editor/PointerAngle.h"
#include "gui/CGuiBitmap.h"
#include "gui/CGuiFrame.h"
#include "gui/CGuiOffscreen.h"
#include "gui/MouseTracking.h"

namespace {

// Skin slots: the strips and the sector ride in the skin control's further skins, the centre
// offset and the marker's base size in its two points, the keyed marker in its flag byte.
enum { kMarkerSlot = 0, kHighlightMarkerSlot = 1, kSectorSlot = 2 };

constexpr double kRadiansPerDegree = 1.0 / kDegreesPerRadian;

int roundedOffset(double degrees, double radius, double (*axis)(double)) {
    return static_cast<int>(std::floor(axis(degrees * kRadiansPerDegree) * radius + 0.5));
}

// Angles run from behind (straight down) towards the right: 0 below, 90 right, 180 above.
CGuiPoint pointAt(CGuiPoint centre, double degrees, double radius) {
    return {centre.h + roundedOffset(degrees, radius, std::sin), centre.v + roundedOffset(degrees, radius, std::cos)};
}

CGuiBitmap* variant(bool highlighted, CGuiBitmap* highlight, CGuiBitmap* plain) {
    return highlighted && highlight ? highlight : plain;
}

}  // namespace

// What drawing reads of the current values, each limited to 0..1.
struct CPositionView::Geometry {
    int width;
    int height;
    CGuiPoint centre;  // view coordinates
    double sourceAngle;
    double halfWidth;  // of the sector, degrees
    int radius;
    float elevation;
};

CPositionView::CPositionView(const CGuiRect& rect, CGuiControlListener* listener, int tag, CGuiBitmap* background,
                             CGuiBitmap* highlightBackground, CGuiBitmap* markerStrip,
                             CGuiBitmap* highlightMarkerStrip, CGuiBitmap* sector, CGuiBitmap* highlightSector,
                             bool keyedMarker, CGuiPoint centreOffset, int innerRadius, int outerRadius,
                             CGuiPoint markerBaseSize, int markerImages)
    : CGuiSkinControl(rect, listener, tag, background, highlightBackground, markerStrip, highlightMarkerStrip, sector,
                      centreOffset, markerBaseSize, false, keyedMarker, 0, 0.0f, false, 0),
      innerRadius(innerRadius),
      outerRadius(outerRadius),
      markerImages(markerImages),
      highlightSector_(retainBitmap(highlightSector)) {}

CPositionView::~CPositionView() {
    releaseBitmap(highlightSector_);
    for (CLinkedValue* linked = linkHead; linked;) {
        CLinkedValue* next = linked->linkNext;
        linked->linkOwner = nullptr;
        linked->release();
        linked = next;
    }
}

CLinkedValue* CPositionView::linkedValue(int position) const {
    CLinkedValue* linked = linkHead;
    for (int i = 0; linked && i < position; ++i)
        linked = linked->linkNext;
    return linked;
}

float CPositionView::linkedValueOrZero(int position) {
    CLinkedValue* linked = linkedValue(position);
    return linked ? drawingFraction(linked->currentValue()) : 0.0f;
}

bool CPositionView::needsRepaint() {
    if (CGuiSkinControl::needsRepaint())
        return true;
    for (CLinkedValue* linked = linkHead; linked; linked = linked->linkNext) {
        if (linked->changedSincePaint())
            return true;
    }
    return false;
}

void CPositionView::markRepaint(bool repaint) {
    CGuiSkinControl::markRepaint(repaint);
    for (CLinkedValue* linked = linkHead; linked; linked = linked->linkNext)
        linked->CGuiSkinControl::markRepaint(repaint);
}

void CPositionView::refresh(CGuiContext* context) {
    if (!needsRepaint())
        return;
    constexpr int kLinksKept = 8;  // the editor links four
    float shown[kLinksKept];
    int count = 0;
    for (CLinkedValue* linked = linkHead; linked && count < kLinksKept; linked = linked->linkNext)
        shown[count++] = linked->currentValue();
    const float own = currentValue();
    paint(context);
    int index = 0;
    for (CLinkedValue* linked = linkHead; linked && index < count; linked = linked->linkNext)
        linked->setPreviousValue(shown[index++]);
    setPreviousValue(own);
}

CPositionView::Geometry CPositionView::geometry() {
    Geometry geometry;
    CGuiBitmap* background = skin();
    geometry.width = background ? background->width() : bounds.width();
    geometry.height = background ? background->height() : bounds.height();
    const CGuiPoint& offset = extraPoints[0];
    geometry.centre = {offset.h + geometry.width / 2, offset.v + geometry.height / 2};
    const float azimuth = linkedValueOrZero(0);
    const float distance = linkedValueOrZero(1);
    geometry.elevation = linkedValueOrZero(2);
    geometry.halfWidth = linkedValueOrZero(3) * 180.0;
    geometry.radius = innerRadius + static_cast<int>(std::floor((outerRadius - innerRadius) * distance + 0.5));
    // Azimuth 0.5 is ahead (180), 0.75 right (90), 0.25 left (270), 0 and 1 behind.
    geometry.sourceAngle = (1.0 - azimuth) * 360.0;
    if (geometry.sourceAngle == 360.0)
        geometry.sourceAngle = 0.0;
    return geometry;
}

CGuiRect CPositionView::markerRect(int& image) {
    const Geometry geometry = this->geometry();
    const CGuiPoint& base = extraPoints[1];
    image = markerImages < 2 ? 0 : static_cast<int>(std::floor((markerImages - 1) * geometry.elevation + 0.5));
    const CGuiPoint place = pointAt(geometry.centre, geometry.sourceAngle, geometry.radius);
    const int width = base.h + image;
    const int height = base.v + image;
    const int left = place.h - width / 2;
    const int top = place.v - height / 2;
    return {left, top, left + width, top + height};
}

void CPositionView::paint(CGuiContext* context) {
    const Geometry geometry = this->geometry();
    CGuiFrame* frame = context->frame() ? context->frame() : ownerFrame;
    CGuiBitmap* background = variant(isHighlighted, highlightSkin, skin());
    CGuiOffscreen disc = background ? CGuiOffscreen(context, background, false)
                                    : CGuiOffscreen(frame, geometry.width, geometry.height, kBlackColor);

    // The sector: a mask black inside it, through which the sector image shows. A sector of half
    // a turn or more is drawn as its white complement on black, through the opposite angle.
    if (CGuiBitmap* sector = variant(isHighlighted, highlightSector_, sectorBitmap())) {
        const double t = geometry.sourceAngle;
        const double h = geometry.halfWidth;
        double opposite = t + 180.0;
        if (opposite >= 360.0)
            opposite -= 360.0;
        double start = t - h;
        if (start < 0.0)
            start += 360.0;
        double end = t + h;
        if (end >= 360.0)
            end -= 360.0;
        const bool wide = h >= 90.0;
        const double middle = wide ? opposite : t;
        const double reach = geometry.width > geometry.height ? geometry.width : geometry.height;
        CGuiOffscreen mask(frame, geometry.width, geometry.height, wide ? kBlackColor : kWhiteColor);
        mask.setBrushColor(wide ? kWhiteColor : kBlackColor);
        const CGuiPoint polygon[4] = {geometry.centre, pointAt(geometry.centre, start, reach),
                                      pointAt(geometry.centre, middle, reach), pointAt(geometry.centre, end, reach)};
        mask.paintPolygon(polygon, 4);
        sector->captureMask(&mask, {0, 0});
        sector->paintKeyed(&disc, {0, 0, geometry.width, geometry.height}, {0, 0});
    }

    if (CGuiBitmap* strip = variant(isHighlighted, extraSkins[kHighlightMarkerSlot], extraSkins[kMarkerSlot])) {
        int image;
        const CGuiRect marker = markerRect(image);
        const CGuiPoint& base = extraPoints[1];
        // Image k lies below images 0..k-1, whose heights are base, base + 1, ..., base + k - 1.
        const CGuiPoint source = {0, base.v * image + image * (image - 1) / 2};
        if (optionFlag)
            strip->paintKeyed(&disc, marker, source);
        else
            strip->paintOpaque(&disc, marker, source);
    }

    disc.copyInto(context, bounds, {0, 0});
    markRepaint(false);
}

void CPositionView::resetLinkedValues(CGuiContext* context) {
    for (CLinkedValue* linked = linkHead; linked; linked = linked->linkNext) {
        if (linked->currentValue() == linked->resetValue())
            continue;
        linked->setCurrentValue(linked->resetValue());
        if (listener)
            listener->valueChanged(context, linked);
    }
}

void CPositionView::onMouseDown(CGuiContext* context, CGuiPoint point) {
    if (!mouseEnabled())
        return;
    if (context->readButtons() == (kMouseLeft | kKeyControl)) {
        resetLinkedValues(context);
        return;
    }
    drag(context, point);
}

// The gesture is announced for the two parameters the drag writes, azimuth and distance, not
// for the view's own tag: a host would take that for a parameter index.
void CPositionView::drag(CGuiContext* context, CGuiPoint point) {
    CLinkedValue* azimuth = linkedValue(0);
    CLinkedValue* distance = linkedValue(1);
    MouseTracking tracking(this);
    std::optional<EditGesture> azimuthGesture;
    std::optional<EditGesture> distanceGesture;
    if (azimuth)
        azimuthGesture.emplace(azimuth);
    if (distance)
        distanceGesture.emplace(distance);
    const CGuiPoint& offset = extraPoints[0];
    const int centreX = bounds.left + (bounds.right - bounds.left) / 2 - offset.h;
    const int centreY = bounds.top + (bounds.bottom - bounds.top) / 2 - offset.v;
    // The pointer with its fraction: on a scaled screen the source moves finer than a pixel.
    CGuiPosition pointer = {static_cast<float>(point.h), static_cast<float>(point.v)};
    CGuiPosition handled = {0.0f, 0.0f};
    while (stillAttached(this) && (context->readButtons() & kMouseLeft)) {
        if (pointer.h != handled.h || pointer.v != handled.v) {
            const double dx = static_cast<double>(pointer.h) - centreX;
            const double dy = static_cast<double>(pointer.v) - centreY;
            double angle;
            if (azimuth && angleFromBelow(dx, dy, angle))  // on the centre the azimuth stays
                azimuth->setCurrentValue(static_cast<float>((dx > 0 ? 360.0 - angle : angle) / 360.0));
            if (distance) {
                const double reach = std::sqrt(dx * dx + dy * dy);
                const double q = (reach - innerRadius) / (outerRadius - innerRadius);
                distance->setCurrentValue(static_cast<float>(q < 0.0 ? 0.0 : q > 1.0 ? 1.0 : q));
            }
            // Painting marks both values painted: which of them changed is decided before.
            const bool azimuthChanged = azimuth && azimuth->changedSincePaint();
            const bool distanceChanged = distance && distance->changedSincePaint();
            if (azimuthChanged || distanceChanged) {
                paint(context);
                if (azimuthChanged && listener)
                    listener->valueChanged(context, azimuth);
                if (distanceChanged && listener)
                    listener->valueChanged(context, distance);
            }
        }
        handled = pointer;
        context->readMousePosition(pointer);
        pumpEditorIdle();
    }
    azimuthGesture.reset();  // end 4 before end 5, as the gesture began
    distanceGesture.reset();
}
