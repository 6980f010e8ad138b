// Drawing contexts: the exact pixels of the shape operations, text placement, fonts, the input
// bits and the drawing objects a context owns.
#include "gui_test_support.h"

#include "gui/CGuiFrame.h"

namespace {

using ContextTest = SoftDesktopTest;

const std::map<platform::Colour, char> kLegend = {{kBlack, '.'}, {kRed, 'R'}, {kBlue, 'B'}, {kWhite, 'W'}};

TEST_F(ContextTest, PaintRectFillsExactlyTheInsideOfTheOutlineOfTheSameRect) {
    Canvas canvas(8, 7, kBlack);
    CGuiContext* context = canvas.context();
    context->setPenColor({255, 0, 0, 0});
    context->outlineRect({1, 1, 5, 4});
    context->setBrushColor({0, 0, 255, 0});
    context->paintRect({1, 1, 5, 4});
    EXPECT_EQ(canvas.picture(kLegend),
              "........\n"
              ".RRRRR..\n"
              ".RBBBR..\n"
              ".RBBBR..\n"
              ".RRRRR..\n"
              "........\n"
              "........\n");
}

TEST_F(ContextTest, EveryShapeIsMovedByTheDrawOffset) {
    Canvas plain(30, 30, kBlack);
    Canvas moved(30, 30, kBlack);
    const CGuiPoint triangle[] = {{2, 2}, {12, 2}, {2, 12}};
    auto draw = [&](CGuiContext* context) {
        context->setPenColor({255, 0, 0, 0});
        context->setBrushColor({0, 0, 255, 0});
        context->outlineRect({1, 1, 9, 6});
        context->paintRect({1, 8, 9, 12});
        context->paintPolygon(triangle, 3);
        context->paintEllipse({4, 12, 14, 18});
        context->strokeEllipse({2, 12, 12, 19});
        context->penMoveTo({0, 20});
        context->penLineTo({10, 20});
    };
    draw(plain.context());
    moved.context()->drawOffset = {5, 3};
    draw(moved.context());
    for (int y = 0; y < 27; ++y) {
        for (int x = 0; x < 25; ++x)
            ASSERT_EQ(plain.pixel(x, y), moved.pixel(x + 5, y + 3)) << x << ',' << y;
    }
}

TEST_F(ContextTest, EllipsesUseTheirShiftedBoundingBoxes) {
    Canvas toolkit(24, 24, kBlack);
    toolkit.context()->setBrushColor({0, 0, 255, 0});
    toolkit.context()->paintEllipse({2, 3, 20, 17});
    toolkit.context()->setPenColor({255, 0, 0, 0});
    toolkit.context()->strokeEllipse({2, 3, 20, 17});

    Canvas direct(24, 24, kBlack);
    platform::DeviceContext* dc = direct.deviceContext();
    platform::Brush* brush = platform::createSolidBrush(kBlue);
    platform::Brush* oldBrush = platform::selectBrush(dc, brush);
    platform::Pen* oldPen = platform::selectPen(dc, platform::nullPen());
    platform::drawEllipse(dc, {3, 4, 21, 18});
    platform::Pen* pen = platform::createPen(platform::PenStyle::Solid, 1, kRed);
    platform::selectPen(dc, pen);
    platform::drawArc(dc, {2, 3, 21, 18}, {11, 3}, {11, 3});
    platform::selectPen(dc, oldPen);
    platform::selectBrush(dc, oldBrush);
    platform::deletePen(pen);
    platform::deleteBrush(brush);

    EXPECT_TRUE(samePixels(toolkit.surface(), direct.surface(), 24, 24));
    EXPECT_EQ(toolkit.pixel(11, 10), kBlue);  // filled inside
    EXPECT_EQ(toolkit.pixel(11, 3), kRed);    // the outline passes its start point
}

// A polygon of more than 30 points takes the heap buffer; it must fill exactly as few points do.
TEST_F(ContextTest, LargePolygonsFillLikeSmallOnes) {
    std::vector<CGuiPoint> many;
    for (int i = 0; i < 10; ++i)
        many.push_back({3 + 2 * i, 2});
    for (int i = 0; i < 10; ++i)
        many.push_back({23, 2 + 2 * i});
    for (int i = 0; i < 10; ++i)
        many.push_back({23 - 2 * i, 22});
    for (int i = 0; i < 10; ++i)
        many.push_back({3, 22 - 2 * i});
    const CGuiPoint four[] = {{3, 2}, {23, 2}, {23, 22}, {3, 22}};

    Canvas large(30, 30, kBlack);
    large.context()->setBrushColor({0, 0, 255, 0});
    large.context()->drawOffset = {2, 3};
    large.context()->paintPolygon(many.data(), static_cast<int>(many.size()));
    Canvas small(30, 30, kBlack);
    small.context()->setBrushColor({0, 0, 255, 0});
    small.context()->drawOffset = {2, 3};
    small.context()->paintPolygon(four, 4);

    EXPECT_TRUE(samePixels(large.surface(), small.surface(), 30, 30));
    EXPECT_EQ(large.pixel(15, 15), kBlue);
    EXPECT_EQ(large.picture(kLegend).find('R'), std::string::npos);  // no outline pen
}

TEST_F(ContextTest, DottedPensLeaveGapsThatSolidPensDoNot) {
    Canvas canvas(20, 2, kBlack);
    CGuiContext* context = canvas.context();
    context->setPenColor({255, 0, 0, 0});
    context->penMoveTo({0, 0});
    context->penLineTo({20, 0});
    context->setPenPattern(kPenDotted);
    context->penMoveTo({0, 1});
    context->penLineTo({20, 1});
    const std::string rows = canvas.picture(kLegend);
    EXPECT_EQ(rows.substr(0, 20), std::string(20, 'R'));
    EXPECT_NE(rows.substr(21, 20).find('.'), std::string::npos);
    EXPECT_NE(rows.substr(21, 20).find('R'), std::string::npos);
}

// Draws `text` through the platform directly, for comparison.
void platformText(Canvas& canvas, const char* text, platform::Rect rect, platform::TextAlign align) {
    platform::Font* font = platform::createFont({-12, 700, false, false, platform::kPitchVariableSwiss, "Arial"});
    platform::Font* previous = platform::selectFont(canvas.deviceContext(), font);
    platform::setTextColour(canvas.deviceContext(), kWhite);
    platform::setBackgroundOpaque(canvas.deviceContext(), false);
    platform::drawText(canvas.deviceContext(), text, rect, align);
    platform::selectFont(canvas.deviceContext(), previous);
    platform::deleteFont(font);
}

TEST_F(ContextTest, LeftAlignedTextStartsOnePixelInsideItsRectangle) {
    const struct {
        int alignment;
        platform::TextAlign align;
        int platformLeft;
    } cases[] = {
        {kTextLeft, platform::TextAlign::Left, 11},
        {7, platform::TextAlign::Left, 11},  // any other value aligns left
        {kTextCenter, platform::TextAlign::Center, 10},
        {kTextRight, platform::TextAlign::Right, 10},
    };
    for (const auto& c : cases) {
        Canvas toolkit(80, 20, kBlack);
        toolkit.context()->selectFont(0, 0, 0);
        toolkit.context()->drawText("Il1", {10, 0, 70, 20}, false, c.alignment);
        Canvas direct(80, 20, kBlack);
        platformText(direct, "Il1", {c.platformLeft, 0, 70, 20}, c.align);
        EXPECT_TRUE(samePixels(toolkit.surface(), direct.surface(), 80, 20)) << "alignment " << c.alignment;
        EXPECT_NE(toolkit.picture(kLegend).find('W'), std::string::npos);
    }
}

TEST_F(ContextTest, OpaqueTextIsBackedByTheBrushColourAndTransparentTextIsNot) {
    Canvas canvas(60, 40, kBlack);
    CGuiContext* context = canvas.context();
    context->setBrushColor({0, 0, 255, 0});
    context->selectFont(3, 0, 0);
    context->drawText("88", {0, 0, 60, 20}, false, kTextCenter);
    EXPECT_EQ(canvas.picture(kLegend).find('B'), std::string::npos);
    context->drawText("88", {0, 0, 60, 20}, true, kTextCenter);
    EXPECT_NE(canvas.picture(kLegend).find('B'), std::string::npos);

    // The device context is left transparent: text drawn on it afterwards has no background.
    platform::drawText(canvas.deviceContext(), "88", {0, 20, 60, 40}, platform::TextAlign::Center);
    const std::string lowerHalf = canvas.picture(kLegend).substr(61 * 20);
    EXPECT_EQ(lowerHalf.find('B'), std::string::npos);
    EXPECT_NE(lowerHalf.find('W'), std::string::npos);
}

// Renders "Ag8" with the given font arguments.
std::unique_ptr<Canvas> renderWithFont(int id, int size, int style) {
    auto canvas = std::make_unique<Canvas>(90, 40, kBlack);
    canvas->context()->selectFont(id, size, style);
    canvas->context()->drawText("Ag8", {0, 0, 90, 40}, false, kTextLeft);
    return canvas;
}

TEST_F(ContextTest, SelectFontFollowsTheFontTable) {
    auto boldArial12 = renderWithFont(0, 0, 0);
    EXPECT_EQ(boldArial12->context()->fontSize, 12);

    auto outOfTable = renderWithFont(9, 0, 0);  // becomes id 0
    EXPECT_EQ(outOfTable->context()->fontId, 0);
    EXPECT_EQ(outOfTable->context()->fontSize, 12);
    EXPECT_TRUE(samePixels(outOfTable->surface(), boldArial12->surface(), 90, 40));
    auto negative = renderWithFont(-1, 0, 0);
    EXPECT_EQ(negative->context()->fontId, 0);

    auto id3Bold = renderWithFont(3, 0, kFontBold);  // Arial 12 bold
    EXPECT_EQ(id3Bold->context()->fontSize, 12);
    EXPECT_TRUE(samePixels(id3Bold->surface(), boldArial12->surface(), 90, 40));
    auto id3Regular = renderWithFont(3, 0, 0);
    EXPECT_FALSE(samePixels(id3Regular->surface(), boldArial12->surface(), 90, 40));

    auto id3Size20 = renderWithFont(3, 20, 0);  // Arial 20 regular
    EXPECT_EQ(id3Size20->context()->fontSize, 20);
    EXPECT_TRUE(samePixels(id3Size20->surface(), renderWithFont(2, 20, 0)->surface(), 90, 40));
    EXPECT_FALSE(samePixels(id3Size20->surface(), renderWithFont(0, 20, 0)->surface(), 90, 40));  // id 0: bold

    EXPECT_EQ(renderWithFont(1, 0, 0)->context()->fontSize, 18);
    EXPECT_EQ(renderWithFont(6, 0, 0)->context()->fontSize, 9);
    EXPECT_EQ(renderWithFont(7, 0, 0)->context()->fontSize, 13);
}

TEST_F(ContextTest, ReadButtonsReportsMouseButtonsAndModifiersAsBits) {
    CGuiContext context(nullptr, nullptr, nullptr);
    EXPECT_EQ(context.readButtons(), 0);
    platform::soft::holdKey(platform::Key::MouseLeft);
    platform::soft::holdKey(platform::Key::Control);
    EXPECT_EQ(context.readButtons(), kMouseLeft | kKeyControl);
    EXPECT_EQ(context.readButtons(), 17);
    platform::soft::holdKey(platform::Key::Shift);
    EXPECT_EQ(context.readButtons(), 25);
    platform::soft::holdKey(platform::Key::MouseMiddle);
    platform::soft::holdKey(platform::Key::MouseRight);
    platform::soft::holdKey(platform::Key::Alt);
    EXPECT_EQ(context.readButtons(), 63);
    platform::soft::holdKey(platform::Key::ArrowUp);  // not a button
    EXPECT_EQ(context.readButtons(), 63);
}

TEST_F(ContextTest, MousePointAndClipAreaComeFromTheWindowAndFrame) {
    platform::Window* host = platform::soft::createHostWindow(nullptr, platform::kStyleCaption, {100, 50, 400, 300});
    CGuiFrame frame({0, 0, 200, 120}, host, nullptr);
    CGuiContext context(&frame, nullptr, frame.childWindow);
    EXPECT_EQ(context.windowOrigin.h, 100);
    EXPECT_EQ(context.windowOrigin.v, 50);
    EXPECT_EQ(context.clipArea.right, 200);
    EXPECT_EQ(context.clipArea.bottom, 120);
    platform::setCursorPosition({130, 70});
    CGuiPoint point = {0, 0};
    context.readMousePoint(point);
    EXPECT_EQ(point.h, 30);
    EXPECT_EQ(point.v, 20);

    CGuiContext bare(nullptr, nullptr, nullptr);
    EXPECT_EQ(bare.clipArea.left, 0);
    EXPECT_EQ(bare.clipArea.top, 0);
    EXPECT_EQ(bare.clipArea.right, 1000);
    EXPECT_EQ(bare.clipArea.bottom, 1000);
    bare.readMousePoint(point);
    EXPECT_EQ(point.h, 130);
}

TEST_F(ContextTest, InitialStateIsWhitePenAndTextOnBlackBrush) {
    Canvas canvas(12, 6, kGrey);
    CGuiContext* context = canvas.context();
    context->outlineRect({0, 0, 5, 5});
    context->paintRect({0, 0, 5, 5});
    EXPECT_EQ(canvas.pixel(0, 0), kWhite);
    EXPECT_EQ(canvas.pixel(2, 2), kBlack);
    EXPECT_EQ(context->penWidth, 1);
    EXPECT_EQ(context->penPattern, kPenSolid);
    EXPECT_EQ(context->textColor.red, 255);
}

// A context owns at most one pen, brush and font, gives back what it found selected, and
// deletes its own objects at the end.
TEST_F(ContextTest, ContextsRestoreTheDeviceContextAndLeakNoObjects) {
    Canvas canvas(10, 10, kBlack);
    platform::DeviceContext* dc = canvas.deviceContext();
    const platform::soft::ObjectCounts before = platform::soft::liveObjectCounts();
    platform::Pen* pen = platform::currentPen(dc);
    platform::Brush* brush = platform::currentBrush(dc);
    platform::Font* font = platform::currentFont(dc);
    {
        CGuiContext context(nullptr, dc, nullptr);
        for (int i = 0; i < 20; ++i) {
            context.setPenColor({static_cast<uint8_t>(i), 0, 0, 0});
            context.setPenPattern(i % 2);
            context.setBrushColor({0, static_cast<uint8_t>(i), 0, 0});
            context.selectFont(i % 8, 0, i % 8);
            const CGuiPoint points[] = {{0, 0}, {5, 0}, {0, 5}};
            context.paintPolygon(points, 3);
            context.paintRect({0, 0, 4, 4});
            context.paintEllipse({0, 0, 4, 4});
            context.drawText("x", {0, 0, 10, 10}, i % 2 == 0, kTextCenter);
        }
        const platform::soft::ObjectCounts during = platform::soft::liveObjectCounts();
        EXPECT_EQ(during.pens, before.pens + 1);
        EXPECT_EQ(during.brushes, before.brushes + 1);
        EXPECT_EQ(during.fonts, before.fonts + 1);
    }
    EXPECT_EQ(platform::soft::liveObjectCounts(), before);
    EXPECT_EQ(platform::currentPen(dc), pen);
    EXPECT_EQ(platform::currentBrush(dc), brush);
    EXPECT_EQ(platform::currentFont(dc), font);
}

TEST_F(ContextTest, AContextWithoutDeviceContextKeepsStateAndDrawsNothing) {
    const platform::soft::ObjectCounts before = platform::soft::liveObjectCounts();
    CGuiContext context(nullptr, nullptr, nullptr);
    context.setPenColor({1, 2, 3, 0});
    context.setBrushColor({4, 5, 6, 0});
    context.selectFont(2, 0, 0);
    context.paintRect({0, 0, 10, 10});
    context.drawText("x", {0, 0, 10, 10}, true, kTextLeft);
    EXPECT_EQ(context.penColor.blue, 3);
    EXPECT_EQ(context.brushColor.red, 4);
    EXPECT_EQ(context.fontSize, 14);
    EXPECT_EQ(platform::soft::liveObjectCounts(), before);
}

}  // namespace
