// The drawing primitives against the pixel rules of platform/platform.h, read back with GetPixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "pixel_check.h"
#include "test_host_window.h"

namespace platform_win32_test {
namespace {

using platform::Colour;
using platform::makeColour;
using platform::Rect;

const Colour kBackground = makeColour(10, 20, 30);
const Colour kRed = makeColour(200, 16, 8);
const Colour kGreen = makeColour(4, 220, 40);
const Colour kBlack = makeColour(0, 0, 0);
const Colour kWhite = makeColour(255, 255, 255);

bool inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

// Selects a pen and a brush for one test and deletes them afterwards.
class DrawingTools {
public:
    DrawingTools(platform::DeviceContext* context, platform::Pen* pen, Colour brushColour)
        : context(context),
          pen(pen),
          brush(platform::createSolidBrush(brushColour)),
          previousPen(platform::selectPen(context, pen)),
          previousBrush(platform::selectBrush(context, brush)) {}
    ~DrawingTools() {
        platform::selectPen(context, previousPen);
        platform::selectBrush(context, previousBrush);
        platform::deletePen(pen);
        platform::deleteBrush(brush);
    }

private:
    platform::DeviceContext* context;
    platform::Pen* pen;
    platform::Brush* brush;
    platform::Pen* previousPen;
    platform::Brush* previousBrush;
};

TEST(Fills, CoverLeftToRightMinusOneAndTopToBottomMinusOne) {
    MemoryCanvas canvas(12, 12, kBackground);
    fill(canvas.context(), Rect{2, 3, 7, 9}, kRed);
    EXPECT_EQ(canvas.differences([](int x, int y) { return inside(x, y, 2, 3, 7, 9) ? kRed : kBackground; }), "");
}

TEST(Rectangles, OutlineWithThePenAndInsideWithTheBrush) {
    MemoryCanvas canvas(12, 12, kBackground);
    DrawingTools tools(canvas.context(), platform::createPen(platform::PenStyle::Solid, 1, kGreen), kRed);
    platform::drawRectangle(canvas.context(), Rect{2, 2, 9, 8});
    EXPECT_EQ(canvas.differences([](int x, int y) {
                  if (inside(x, y, 3, 3, 8, 7)) return kRed;
                  return inside(x, y, 2, 2, 9, 8) ? kGreen : kBackground;
              }),
              "");
}

TEST(Rectangles, WithTheNullPenOnlyTheInsideOnePixelSmallerIsFilled) {
    MemoryCanvas canvas(12, 12, kBackground);
    DrawingTools tools(canvas.context(), platform::nullPen(), kRed);
    platform::drawRectangle(canvas.context(), Rect{2, 2, 9, 8});
    EXPECT_EQ(canvas.differences([](int x, int y) { return inside(x, y, 2, 2, 8, 7) ? kRed : kBackground; }), "");
}

TEST(Lines, LeaveOutTheirEndPixelInEveryDirection) {
    MemoryCanvas canvas(16, 16, kBackground);
    DrawingTools tools(canvas.context(), platform::createPen(platform::PenStyle::Solid, 1, kGreen), kRed);
    platform::moveTo(canvas.context(), 1, 1);
    platform::lineTo(canvas.context(), 8, 1);  // rightwards
    platform::moveTo(canvas.context(), 12, 2);
    platform::lineTo(canvas.context(), 12, 9);  // downwards
    platform::moveTo(canvas.context(), 2, 3);
    platform::lineTo(canvas.context(), 7, 8);  // diagonal
    platform::moveTo(canvas.context(), 9, 14);
    platform::lineTo(canvas.context(), 2, 14);  // leftwards
    platform::lineTo(canvas.context(), 2, 11);  // continues from the previous end, upwards
    EXPECT_EQ(canvas.differences([](int x, int y) {
                  const bool onLine = (y == 1 && x >= 1 && x <= 7) || (x == 12 && y >= 2 && y <= 8) ||
                                      (x - y == -1 && x >= 2 && x <= 6) || (y == 14 && x >= 3 && x <= 9) ||
                                      (x == 2 && y >= 12 && y <= 14);
                  return onLine ? kGreen : kBackground;
              }),
              "");
}

TEST(Polygons, AxisAlignedPolygonFillsLikeARectangleFill) {
    MemoryCanvas canvas(12, 12, kBackground);
    DrawingTools tools(canvas.context(), platform::nullPen(), kRed);
    const platform::Point square[] = {{2, 2}, {9, 2}, {9, 8}, {2, 8}};
    platform::drawPolygon(canvas.context(), square, 4);
    EXPECT_EQ(canvas.differences([](int x, int y) { return inside(x, y, 2, 2, 9, 8) ? kRed : kBackground; }), "");
}

TEST(Polygons, FillWithTheAlternateRule) {
    // A frame drawn as one outline that goes round twice: the inner square has winding number
    // 2, so the alternate rule leaves it empty where the winding rule would fill it.
    MemoryCanvas canvas(20, 20, kBackground);
    DrawingTools tools(canvas.context(), platform::nullPen(), kRed);
    const platform::Point twice[] = {{2, 2}, {18, 2}, {18, 18}, {2, 18}, {2, 2},
                                     {6, 6}, {14, 6}, {14, 14}, {6, 14}, {6, 6}};
    SetPolyFillMode(canvas.handle(), WINDING);
    platform::drawPolygon(canvas.context(), twice, 10);
    EXPECT_EQ(canvas.pixel(10, 10), kBackground);
    EXPECT_EQ(canvas.pixel(4, 10), kRed);
    EXPECT_EQ(canvas.pixel(10, 16), kRed);
    EXPECT_EQ(canvas.pixel(1, 1), kBackground);

    MemoryCanvas star(40, 40, kBackground);
    DrawingTools starTools(star.context(), platform::nullPen(), kRed);
    platform::Point points[5];
    const double pi = std::acos(-1.0);
    for (int i = 0; i < 5; ++i) {
        const double angle = -pi / 2 + (i * 2) * (2 * pi / 5);  // every second corner of a pentagon
        points[i] = {static_cast<int32_t>(std::lround(20 + 18 * std::cos(angle))),
                     static_cast<int32_t>(std::lround(20 + 18 * std::sin(angle)))};
    }
    platform::drawPolygon(star.context(), points, 5);
    EXPECT_EQ(star.pixel(20, 21), kBackground);  // the pentagon in the middle
    EXPECT_EQ(star.pixel(20, 6), kRed);          // the top tip
    EXPECT_EQ(star.pixel(0, 0), kBackground);
}

TEST(Blits, CombineSourceAndDestinationWithEachRasterOperation) {
    const Colour source[] = {makeColour(0xF0, 0x0F, 0x55), makeColour(0x00, 0xFF, 0x81), makeColour(0x12, 0x34, 0x56)};
    const Colour destination = makeColour(0x3C, 0xA5, 0x0F);
    MemoryCanvas sourceCanvas(3, 1, kBackground);
    for (int x = 0; x < 3; ++x) fill(sourceCanvas.context(), Rect{x, 0, x + 1, 1}, source[x]);

    struct Case {
        platform::RasterOp op;
        Colour (*combine)(Colour destination, Colour source);
    };
    const Case cases[] = {
        {platform::RasterOp::Copy, [](Colour, Colour s) { return s; }},
        {platform::RasterOp::And, [](Colour d, Colour s) { return d & s; }},
        {platform::RasterOp::Or, [](Colour d, Colour s) { return d | s; }},
        {platform::RasterOp::NotCopy, [](Colour, Colour s) { return ~s & 0xFFFFFFu; }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(static_cast<int>(test.op));
        MemoryCanvas target(5, 3, destination);
        platform::bitBlt(target.context(), 1, 1, 3, 1, sourceCanvas.context(), 0, 0, test.op);
        EXPECT_EQ(target.differences([&](int x, int y) {
                      return y == 1 && x >= 1 && x <= 3 ? test.combine(destination, source[x - 1]) : destination;
                  }),
                  "");
    }
}

TEST(Blits, ColourToMonochromeGivesOneWhereTheSourceHasItsBackgroundColour) {
    MemoryCanvas colour(4, 1, kRed);
    fill(colour.context(), Rect{1, 0, 2, 1}, kGreen);
    fill(colour.context(), Rect{3, 0, 4, 1}, makeColour(200, 16, 9));  // one step away from the key
    platform::setBackgroundColour(colour.context(), kRed);
    MonochromeCanvas mask(4, 1);
    platform::bitBlt(mask.context(), 0, 0, 4, 1, colour.context(), 0, 0, platform::RasterOp::Copy);
    EXPECT_EQ(mask.pixel(0, 0), kWhite);
    EXPECT_EQ(mask.pixel(1, 0), kBlack);
    EXPECT_EQ(mask.pixel(2, 0), kWhite);
    EXPECT_EQ(mask.pixel(3, 0), kBlack);
}

TEST(Blits, MonochromeToColourGivesTextColourForZeroAndBackgroundColourForOne) {
    MonochromeCanvas mask(4, 1);
    fill(mask.context(), Rect{1, 0, 3, 1}, kWhite);  // pattern 0 1 1 0

    MemoryCanvas target(4, 1, kBackground);
    platform::setTextColour(target.context(), kRed);
    platform::setBackgroundColour(target.context(), kGreen);
    platform::bitBlt(target.context(), 0, 0, 4, 1, mask.context(), 0, 0, platform::RasterOp::Copy);
    EXPECT_EQ(target.differences([](int x, int) { return x == 1 || x == 2 ? kGreen : kRed; }), "");

    // A fresh memory context converts with its defaults, black text and white background: an AND
    // with a mask keeps the destination where the mask is 1 and blackens it where it is 0.
    MemoryCanvas fresh(4, 1, kBackground);
    platform::bitBlt(fresh.context(), 0, 0, 4, 1, mask.context(), 0, 0, platform::RasterOp::And);
    EXPECT_EQ(fresh.differences([](int x, int) { return x == 1 || x == 2 ? kBackground : kBlack; }), "");
}

TEST(Surfaces, MonochromeAndCompatibleSurfacesHaveTheirSizeAndDepth) {
    platform::Surface* mono = platform::createMonochromeSurface(7, 5);
    platform::Surface* colour = platform::createCompatibleSurface(nullptr, 9, 3);
    int width = 0, height = 0;
    platform::surfaceSize(mono, width, height);
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 5);
    platform::surfaceSize(colour, width, height);
    EXPECT_EQ(width, 9);
    EXPECT_EQ(height, 3);

    BITMAP description{};
    GetObjectA(reinterpret_cast<HBITMAP>(mono), sizeof description, &description);
    EXPECT_EQ(description.bmBitsPixel, 1);
    GetObjectA(reinterpret_cast<HBITMAP>(colour), sizeof description, &description);
    EXPECT_GE(description.bmBitsPixel, 24);

    platform::deleteSurface(mono);
    platform::deleteSurface(colour);
    platform::surfaceSize(nullptr, width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST(Selection, ANullFontSelectsNothingAndAnswersTheCurrentFont) {
    MemoryCanvas canvas(2, 2, kBackground);
    platform::Font* font = platform::createFont({-12, 700, false, false, platform::kPitchVariableSwiss, "Arial"});
    platform::Font* defaultFont = platform::selectFont(canvas.context(), font);
    EXPECT_EQ(platform::selectFont(canvas.context(), nullptr), font);
    EXPECT_EQ(platform::currentFont(canvas.context()), font);
    platform::selectFont(canvas.context(), defaultFont);
    platform::deleteFont(font);
}

TEST(Fonts, CarryTheRequestAndTheFixedFields) {
    platform::Font* font = platform::createFont({-13, 400, true, true, platform::kPitchDecorative, "Symbol"});
    ASSERT_NE(font, nullptr);
    LOGFONTA description{};
    ASSERT_NE(GetObjectA(reinterpret_cast<HFONT>(font), sizeof description, &description), 0);
    EXPECT_EQ(description.lfHeight, -13);
    EXPECT_EQ(description.lfWidth, 0);
    EXPECT_EQ(description.lfEscapement, 0);
    EXPECT_EQ(description.lfOrientation, 0);
    EXPECT_EQ(description.lfWeight, 400);
    EXPECT_EQ(description.lfItalic, 1);
    EXPECT_EQ(description.lfUnderline, 1);
    EXPECT_EQ(description.lfStrikeOut, 0);
    EXPECT_EQ(description.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(description.lfOutPrecision, 1);
    EXPECT_EQ(description.lfClipPrecision, 2);
    EXPECT_EQ(description.lfQuality, DEFAULT_QUALITY);
    EXPECT_EQ(description.lfPitchAndFamily, 80);
    EXPECT_STREQ(description.lfFaceName, "Symbol");
    platform::deleteFont(font);
}

// The box around all pixels of `colour`, or an empty box when there are none.
RECT boxOf(const MemoryCanvas& canvas, Colour colour) {
    RECT box{canvas.width, canvas.height, -1, -1};
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            if (canvas.pixel(x, y) != colour) continue;
            box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
                       std::max<LONG>(box.bottom, y)};
        }
    }
    return box;
}

TEST(Text, OneLineCentredVerticallyAlignedAndKeptInsideItsRectangle) {
    platform::Font* font = platform::createFont({-12, 700, false, false, platform::kPitchVariableSwiss, "Arial"});
    const Rect area{10, 10, 90, 40};
    struct Case {
        platform::TextAlign align;
        const char* text;
    };
    for (const Case& test : {Case{platform::TextAlign::Left, "Ab&c\nd"}, Case{platform::TextAlign::Center, "Ab&c\nd"},
                             Case{platform::TextAlign::Right, "Ab&c\nd"},
                             Case{platform::TextAlign::Left, "a text far too long for its rectangle"}}) {
        SCOPED_TRACE(test.text);
        MemoryCanvas canvas(100, 50, kBackground);
        platform::Font* previous = platform::selectFont(canvas.context(), font);
        platform::setTextColour(canvas.context(), kWhite);
        platform::setBackgroundOpaque(canvas.context(), false);
        platform::drawText(canvas.context(), test.text, area, test.align);
        platform::selectFont(canvas.context(), previous);

        const RECT ink = boxOf(canvas, kWhite);
        ASSERT_LE(ink.left, ink.right) << "nothing drawn";
        EXPECT_GE(ink.left, area.left);
        EXPECT_LT(ink.right, area.right);
        EXPECT_LE(std::abs((ink.top - area.top) - (area.bottom - 1 - ink.bottom)), 4);  // centred vertically
        EXPECT_LT(ink.bottom - ink.top, 16);                                            // one line
        if (test.align == platform::TextAlign::Left) {
            EXPECT_LE(ink.left - area.left, 2);
        }
        if (test.align == platform::TextAlign::Right) {
            EXPECT_LE(area.right - 1 - ink.right, 2);
        }
        if (test.align == platform::TextAlign::Center) {
            EXPECT_LE(std::abs((ink.left - area.left) - (area.right - 1 - ink.right)), 3);
        }
    }
    platform::deleteFont(font);
}

class EmptyEvents : public platform::WindowEvents {
public:
    void onPaint(platform::DeviceContext*, const platform::Rect&) override {}
    void onButtonDown(platform::Point) override {}
    void onDestroy() override {}
};

TEST(WindowContexts, DrawIntoTheWindowAndReadBack) {
    EmptyEvents events;
    platform::Window* window = platform::createChildWindow(testHostWindow(), 40, 30, &events);
    ASSERT_NE(window, nullptr);
    pumpMessages();

    platform::DeviceContext* context = platform::windowContext(window);
    fill(context, Rect{0, 0, 40, 30}, kBackground);
    {
        DrawingTools tools(context, platform::createPen(platform::PenStyle::Solid, 1, kGreen), kRed);
        platform::drawRectangle(context, Rect{5, 5, 20, 15});
        platform::moveTo(context, 25, 2);
        platform::lineTo(context, 25, 28);
    }
    EXPECT_EQ(pixelDifferences(reinterpret_cast<HDC>(context), 40, 30,
                               [](int x, int y) {
                                   if (inside(x, y, 6, 6, 19, 14)) return kRed;
                                   if (inside(x, y, 5, 5, 20, 15)) return kGreen;
                                   return x == 25 && y >= 2 && y < 28 ? kGreen : kBackground;
                               }),
              "");
    platform::releaseWindowContext(window, context);
    platform::destroyChildWindow(window);
}

}  // namespace
}  // namespace platform_win32_test
