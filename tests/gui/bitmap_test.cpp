// Skin bitmaps and offscreens: loading, reference counting, opaque and keyed drawing, masks,
// and the surfaces offscreens draw into.
#include "gui_test_support.h"

#include "gui/CGuiBitmap.h"
#include "gui/CGuiFrame.h"
#include "gui/CGuiOffscreen.h"

namespace {

using BitmapTest = SoftDesktopTest;

const std::map<platform::Colour, char> kLegend = {{kGrey, '.'},  {kRed, 'R'},   {kGreen, 'G'},
                                                  {kBlue, 'B'},  {kWhite, 'W'}, {kMagenta, 'M'},
                                                  {kBlack, 'K'}};

std::string uniformPicture(int width, int height, char pixel) {
    std::string rows;
    for (int y = 0; y < height; ++y)
        rows += std::string(width, pixel) + '\n';
    return rows;
}

std::vector<platform::Colour> pixelsOf(CGuiBitmap* bitmap) {
    std::vector<platform::Colour> pixels;
    for (int y = 0; y < bitmap->height(); ++y) {
        for (int x = 0; x < bitmap->width(); ++x)
            pixels.push_back(platform::soft::surfacePixel(bitmap->bitmapHandle(), x, y));
    }
    return pixels;
}

TEST_F(BitmapTest, LoadsTheResourceAndItsSize) {
    CGuiBitmap* bitmap = new CGuiBitmap(kSkinBitmap | 0x70000);  // only the low 16 bits name it
    EXPECT_EQ(bitmap->width(), 64);
    EXPECT_EQ(bitmap->height(), 48);
    EXPECT_EQ(bitmap->refCount, 1);
    EXPECT_EQ(bitmap->transparentKey.red, 255);
    EXPECT_EQ(bitmap->transparentKey.green, 255);
    EXPECT_EQ(bitmap->transparentKey.blue, 255);
    EXPECT_EQ(platform::soft::surfacePixel(bitmap->bitmapHandle(), 3, 7), skinPixel(3, 7));
    bitmap->release();
}

TEST_F(BitmapTest, AMissingResourceGivesAnEmptyBitmapThatDrawsNothing) {
    CGuiBitmap* bitmap = new CGuiBitmap(kMissingBitmap);
    EXPECT_EQ(bitmap->width(), 0);
    EXPECT_EQ(bitmap->height(), 0);
    EXPECT_EQ(bitmap->bitmapHandle(), nullptr);
    Canvas canvas(8, 8, kGrey);
    bitmap->paintOpaque(canvas.context(), {0, 0, 8, 8}, {0, 0});
    bitmap->paintKeyed(canvas.context(), {0, 0, 8, 8}, {0, 0});
    bitmap->captureMask(canvas.context(), {0, 0});
    EXPECT_EQ(canvas.picture(kLegend), uniformPicture(8, 8, '.'));
    bitmap->release();
}

TEST_F(BitmapTest, ReferenceCountingFreesOnTheLastRelease) {
    const platform::soft::ObjectCounts before = platform::soft::liveObjectCounts();
    CGuiBitmap* bitmap = new CGuiBitmap(kKeyedBitmap);
    EXPECT_EQ(platform::soft::liveObjectCounts().surfaces, before.surfaces + 1);
    {
        Canvas canvas(8, 8, kGrey);
        bitmap->paintKeyed(canvas.context(), {0, 0, 6, 4}, {0, 0});  // builds the mask
    }
    EXPECT_EQ(platform::soft::liveObjectCounts().surfaces, before.surfaces + 2);
    bitmap->retain();
    EXPECT_EQ(bitmap->refCount, 2);
    bitmap->release();
    EXPECT_EQ(bitmap->refCount, 1);
    EXPECT_EQ(platform::soft::liveObjectCounts().surfaces, before.surfaces + 2);
    bitmap->release();  // bitmap and mask go
    EXPECT_EQ(platform::soft::liveObjectCounts(), before);
}

TEST_F(BitmapTest, ReleaseOnACountOfZeroOrLessChangesNothing) {
    CGuiBitmap* bitmap = new CGuiBitmap(kKeyedBitmap);
    const platform::soft::ObjectCounts loaded = platform::soft::liveObjectCounts();
    for (int count : {0, -3}) {
        bitmap->refCount = count;
        bitmap->release();
        EXPECT_EQ(bitmap->refCount, count);
        EXPECT_EQ(platform::soft::liveObjectCounts(), loaded);
    }
    bitmap->refCount = 1;
    bitmap->release();
}

TEST_F(BitmapTest, PaintOpaqueCopiesThePartAtTheSourcePointPlusTheDrawOffset) {
    CGuiBitmap* bitmap = new CGuiBitmap(kSkinBitmap);
    Canvas canvas(30, 30, kGrey);
    canvas.context()->drawOffset = {1, 2};
    bitmap->paintOpaque(canvas.context(), {5, 5, 15, 10}, {20, 30});
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool inside = x >= 6 && x < 16 && y >= 7 && y < 12;
            ASSERT_EQ(canvas.pixel(x, y), inside ? skinPixel(x - 6 + 20, y - 7 + 30) : kGrey) << x << ',' << y;
        }
    }
    bitmap->release();
}

TEST_F(BitmapTest, KeyedDrawShowsTheDestinationThroughTheKeyColourAndLeavesTheBitmapAlone) {
    CGuiBitmap* bitmap = new CGuiBitmap(kKeyedBitmap);
    const std::vector<platform::Colour> original = pixelsOf(bitmap);
    Canvas canvas(9, 6, kGrey);
    canvas.context()->drawOffset = {1, 0};
    bitmap->paintKeyed(canvas.context(), {1, 1, 7, 5}, {0, 0});
    bitmap->paintKeyed(canvas.context(), {1, 1, 7, 5}, {0, 0});  // the second draw reuses the mask
    EXPECT_EQ(canvas.picture(kLegend),
              ".........\n"
              "..R.G.B..\n"
              "...R.G.B.\n"
              "..M.M.M..\n"
              ".....K...\n"
              ".........\n");
    EXPECT_EQ(pixelsOf(bitmap), original);

    // Part of the bitmap, from a source point inside it.
    Canvas part(4, 2, kGrey);
    bitmap->paintKeyed(part.context(), {0, 0, 4, 2}, {2, 2});
    EXPECT_EQ(part.picture(kLegend), "M.M.\n.K..\n");
    EXPECT_EQ(pixelsOf(bitmap), original);
    bitmap->release();
}

TEST_F(BitmapTest, ANewKeyColourWaitsForCaptureMask) {
    CGuiBitmap* bitmap = new CGuiBitmap(kKeyedBitmap);
    Canvas first(6, 4, kGrey);
    bitmap->paintKeyed(first.context(), {0, 0, 6, 4}, {0, 0});

    bitmap->setTransparentKey({255, 0, 255, 0});
    Canvas stillWhite(6, 4, kGrey);
    bitmap->paintKeyed(stillWhite.context(), {0, 0, 6, 4}, {0, 0});
    EXPECT_EQ(stillWhite.picture(kLegend), first.picture(kLegend));

    // The mask is taken from what a context shows, without its draw offset.
    Canvas source(10, 8, kGrey);
    source.context()->drawOffset = {2, 2};
    bitmap->paintOpaque(source.context(), {0, 0, 6, 4}, {0, 0});  // at (2, 2)
    source.context()->setBrushColor({0, 0, 255, 0});
    bitmap->captureMask(source.context(), {2, 2});
    // The context's own background colour (behind opaque text) is given back.
    EXPECT_EQ(platform::setBackgroundColour(source.deviceContext(), kBlack), kBlue);

    Canvas magentaKeyed(6, 4, kGrey);
    bitmap->paintKeyed(magentaKeyed.context(), {0, 0, 6, 4}, {0, 0});
    EXPECT_EQ(magentaKeyed.picture(kLegend),
              "RWGWBW\n"
              "WRWGWB\n"
              ".W.W.W\n"
              "WWWKWW\n");
    bitmap->release();
}

TEST_F(BitmapTest, KeyedDrawsLeakNothing) {
    CGuiBitmap* bitmap = new CGuiBitmap(kKeyedBitmap);
    Canvas canvas(20, 20, kGrey);
    bitmap->paintKeyed(canvas.context(), {0, 0, 6, 4}, {0, 0});
    const platform::soft::ObjectCounts before = platform::soft::liveObjectCounts();
    for (int i = 0; i < 50; ++i) {
        bitmap->paintKeyed(canvas.context(), {i % 10, i % 7, i % 10 + 6, i % 7 + 4}, {0, 0});
        bitmap->paintOpaque(canvas.context(), {i % 10, 0, i % 10 + 3, 3}, {1, 1});
    }
    bitmap->paintKeyed(canvas.context(), {0, 0, 0, 4}, {0, 0});  // empty
    EXPECT_EQ(platform::soft::liveObjectCounts(), before);
    bitmap->release();
}

TEST_F(BitmapTest, AnOffscreenWithoutBitmapIs20By20Black) {
    Canvas canvas(4, 4, kGrey);
    canvas.context()->setBrushColor({0, 0, 255, 0});
    const platform::soft::ObjectCounts before = platform::soft::liveObjectCounts();
    {
        CGuiOffscreen offscreen(canvas.context(), nullptr, false);
        EXPECT_EQ(offscreen.width(), 20);
        EXPECT_EQ(offscreen.height(), 20);
        int surfaceWidth = 0;
        int surfaceHeight = 0;
        platform::surfaceSize(offscreen.surface(), surfaceWidth, surfaceHeight);
        EXPECT_EQ(surfaceWidth, 20);
        EXPECT_EQ(surfaceHeight, 20);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(platform::soft::surfacePixel(offscreen.surface(), x, y), kBlack) << x << ',' << y;
        }
        EXPECT_EQ(offscreen.drawOffset.h, 0);
        EXPECT_EQ(offscreen.brushColor.blue, 0);
    }
    EXPECT_EQ(platform::soft::liveObjectCounts(), before);
}

TEST_F(BitmapTest, AnOffscreenOverACopyLeavesTheBitmapAndCopiesIntoTheDestination) {
    CGuiBitmap* bitmap = new CGuiBitmap(kSkinBitmap);
    const std::vector<platform::Colour> original = pixelsOf(bitmap);
    Canvas canvas(80, 60, kGrey);
    {
        CGuiOffscreen offscreen(canvas.context(), bitmap, false);
        EXPECT_EQ(offscreen.width(), 64);
        EXPECT_EQ(offscreen.height(), 48);
        EXPECT_EQ(platform::soft::surfacePixel(offscreen.surface(), 10, 20), skinPixel(10, 20));
        offscreen.setBrushColor({255, 0, 0, 0});
        offscreen.paintRect({-1, -1, 4, 4});  // (0, 0) to (3, 3)
        canvas.context()->drawOffset = {3, 4};
        offscreen.copyInto(canvas.context(), {10, 10, 20, 15}, {0, 0});
    }
    EXPECT_EQ(pixelsOf(bitmap), original);
    EXPECT_EQ(canvas.pixel(13, 14), kRed);
    EXPECT_EQ(canvas.pixel(16, 17), kRed);
    EXPECT_EQ(canvas.pixel(17, 18), skinPixel(4, 4));
    EXPECT_EQ(canvas.pixel(22, 18), skinPixel(9, 4));
    EXPECT_EQ(canvas.pixel(23, 18), kGrey);  // ten columns wide
    EXPECT_EQ(canvas.pixel(13, 19), kGrey);  // five rows high
    bitmap->release();
}

TEST_F(BitmapTest, AnOffscreenDrawingIntoTheBitmapChangesItAndDoesNotDeleteIt) {
    CGuiBitmap* bitmap = new CGuiBitmap(kSkinBitmap);
    Canvas canvas(4, 4, kGrey);
    const platform::soft::ObjectCounts before = platform::soft::liveObjectCounts();
    {
        CGuiOffscreen offscreen(canvas.context(), bitmap, true);
        offscreen.setBrushColor({0, 255, 0, 0});
        offscreen.paintRect({9, 9, 12, 12});
    }
    EXPECT_EQ(platform::soft::liveObjectCounts(), before);
    EXPECT_EQ(platform::soft::surfacePixel(bitmap->bitmapHandle(), 10, 10), kGreen);
    EXPECT_EQ(platform::soft::surfacePixel(bitmap->bitmapHandle(), 12, 12), skinPixel(12, 12));
    bitmap->release();
}

TEST_F(BitmapTest, AnOffscreenFromAFrameIsFilledWithItsBackgroundColour) {
    platform::Window* host = platform::soft::createHostWindow(nullptr, platform::kStyleCaption, {0, 0, 300, 200});
    for (void* parent : {static_cast<void*>(host), static_cast<void*>(nullptr)}) {
        CGuiFrame frame({0, 0, 100, 80}, parent, nullptr);
        const platform::soft::ObjectCounts before = platform::soft::liveObjectCounts();
        {
            CGuiOffscreen offscreen(&frame, 7, 5, {0, 0, 255, 0});
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 7; ++x)
                    ASSERT_EQ(platform::soft::surfacePixel(offscreen.surface(), x, y), kBlue) << x << ',' << y;
            }
        }
        EXPECT_EQ(platform::soft::liveObjectCounts(), before);
    }
}

}  // namespace
