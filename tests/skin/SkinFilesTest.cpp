// The committed skin files: plain bitmaps of the right sizes and depths that our reader loads.
#include <gtest/gtest.h>

#include "platform/soft/bitmap_file.h"
#include "platform/soft/objects.h"
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
