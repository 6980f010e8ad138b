// The committed skin files: plain bitmaps of the right sizes and depths that our reader loads,
// and a panel whose decorations keep off the controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "editor/EditorLayout.h"

#include "platform/drawing/bitmap_file.h"
#include "platform/drawing/objects.h"
#include "tests/skin/SkinFile.h"
#include "tests/support/SkinSizes.h"

namespace {

TEST(SkinFiles, EveryFileIsAPlainBottomUpBitmapOfItsSizeAndDepth) {
    for (const SkinSize& expected : kSkinSizes) {
        const SkinFile file = readSkinFile(skinPath(SKIN_FOLDER, expected.id));
        SCOPED_TRACE("bitmap " + std::to_string(expected.id));
        ASSERT_EQ(file.width, expected.width);
        EXPECT_EQ(file.height, expected.height);  // positive: bottom-up
        EXPECT_EQ(file.infoSize, 40u);
        EXPECT_EQ(file.compression, 0u);
        EXPECT_EQ(file.fileSize, file.bytes.size());
        const bool icon = expected.id == 104;
        EXPECT_EQ(file.bitsPerPixel, icon ? 8 : 24);
        EXPECT_EQ(file.paletteCount, icon ? 102u : 0u);
        EXPECT_EQ(file.pixelOffset, 54 + 4 * file.paletteCount);
        const size_t stride = (size_t(file.width) * file.bitsPerPixel + 31) / 32 * 4;
        EXPECT_EQ(file.bytes.size(), file.pixelOffset + stride * file.height);
    }
}

// The set for screens at 200 %: the same bitmaps at twice the size, in the same formats.
TEST(SkinFiles, TheDoubleSizeSetHoldsEveryBitmapAtTwiceItsSize) {
    for (const SkinSize& expected : kSkinSizes) {
        const SkinFile single = readSkinFile(skinPath(SKIN_FOLDER, expected.id));
        const SkinFile file = readSkinFile(skinPath(SKIN_FOLDER "/2x", expected.id));
        SCOPED_TRACE("bitmap 2x/" + std::to_string(expected.id));
        ASSERT_EQ(file.width, 2 * expected.width);
        EXPECT_EQ(file.height, 2 * expected.height);
        EXPECT_EQ(file.bitsPerPixel, single.bitsPerPixel);
        EXPECT_EQ(file.paletteCount, single.paletteCount);
        platform::Surface* surface = platform::soft::decodeBitmapFile(file.bytes.data(), file.bytes.size());
        ASSERT_NE(surface, nullptr);
        platform::deleteSurface(surface);
    }
}

TEST(SkinFiles, TheIconUsesOnlyItsPalette) {
    const SkinFile icon = readSkinFile(skinPath(SKIN_FOLDER, 104));
    ASSERT_EQ(icon.width, 15);
    int coloursSeen = 0;
    for (int32_t y = 0; y < icon.height; ++y)
        for (int32_t x = 0; x < icon.width; ++x) {
            const size_t stride = 16;
            const uint8_t index = icon.bytes[icon.pixelOffset + stride * y + x];
            EXPECT_LT(index, 102);
            coloursSeen += index > 0;
        }
    EXPECT_GT(coloursSeen, 0) << "the icon is more than the ground";
}

TEST(SkinFiles, OurReaderLoadsEveryFileWithItsPixels) {
    for (const SkinSize& expected : kSkinSizes) {
        const SkinFile file = readSkinFile(skinPath(SKIN_FOLDER, expected.id));
        SCOPED_TRACE("bitmap " + std::to_string(expected.id));
        platform::Surface* surface = platform::soft::decodeBitmapFile(file.bytes.data(), file.bytes.size());
        ASSERT_NE(surface, nullptr);
        int width = 0, height = 0;
        platform::surfaceSize(surface, width, height);
        EXPECT_EQ(width, expected.width);
        EXPECT_EQ(height, expected.height);
        int differing = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const uint32_t rgb = file.at(x, y);
                differing += surface->at(x, y) !=
                             platform::makeColour(rgb >> 16, rgb >> 8 & 0xff, rgb & 0xff);
            }
        EXPECT_EQ(differing, 0);
        platform::deleteSurface(surface);
    }
}

}  // namespace

namespace {

int channelDistance(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift : {0, 8, 16}) largest = std::max(largest, std::abs(int(a >> shift & 0xff) - int(b >> shift & 0xff)));
    return largest;
}

// Labels and decorations stay off the controls: under every control the panel is its plain face,
// give or take its one-level grain.
TEST(SkinPanel, UnderEveryControlThePanelIsPlain) {
    const SkinFile panel = readSkinFile(skinPath(SKIN_FOLDER, 101));
    ASSERT_EQ(panel.width, 454);
    std::map<uint32_t, int> counts;
    for (uint32_t p : panel.pixels) ++counts[p];
    const uint32_t face = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    for (const ControlLayout& control : kEditorLayout) {
        const CGuiRect r = control.rect();
        int decorated = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) decorated += channelDistance(panel.at(x, y), face) > 1;
        EXPECT_EQ(decorated, 0) << "control at " << r.left << ", " << r.top;
    }
}

// Outside the round disc both disc images show exactly the panel they cover.
TEST(SkinPanel, TheDiscsCornersAreThePanel) {
    const SkinFile panel = readSkinFile(skinPath(SKIN_FOLDER, 101));
    ASSERT_EQ(panel.width, 454);
    const ControlLayout* view = nullptr;
    for (const ControlLayout& record : kEditorLayout)
        if (record.kind == kCtlPositionView) view = &record;
    ASSERT_NE(view, nullptr);
    const double cx = view->width / 2 + 0.5, cy = view->height / 2 + 0.5, disc = view->width / 2.0;
    for (int id : {102, 103}) {
        const SkinFile image = readSkinFile(skinPath(SKIN_FOLDER, id));
        ASSERT_EQ(image.width, view->width);
        int outside = 0, differing = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) < disc) continue;
                ++outside;
                differing += image.at(x, y) != panel.at(view->left + x, view->top + y);
            }
        EXPECT_GT(outside, 1000) << "bitmap " << id;
        EXPECT_EQ(differing, 0) << "bitmap " << id;
    }
}

}  // namespace
