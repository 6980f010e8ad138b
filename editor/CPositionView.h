// The position disc, seen from above with the listener at the centre and ahead at the top: a
// marker at the source's azimuth, at a radius growing with the distance and a size growing with
// the elevation, over a lit sector as wide as the azimuth modulation swings. Dragging moves the
// source. Bound to no parameter itself: it reads and writes its four through linked values.
#pragma once

#include "gui/CGuiSkinControl.h"

class CLinkedValue;

class CPositionView : public CGuiSkinControl {
public:
    // Bitmaps may be null; the highlighted ones replace the plain ones while highlighted.
    CPositionView(const CGuiRect& rect, CGuiControlListener* listener, int tag, CGuiBitmap* background,
                  CGuiBitmap* highlightBackground, CGuiBitmap* markerStrip, CGuiBitmap* highlightMarkerStrip,
                  CGuiBitmap* sector, CGuiBitmap* highlightSector, bool keyedMarker, CGuiPoint centreOffset,
                  int innerRadius, int outerRadius, CGuiPoint markerBaseSize, int markerImages);
    ~CPositionView() override;  // lets go of its linked values

    void paint(CGuiContext* context) override;
    void onMouseDown(CGuiContext* context, CGuiPoint point) override;
    // The view's own rule, or any linked value's.
    bool needsRepaint() override;
    void markRepaint(bool repaint) override;  // to the view and every linked value
    // As a control's refresh, for the linked values too: each counts as painted as it was before
    // the paint began.
    void refresh(CGuiContext* context) override;

    // Linked value by its place in the list: 0 azimuth, 1 distance, 2 elevation, 3 depth.
    CLinkedValue* linkedValue(int position) const;

    // Where the marker of the current values is drawn, in view coordinates, and its strip image.
    CGuiRect markerRect(int& image);

    CGuiBitmap* sectorBitmap() const { return extraSkins[2]; }
    CGuiBitmap* highlightSectorBitmap() const { return highlightSector_; }

    int innerRadius;
    int outerRadius;
    int markerImages;
    CLinkedValue* linkHead = nullptr;

private:
    struct Geometry;
    Geometry geometry();
    float linkedValueOrZero(int position);
    void resetLinkedValues(CGuiContext* context);
    void drag(CGuiContext* context, CGuiPoint point);

    CGuiBitmap* highlightSector_;
};
