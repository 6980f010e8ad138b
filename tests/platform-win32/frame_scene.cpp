#include "frame_scene.h"

#include "gui/CGuiBitmap.h"
#include "gui/CGuiContext.h"
#include "gui/CGuiOffscreen.h"

namespace frame_scene {

namespace {

class SceneView : public CGuiView {
public:
    SceneView() : CGuiView(kFrameRect), sprite(new CGuiBitmap(kSpriteBitmap)) {}
    ~SceneView() override { sprite->release(); }

    void paint(CGuiContext* context) override {
        // Fills and outlines.
        context->setBrushColor({200, 30, 40, 0});
        context->paintRect({4, 4, 20, 16});
        context->setPenColor({250, 230, 20, 0});
        context->outlineRect({24, 4, 44, 16});
        context->setBrushColor({20, 40, 60, 0});
        context->paintRect({24, 4, 44, 16});  // inside the outline, to the pixel
        const CGuiPoint box[] = {{4, 34}, {20, 34}, {20, 46}, {4, 46}};
        context->setBrushColor({90, 200, 90, 0});
        context->paintPolygon(box, 4);

        // Lines in every direction, shallow and steep, solid and dotted.
        context->setPenColor({255, 255, 255, 0});
        line(context, {4, 20}, {40, 20});
        line(context, {46, 4}, {46, 30});
        line(context, {50, 4}, {62, 16});
        line(context, {40, 24}, {4, 31});
        line(context, {30, 34}, {36, 60});
        context->setPenPattern(kPenDotted);
        context->setPenColor({0, 0, 0, 0});
        line(context, {4, 50}, {44, 50});
        line(context, {44, 54}, {24, 60});
        context->setPenPattern(kPenSolid);

        // Bitmaps: opaque, keyed, a part of one, and one under a draw offset.
        sprite->paintOpaque(context, {64, 4, 80, 16}, {0, 0});
        sprite->paintKeyed(context, {64, 20, 80, 32}, {0, 0});
        sprite->paintKeyed(context, {84, 4, 92, 10}, {4, 3});
        context->drawOffset = {-30, 10};
        sprite->paintKeyed(context, {112, 10, 128, 22}, {0, 0});  // lands at (82, 20) .. (98, 32)
        context->drawOffset = {0, 0};

        // An offscreen of the window's kind, drawn into and copied to the window in one blit.
        CGuiOffscreen offscreen(context->frame(), 18, 11, {60, 20, 90, 0});
        sprite->paintKeyed(&offscreen, {2, -2, 18, 10}, {0, 0});
        offscreen.setPenColor({250, 250, 0, 0});
        offscreen.penMoveTo({0, 10});
        offscreen.penLineTo({18, 0});
        offscreen.copyInto(context, {4, 52, 22, 63}, {0, 0});

        // Text and curves, left out of the comparison.
        context->selectFont(3, 0, 0);
        context->setTextColor({255, 255, 255, 0});
        context->drawText("Az 45", {50, 38, 94, 50}, false, kTextCenter);
        context->setBrushColor({40, 40, 200, 0});
        context->paintEllipse({52, 50, 64, 62});
        context->strokeEllipse({66, 50, 78, 62});
        context->strokeArc({80, 50, 94, 62}, {94, 56}, {80, 56});
        const CGuiPoint triangle[] = {{50, 37}, {60, 47}, {52, 49}};
        context->paintPolygon(triangle, 3);
    }

private:
    static void line(CGuiContext* context, CGuiPoint from, CGuiPoint to) {
        context->penMoveTo(from);
        context->penLineTo(to);
    }

    CGuiBitmap* sprite;
};

}  // namespace

void build(CGuiFrame& frame) {
    CGuiBitmap* skin = new CGuiBitmap(kSkinBitmap);
    frame.setSkin(skin);
    skin->release();
    frame.attachView(new SceneView);
}

}  // namespace frame_scene
