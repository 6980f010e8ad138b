// The logical-to-device mapping, drawing through it, and where the scale comes from.
#include "gui_test_support.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "gui/CGuiBitmap.h"
#include "gui/CGuiScale.h"
#include "gui/ScaleSources.h"

namespace {

TEST(GuiScale, MapsPositionsToTheNearestDevicePixelAndSizesByLengthAlone) {
    const CGuiScale identity;
    EXPECT_TRUE(identity.isIdentity());
    EXPECT_EQ(identity.toDevice(-7), -7);
    const CGuiScale half(1.5f);
    EXPECT_EQ(half.toDevice(3), 5);  // 4.5 rounds away from zero
    EXPECT_EQ(half.toDevice(4), 6);
    // A rectangle's device size depends on its size only, not on where it lies.
    for (int left : {0, 1, 2, 3}) {
        const platform::Rect at = half.toDevice(CGuiRect{left, left, left + 5, left + 3});
        EXPECT_EQ(at.right - at.left, 8);
        EXPECT_EQ(at.bottom - at.top, 5);
    }
    EXPECT_EQ(CGuiScale(0.5f).factor(), 1.0f) << "held to 1..3";
    EXPECT_EQ(CGuiScale(4.0f).factor(), 3.0f);
    EXPECT_EQ(CGuiScale(std::numeric_limits<float>::quiet_NaN()).factor(), 1.0f);
}

TEST(GuiScale, MapsDevicePixelsBackWithTheirFraction) {
    const CGuiScale twice(2.0f);
    EXPECT_EQ(twice.toLogical(201), 100.5f);
    EXPECT_EQ(twice.logicalPixel(201), 100);
    EXPECT_EQ(twice.logicalPixel(-1), -1) << "left of the window is outside it";
    const CGuiScale half(1.5f);
    // A press at (s x, s y) is a press at (x, y).
    for (int x = 0; x < 40; x += 2)
        EXPECT_EQ(half.logicalPixel(half.toDevice(x)), x);
    const CGuiRect covering = half.covering({1, 1, 8, 4});
    EXPECT_EQ(covering.left, 0);
    EXPECT_EQ(covering.top, 0);
    EXPECT_EQ(covering.right, 6);
    EXPECT_EQ(covering.bottom, 3);
}

using ScaledContextTest = SoftDesktopTest;

TEST_F(ScaledContextTest, ShapesTextAndBitmapsGrowWithTheScale) {
    Canvas plain(40, 30, kBlack);
    Canvas doubled(80, 60, kBlack);
    doubled.context()->scale = CGuiScale(2.0f);
    CGuiBitmap* skin = new CGuiBitmap(kSkinBitmap);
    auto draw = [&](CGuiContext* context) {
        skin->paintOpaque(context, {0, 0, 20, 12}, {6, 4});
        context->setBrushColor({0, 0, 255, 0});
        context->paintRect({22, 2, 30, 9});
        context->setPenColor({255, 0, 0, 0});
        context->penMoveTo({2, 25});
        context->penLineTo({30, 25});
        context->penMoveTo({30, 28});  // right to left: the start pixel drawn, the end left out
        context->penLineTo({2, 28});
        context->penLineTo({2, 12});
    };
    draw(plain.context());
    draw(doubled.context());
    // Every logical pixel is a 2 x 2 block of the same colour; the bitmap has no twin, so it is
    // its own pixels repeated.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            if (y >= 24 && y <= 26)
                continue;  // the line, whose round ends reach a little further: checked below
            ASSERT_EQ(doubled.pixel(2 * x, 2 * y), plain.pixel(x, y)) << x << ',' << y;
            ASSERT_EQ(doubled.pixel(2 * x + 1, 2 * y + 1), plain.pixel(x, y)) << x << ',' << y;
        }
    int thick = 0;
    for (int y = 44; y < 56; ++y)
        thick += doubled.pixel(30, y) == kRed;
    EXPECT_EQ(thick, 2) << "a line two device pixels wide";
    EXPECT_EQ(doubled.pixel(30, 50), kRed) << "over the device rows of logical row 25";
    EXPECT_EQ(doubled.pixel(30, 51), kRed);
    skin->release();
}

TEST_F(ScaledContextTest, TextIsDrawnByTheRasteriserAtTheScaledSize) {
    auto inkRows = [](Canvas& canvas, int width, int height) {
        int rows = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (canvas.pixel(x, y) != kBlack) {
                    ++rows;
                    break;
                }
        return rows;
    };
    Canvas plain(60, 20, kBlack);
    Canvas doubled(120, 40, kBlack);
    doubled.context()->scale = CGuiScale(2.0f);
    for (Canvas* canvas : {&plain, &doubled}) {
        canvas->context()->setTextColor({255, 255, 255, 0});
        canvas->context()->selectFont(0, 12, 0);
        canvas->context()->drawText("H", {0, 0, 60, 20}, false, kTextLeft);
    }
    const int small = inkRows(plain, 60, 20), large = inkRows(doubled, 120, 40);
    ASSERT_GT(small, 4);
    EXPECT_NEAR(large, 2 * small, 1) << "glyphs of twice the size, not pixels doubled";
    // Pixels doubled would make every 2 x 2 block one colour; glyphs drawn at the size do not.
    int splitBlocks = 0;
    for (int y = 0; y < 40; y += 2)
        for (int x = 0; x < 120; x += 2)
            splitBlocks += doubled.pixel(x, y) != doubled.pixel(x + 1, y) || doubled.pixel(x, y) != doubled.pixel(x, y + 1);
    EXPECT_GT(splitBlocks, 0);
}

class ScaleSourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() / ("spatialiser-sources-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        file = (folder / "deeper" / "editor.conf").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::string file;
};

TEST_F(ScaleSourcesTest, TheFirstSourceThatHasAScaleWins) {
    EXPECT_EQ(chooseScale({0.0f, 0.0f, 0.0f}), 1.0f);
    EXPECT_EQ(chooseScale({0.0f, 0.0f, 1.5f}), 1.5f);
    EXPECT_EQ(chooseScale({0.0f, 2.0f, 1.5f}), 2.0f);
    EXPECT_EQ(chooseScale({1.25f, 2.0f, 1.5f}), 1.25f);
    EXPECT_EQ(chooseScale({0.0f, 0.0f, 0.9f}), 1.0f) << "a system below 100 % is no scale";
}

TEST_F(ScaleSourcesTest, OnlyNumbersFrom1To3AreScales) {
    EXPECT_EQ(parseScale("1.5"), 1.5f);
    EXPECT_EQ(parseScale("3"), 3.0f);
    EXPECT_EQ(parseScale(" 2 "), 2.0f);
    for (const char* text : {"", "0.5", "3.5", "two", "2x", "nan", "inf"})
        EXPECT_EQ(parseScale(text), 0.0f) << text;
    EXPECT_EQ(parseScale(nullptr), 0.0f);
}

TEST_F(ScaleSourcesTest, TheChoiceIsKeptInTheFileAndAutomaticClearsIt) {
    EXPECT_EQ(readStoredScale(file), 0.0f) << "no file";
    ASSERT_TRUE(storeScale(file, 1.75f));
    EXPECT_EQ(readStoredScale(file), 1.75f);
    ASSERT_TRUE(storeScale(file, 0.0f));
    EXPECT_EQ(readStoredScale(file), 0.0f);
    std::ofstream(file) << "# by hand\nother = 4\n  scale =2.5  \n";
    EXPECT_EQ(readStoredScale(file), 2.5f);
    std::ofstream(file) << "scale = 12\n";
    EXPECT_EQ(readStoredScale(file), 0.0f);
    EXPECT_FALSE(storeScale("", 2.0f));
}

}  // namespace
