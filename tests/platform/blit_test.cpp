// Raster-op blits and the conversions between colour and monochrome surfaces.
#include "soft_test_support.h"

using namespace platform;

namespace {

class Blit : public SoftDesktopTest {};

constexpr Colour kMagenta = makeColour(255, 0, 255);
constexpr Colour kSource = makeColour(0x5A, 0xC3, 0x0F);
constexpr Colour kDestination = makeColour(0x3C, 0x99, 0xF0);

// A memory context holding a new surface filled with one colour; deleted with the object.
struct Memory {
    Memory(int width, int height, bool monochrome, Colour fill)
        : context(createMemoryContext(nullptr)),
          surface(monochrome ? createMonochromeSurface(width, height) : createCompatibleSurface(nullptr, width, height)) {
        selectSurface(context, surface);
        Brush* brush = createSolidBrush(fill);
        fillRect(context, {0, 0, width, height}, brush);
        deleteBrush(brush);
    }
    ~Memory() {
        deleteMemoryContext(context);
        deleteSurface(surface);
    }
    Colour pixel(int x, int y) const { return soft::surfacePixel(surface, x, y); }
    DeviceContext* context;
    Surface* surface;
};

Colour blitOnePixel(RasterOp op) {
    Memory source(1, 1, false, kSource), destination(1, 1, false, kDestination);
    bitBlt(destination.context, 0, 0, 1, 1, source.context, 0, 0, op);
    return destination.pixel(0, 0);
}

TEST_F(Blit, RasterOpsCombineColourPixelsBitwise) {
    EXPECT_EQ(blitOnePixel(RasterOp::Copy), kSource);
    EXPECT_EQ(blitOnePixel(RasterOp::And), kSource & kDestination);
    EXPECT_EQ(blitOnePixel(RasterOp::Or), kSource | kDestination);
    EXPECT_EQ(blitOnePixel(RasterOp::NotCopy), ~kSource & 0xFFFFFF);
}

TEST_F(Blit, ColourToMonochromeMarksTheSourceBackgroundColour) {
    Memory colour(3, 1, false, kSource), mask(3, 1, true, kBlack);
    Brush* magenta = createSolidBrush(kMagenta);
    fillRect(colour.context, {1, 0, 2, 1}, magenta);
    deleteBrush(magenta);
    setBackgroundColour(colour.context, kMagenta);
    setBackgroundColour(mask.context, kSource);  // the destination's colours play no part
    bitBlt(mask.context, 0, 0, 3, 1, colour.context, 0, 0, RasterOp::Copy);
    EXPECT_EQ(mask.pixel(0, 0), kBlack);
    EXPECT_EQ(mask.pixel(1, 0), kWhite);
    EXPECT_EQ(mask.pixel(2, 0), kBlack);
    bitBlt(mask.context, 0, 0, 3, 1, colour.context, 0, 0, RasterOp::NotCopy);
    EXPECT_EQ(mask.pixel(0, 0), kWhite);
    EXPECT_EQ(mask.pixel(1, 0), kBlack);
}

TEST_F(Blit, MonochromeToColourTakesTheDestinationTextAndBackgroundColours) {
    Memory mask(2, 1, true, kBlack), colour(2, 1, false, kWhite);
    Brush* white = createSolidBrush(kWhite);
    fillRect(mask.context, {1, 0, 2, 1}, white);
    deleteBrush(white);
    setTextColour(mask.context, kGreen);  // the source's colours play no part
    setBackgroundColour(mask.context, kGreen);
    setTextColour(colour.context, kRed);
    setBackgroundColour(colour.context, kBlue);
    bitBlt(colour.context, 0, 0, 2, 1, mask.context, 0, 0, RasterOp::Copy);
    EXPECT_EQ(colour.pixel(0, 0), kRed);
    EXPECT_EQ(colour.pixel(1, 0), kBlue);
    // The converted pixel is what the operation combines: red AND (black -> red) keeps red.
    bitBlt(colour.context, 1, 0, 1, 1, mask.context, 0, 0, RasterOp::And);
    EXPECT_EQ(colour.pixel(1, 0), kRed & kBlue);
}

// The toolkit's keyed blit: through a mask, key-coloured pixels of a bitmap leave the screen as
// it was. Its temporary contexts keep their default colours (text black, background white).
TEST_F(Blit, KeyedBlitThroughAMaskLeavesKeyColouredPixelsTransparent) {
    Memory bitmap(3, 1, false, kMagenta), screen(3, 1, false, kSource);
    Brush* blue = createSolidBrush(kBlue);
    fillRect(bitmap.context, {0, 0, 1, 1}, blue);
    fillRect(bitmap.context, {2, 0, 3, 1}, blue);
    deleteBrush(blue);
    Memory mask(3, 1, true, kBlack), inverse(3, 1, true, kBlack), work(3, 1, false, kBlack), save(3, 1, false, kBlack);
    const Colour previous = setBackgroundColour(bitmap.context, kMagenta);
    EXPECT_EQ(previous, kWhite);
    bitBlt(mask.context, 0, 0, 3, 1, bitmap.context, 0, 0, RasterOp::Copy);
    setBackgroundColour(bitmap.context, kWhite);

    bitBlt(save.context, 0, 0, 3, 1, bitmap.context, 0, 0, RasterOp::Copy);
    bitBlt(inverse.context, 0, 0, 3, 1, mask.context, 0, 0, RasterOp::NotCopy);
    bitBlt(work.context, 0, 0, 3, 1, screen.context, 0, 0, RasterOp::Copy);
    bitBlt(work.context, 0, 0, 3, 1, mask.context, 0, 0, RasterOp::And);
    bitBlt(bitmap.context, 0, 0, 3, 1, inverse.context, 0, 0, RasterOp::And);
    bitBlt(work.context, 0, 0, 3, 1, bitmap.context, 0, 0, RasterOp::Or);
    bitBlt(screen.context, 0, 0, 3, 1, work.context, 0, 0, RasterOp::Copy);
    bitBlt(bitmap.context, 0, 0, 3, 1, save.context, 0, 0, RasterOp::Copy);

    EXPECT_EQ(screen.pixel(0, 0), kBlue);
    EXPECT_EQ(screen.pixel(1, 0), kSource);
    EXPECT_EQ(screen.pixel(2, 0), kBlue);
    EXPECT_EQ(bitmap.pixel(1, 0), kMagenta);
}

TEST_F(Blit, OnlyPixelsOnBothSurfacesTakePart) {
    Memory source(4, 4, false, kBlue), destination(6, 6, false, kWhite);
    // Source rectangle half outside on the left and top, destination beyond the right edge.
    bitBlt(destination.context, 3, 3, 8, 8, source.context, -2, -2, RasterOp::Copy);
    int blue = 0;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 5 && y >= 5;  // source (0, 0) lands at (5, 5); (1, 1) would be off
            EXPECT_EQ(destination.pixel(x, y), inside ? kBlue : kWhite) << x << "," << y;
            blue += destination.pixel(x, y) == kBlue;
        }
    }
    EXPECT_EQ(blue, 1);
}

TEST_F(Blit, OverlappingCopiesOnOneSurfaceReadTheSourceBeforeWriting) {
    Memory strip(5, 1, false, kWhite);
    const Colour colours[] = {kRed, kGreen, kBlue, kBlack, kWhite};
    for (int x = 0; x < 5; ++x) {
        Brush* brush = createSolidBrush(colours[x]);
        fillRect(strip.context, {x, 0, x + 1, 1}, brush);
        deleteBrush(brush);
    }
    bitBlt(strip.context, 1, 0, 4, 1, strip.context, 0, 0, RasterOp::Copy);
    EXPECT_EQ(strip.pixel(1, 0), kRed);
    EXPECT_EQ(strip.pixel(2, 0), kGreen);
    EXPECT_EQ(strip.pixel(4, 0), kBlack);
}

TEST_F(Blit, NegativeSizesCountBackAndDeadContextsDoNothing) {
    Memory source(4, 4, false, kBlue), destination(4, 4, false, kWhite);
    bitBlt(destination.context, 3, 3, -2, -2, source.context, 3, 3, RasterOp::Copy);
    EXPECT_EQ(destination.pixel(1, 1), kBlue);
    EXPECT_EQ(destination.pixel(2, 2), kBlue);
    EXPECT_EQ(destination.pixel(3, 3), kWhite);
    DeviceContext* gone = createMemoryContext(nullptr);
    deleteMemoryContext(gone);
    bitBlt(destination.context, 0, 0, 4, 4, gone, 0, 0, RasterOp::Copy);
    bitBlt(gone, 0, 0, 4, 4, source.context, 0, 0, RasterOp::Copy);
    bitBlt(nullptr, 0, 0, 4, 4, nullptr, 0, 0, RasterOp::Copy);
    EXPECT_EQ(destination.pixel(0, 0), kWhite);
}

}  // namespace
