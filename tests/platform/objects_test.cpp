// Contexts, surfaces, pens, brushes and fonts: defaults, selection, deletion and counts.
#include "soft_test_support.h"

#include <climits>

using namespace platform;

namespace {

class Objects : public SoftDesktopTest {};

TEST_F(Objects, NewMemoryContextHoldsTheDefaultObjects) {
    DeviceContext* first = createMemoryContext(nullptr);
    DeviceContext* second = createMemoryContext(first);
    EXPECT_NE(currentPen(first), nullptr);
    EXPECT_EQ(currentPen(first), currentPen(second));
    EXPECT_EQ(currentBrush(first), currentBrush(second));
    EXPECT_EQ(currentFont(first), currentFont(second));
    EXPECT_NE(currentPen(first), nullPen());

    Surface* surface = createCompatibleSurface(nullptr, 3, 3);
    Surface* initial = selectSurface(first, surface);
    int width = 0, height = 0;
    surfaceSize(initial, width, height);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 1);

    // The default brush is white and the default pen black and one pixel wide.
    drawRectangle(first, {0, 0, 3, 3});
    EXPECT_EQ(soft::surfacePixel(surface, 0, 0), kBlack);
    EXPECT_EQ(soft::surfacePixel(surface, 1, 1), kWhite);
    EXPECT_EQ(soft::surfacePixel(surface, 2, 2), kBlack);
    EXPECT_EQ(selectSurface(first, initial), surface);
    deleteMemoryContext(first);
    deleteMemoryContext(second);
    deleteSurface(surface);
}

TEST_F(Objects, NewContextDrawsOpaqueWithWhiteBackgroundAndBlackText) {
    DeviceContext* context = createMemoryContext(nullptr);
    Surface* surface = createCompatibleSurface(nullptr, 8, 1);
    selectSurface(context, surface);
    Brush* blue = createSolidBrush(kBlue);
    fillRect(context, {0, 0, 8, 1}, blue);
    Pen* dotted = createPen(PenStyle::Dotted, 1, kRed);
    Pen* defaultPen = selectPen(context, dotted);
    moveTo(context, 0, 0);
    lineTo(context, 8, 0);
    EXPECT_EQ(soft::surfacePixel(surface, 3, 0), kWhite);  // the gap, in the background colour
    EXPECT_EQ(setBackgroundColour(context, kGreen), kWhite);
    EXPECT_EQ(setBackgroundColour(context, kBlue), kGreen);

    // Monochrome black becomes the text colour.
    DeviceContext* maskContext = createMemoryContext(nullptr);
    Surface* mask = createMonochromeSurface(1, 1);
    selectSurface(maskContext, mask);
    bitBlt(context, 0, 0, 1, 1, maskContext, 0, 0, RasterOp::Copy);
    EXPECT_EQ(soft::surfacePixel(surface, 0, 0), kBlack);

    EXPECT_EQ(selectPen(context, defaultPen), dotted);
    for (DeviceContext* each : {context, maskContext}) deleteMemoryContext(each);
    deleteSurface(surface);
    deleteSurface(mask);
    deletePen(dotted);
    deleteBrush(blue);
}

TEST_F(Objects, CompatibleSurfacesFollowTheSurfaceTheContextHolds) {
    DeviceContext* context = createMemoryContext(nullptr);
    Surface* fromFresh = createCompatibleSurface(context, 2, 2);  // the default surface is monochrome
    Surface* colour = createCompatibleSurface(nullptr, 2, 2);
    selectSurface(context, colour);
    Surface* fromColour = createCompatibleSurface(context, 2, 2);

    // Only a colour surface keeps a colour that is neither black nor white.
    Brush* red = createSolidBrush(kRed);
    DeviceContext* painter = createMemoryContext(nullptr);
    for (Surface* surface : {fromFresh, fromColour}) {
        Surface* previous = selectSurface(painter, surface);
        fillRect(painter, {0, 0, 2, 2}, red);
        selectSurface(painter, previous);
    }
    EXPECT_EQ(soft::surfacePixel(fromFresh, 0, 0), kBlack);
    EXPECT_EQ(soft::surfacePixel(fromColour, 0, 0), kRed);
    deleteMemoryContext(painter);
    deleteMemoryContext(context);
    for (Surface* surface : {fromFresh, colour, fromColour}) deleteSurface(surface);
    deleteBrush(red);
}

TEST_F(Objects, ASurfaceIsSelectedInOneContextAtATime) {
    DeviceContext* first = createMemoryContext(nullptr);
    DeviceContext* second = createMemoryContext(nullptr);
    Surface* surface = createCompatibleSurface(nullptr, 2, 2);
    ASSERT_NE(selectSurface(first, surface), nullptr);
    EXPECT_EQ(selectSurface(second, surface), nullptr);
    EXPECT_EQ(selectSurface(first, surface), surface);  // selecting it again where it is works
    deleteMemoryContext(first);
    EXPECT_NE(selectSurface(second, surface), nullptr);  // free again once its context is gone
    deleteMemoryContext(second);
    deleteSurface(surface);
}

TEST_F(Objects, CountsFollowCreationAndDeletion) {
    const soft::ObjectCounts before = soft::liveObjectCounts();
    DeviceContext* context = createMemoryContext(nullptr);
    Surface* surface = createCompatibleSurface(nullptr, 4, 4);
    Pen* pen = createPen(PenStyle::Solid, 1, kRed);
    Brush* brush = createSolidBrush(kRed);
    Font* font = createFont({-12, 400, false, false, kPitchVariableSwiss, "Arial"});
    ASSERT_NE(font, nullptr);
    const soft::ObjectCounts during = soft::liveObjectCounts();
    EXPECT_EQ(during.deviceContexts, before.deviceContexts + 1);
    EXPECT_EQ(during.surfaces, before.surfaces + 1);
    EXPECT_EQ(during.pens, before.pens + 1);
    EXPECT_EQ(during.brushes, before.brushes + 1);
    EXPECT_EQ(during.fonts, before.fonts + 1);
    deleteMemoryContext(context);
    deleteSurface(surface);
    deletePen(pen);
    deleteBrush(brush);
    deleteFont(font);
    deletePen(nullPen());  // stock: never deleted, never counted
    EXPECT_EQ(soft::liveObjectCounts(), before);
}

TEST_F(Objects, DeletingSelectedObjectsWaitsForTheirContext) {
    const soft::ObjectCounts before = soft::liveObjectCounts();
    DeviceContext* context = createMemoryContext(nullptr);
    Surface* surface = createCompatibleSurface(nullptr, 2, 2);
    Pen* pen = createPen(PenStyle::Solid, 1, kRed);
    Brush* brush = createSolidBrush(kRed);
    selectSurface(context, surface);
    selectPen(context, pen);
    selectBrush(context, brush);
    deleteSurface(surface);
    deletePen(pen);
    deleteBrush(brush);
    // Still drawn with, but gone for everyone else.
    drawRectangle(context, {0, 0, 2, 2});
    EXPECT_EQ(soft::liveObjectCounts().pens, before.pens + 1);
    EXPECT_EQ(selectPen(context, pen), nullptr);
    EXPECT_EQ(soft::surfacePixel(surface, 0, 0), 0u);
    deleteMemoryContext(context);
    EXPECT_EQ(soft::liveObjectCounts(), before);
}

TEST_F(Objects, ImpossibleSizesAndHandlesAreRefused) {
    const soft::ObjectCounts before = soft::liveObjectCounts();
    EXPECT_EQ(createCompatibleSurface(nullptr, -1, 5), nullptr);
    EXPECT_EQ(createMonochromeSurface(INT_MAX, INT_MAX), nullptr);
    // An empty size gives the stock 1x1 monochrome surface, as GDI does.
    Surface* empty = createCompatibleSurface(nullptr, 0, 7);
    int width = 0, height = 0;
    surfaceSize(empty, width, height);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 1);
    deleteSurface(empty);
    EXPECT_EQ(soft::liveObjectCounts(), before);

    DeviceContext* context = createMemoryContext(nullptr);
    Font* current = currentFont(context);
    EXPECT_EQ(selectFont(context, nullptr), current);
    EXPECT_EQ(currentFont(context), current);
    auto* foreign = reinterpret_cast<Pen*>(context);
    EXPECT_EQ(selectPen(context, foreign), nullptr);
    deletePen(foreign);
    deleteMemoryContext(context);
    deleteMemoryContext(context);  // already gone: nothing happens
    EXPECT_EQ(currentPen(context), nullptr);
    EXPECT_EQ(soft::liveObjectCounts(), before);
}

}  // namespace
