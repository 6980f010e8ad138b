// Single-line text through the real fonts. Sizes quoted from GDI are those it reports for the
// same requests.
#include "soft_test_support.h"

#include <algorithm>
#include <climits>

using namespace platform;

namespace {

class Text : public SoftDesktopTest {};

struct Ink {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN, count = 0;
};

Ink inkOf(const Canvas& canvas, int width, int height, Colour colour) {
    Ink ink;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (canvas.pixel(x, y) != colour) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ++ink.count;
        }
    }
    return ink;
}

// Draws `text` in black with a new font into a fresh 160 x 40 canvas.
struct Written {
    Written(const char* text, const Rect& rect, TextAlign align, FontRequest request, bool opaque = false)
        : canvas(160, 40) {
        Font* font = createFont(request);
        EXPECT_NE(font, nullptr);
        Font* previous = selectFont(canvas.context(), font);
        setTextColour(canvas.context(), kBlack);
        setBackgroundColour(canvas.context(), kBlue);
        setBackgroundOpaque(canvas.context(), opaque);
        drawText(canvas.context(), text, rect, align);
        selectFont(canvas.context(), previous);
        deleteFont(font);
        ink = inkOf(canvas, 160, 40, kBlack);
        cell = inkOf(canvas, 160, 40, kBlue);
    }
    Canvas canvas;
    Ink ink;
    Ink cell;
};

FontRequest arial(int height, int weight = 400) { return {height, weight, false, false, kPitchVariableSwiss, "Arial"}; }

const Rect kLine{10, 5, 150, 35};

TEST_F(Text, GlyphsAreDrawnInTheTextColourInsideTheRectangle) {
    Written text("Az 123", kLine, TextAlign::Left, arial(-12));
    EXPECT_GT(text.ink.count, 40);
    EXPECT_GE(text.ink.left, kLine.left);
    EXPECT_LE(text.ink.right, kLine.right);
    EXPECT_GE(text.ink.top, kLine.top);
    EXPECT_LE(text.ink.bottom, kLine.bottom);
    EXPECT_EQ(text.cell.count, 0);  // transparent: no background
    // Nothing but ink and white.
    EXPECT_EQ(inkOf(text.canvas, 160, 40, kWhite).count + text.ink.count, 160 * 40);
}

TEST_F(Text, OpaqueTextFillsItsCellWithTheBackgroundColour) {
    // GDI: Arial at 12 pixels is 14 high (ascent 11 + descent 3); "Az 123" is 39 wide in bold.
    Written bold("Az 123", kLine, TextAlign::Left, arial(-12, 700), true);
    EXPECT_EQ(bold.cell.bottom - bold.cell.top + 1, 14);
    EXPECT_EQ(std::max(bold.cell.right, bold.ink.right) - bold.cell.left + 1, 39);
    EXPECT_EQ(bold.cell.left, kLine.left);
    // Vertically centred: (30 / 2) - (14 / 2) below the top.
    EXPECT_EQ(bold.cell.top, kLine.top + 15 - 7);
}

TEST_F(Text, TextAndItsCellAreClippedToTheRectangle) {
    const Rect narrow{10, 12, 30, 22};  // shorter than the line and narrower than the text
    Written clipped("Az 123 Az 123", narrow, TextAlign::Left, arial(-12, 700), true);
    EXPECT_GT(clipped.ink.count + clipped.cell.count, 0);
    for (const Ink& ink : {clipped.ink, clipped.cell}) {
        EXPECT_GE(ink.left, narrow.left);
        EXPECT_LT(ink.right, narrow.right);
        EXPECT_GE(ink.top, narrow.top);
        EXPECT_LT(ink.bottom, narrow.bottom);
    }
}

TEST_F(Text, AlignmentMovesTheLineByItsWidth) {
    Written left("reflect", kLine, TextAlign::Left, arial(-14));
    Written centre("reflect", kLine, TextAlign::Center, arial(-14));
    Written right("reflect", kLine, TextAlign::Right, arial(-14));
    ASSERT_GT(left.ink.count, 0);
    EXPECT_EQ(centre.ink.count, left.ink.count);
    EXPECT_EQ(right.ink.count, left.ink.count);
    const int rightShift = right.ink.left - left.ink.left;
    const int centreShift = centre.ink.left - left.ink.left;
    // GDI: "reflect" at 14 pixels is 39 wide, so right alignment moves it 140 - 39 = 101.
    EXPECT_EQ(rightShift, 101);
    EXPECT_EQ(centreShift, (kLine.left + kLine.right - 39) / 2 - kLine.left);
    EXPECT_EQ(centre.ink.top, left.ink.top);
}

TEST_F(Text, LinesAreCentredVertically) {
    Written high("Hg", {10, 0, 150, 20}, TextAlign::Left, arial(-18));
    Written low("Hg", {10, 10, 150, 30}, TextAlign::Left, arial(-18));
    Written tall("Hg", {10, 0, 150, 40}, TextAlign::Left, arial(-18));
    EXPECT_EQ(low.ink.top - high.ink.top, 10);
    EXPECT_EQ(tall.ink.top - high.ink.top, 10);
    EXPECT_EQ(low.ink.bottom - low.ink.top, high.ink.bottom - high.ink.top);
}

TEST_F(Text, StylesChangeTheGlyphs) {
    Written regular("Spatial", kLine, TextAlign::Left, arial(-12));
    Written bold("Spatial", kLine, TextAlign::Left, arial(-12, 700));
    Written large("Spatial", kLine, TextAlign::Left, arial(-18));
    Written italic("Spatial", kLine, TextAlign::Left, {-12, 400, true, false, kPitchVariableSwiss, "Arial"});
    Written plain("Sail", kLine, TextAlign::Left, arial(-12));
    Written underlined("Sail", kLine, TextAlign::Left, {-12, 400, false, true, kPitchVariableSwiss, "Arial"});
    EXPECT_GT(bold.ink.right, regular.ink.right);
    EXPECT_GT(bold.ink.count, regular.ink.count);
    EXPECT_GT(large.ink.bottom - large.ink.top, regular.ink.bottom - regular.ink.top);
    EXPECT_NE(italic.canvas.picture(), regular.canvas.picture());
    // The underline runs the whole width below the baseline.
    EXPECT_GT(underlined.ink.bottom, plain.ink.bottom);
    int underlineRun = 0;
    for (int x = underlined.ink.left; x <= underlined.ink.right; ++x) underlineRun += underlined.canvas.pixel(x, underlined.ink.bottom) == kBlack;
    EXPECT_GE(underlineRun, underlined.ink.right - underlined.ink.left);
}

TEST_F(Text, SymbolFaceHasItsOwnGlyphs) {
    Written latin("abc", kLine, TextAlign::Left, arial(-13));
    Written symbol("abc", kLine, TextAlign::Left, {-13, 400, false, false, kPitchDecorative, "Symbol"});
    Written symbolBold("abc", kLine, TextAlign::Left, {-13, 700, false, false, kPitchDecorative, "SYMBOL"});
    EXPECT_GT(symbol.ink.count, 0);
    EXPECT_NE(symbol.canvas.picture(), latin.canvas.picture());
    EXPECT_GT(symbolBold.ink.count, symbol.ink.count);
}

TEST_F(Text, AnsiBytesAboveAsciiAreDrawn) {
    Written euro("\x80", kLine, TextAlign::Left, arial(-14));    // the euro sign of code page 1252
    Written degree("\xB0", kLine, TextAlign::Left, arial(-14));  // Latin-1
    EXPECT_GT(euro.ink.count, 0);
    EXPECT_GT(degree.ink.count, 0);
    EXPECT_NE(euro.canvas.picture(), degree.canvas.picture());
}

TEST_F(Text, AnyRequestOrTextIsSafe) {
    for (int height : {0, 1, -1, INT_MIN, INT_MAX, 5000}) {
        Written text("W", kLine, TextAlign::Center, {height, -5, true, true, 0, nullptr});
        EXPECT_EQ(text.ink.count + inkOf(text.canvas, 160, 40, kWhite).count, 160 * 40) << height;
    }
    Canvas canvas(20, 20);
    drawText(canvas.context(), nullptr, {0, 0, 20, 20}, TextAlign::Left);
    drawText(canvas.context(), "", {0, 0, 20, 20}, TextAlign::Left);
    drawText(canvas.context(), "far away", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, TextAlign::Right);
    drawText(nullptr, "no context", {0, 0, 20, 20}, TextAlign::Left);
    EXPECT_EQ(canvas.inkCount(), 0);
}

TEST_F(Text, AFreshContextWritesWithTheSystemFont) {
    Canvas canvas(60, 30);
    setTextColour(canvas.context(), kBlack);
    drawText(canvas.context(), "Ok", {0, 0, 60, 30}, TextAlign::Left);
    EXPECT_GT(canvas.inkCount(), 0);
}

TEST_F(Text, MonochromeSurfacesTakeTextAsBlackOrWhite) {
    DeviceContext* context = createMemoryContext(nullptr);
    Surface* mask = createMonochromeSurface(40, 20);
    selectSurface(context, mask);
    setTextColour(context, makeColour(250, 250, 250));
    setBackgroundOpaque(context, false);
    drawText(context, "M", {0, 0, 40, 20}, TextAlign::Left);
    int white = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) white += soft::surfacePixel(mask, x, y) == kWhite;
    EXPECT_GT(white, 10);
    deleteMemoryContext(context);
    deleteSurface(mask);
}

}  // namespace
