// The skin bitmaps are resources of the program, listed as the plug-in module lists them.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/support/SkinSizes.h"

namespace {

TEST(SkinResources, EveryBitmapLoadsWithItsSize) {
    for (const SkinSize& expected : kSkinSizes) {
        platform::Surface* bitmap = platform::loadBitmapResource(expected.id);
        ASSERT_NE(bitmap, nullptr) << "bitmap " << expected.id;
        int width = 0, height = 0;
        platform::surfaceSize(bitmap, width, height);
        EXPECT_EQ(width, expected.width) << "bitmap " << expected.id;
        EXPECT_EQ(height, expected.height) << "bitmap " << expected.id;
        platform::deleteSurface(bitmap);
    }
    EXPECT_EQ(platform::loadBitmapResource(100), nullptr);
    EXPECT_EQ(platform::loadBitmapResource(129), nullptr);
}

TEST(SkinResources, EveryBitmapHasItsDoubleSizeTwinAtIdPlus2000) {
    for (const SkinSize& expected : kSkinSizes) {
        platform::Surface* bitmap = platform::loadBitmapResource(expected.id + 2000);
        ASSERT_NE(bitmap, nullptr) << "bitmap " << expected.id + 2000;
        int width = 0, height = 0;
        platform::surfaceSize(bitmap, width, height);
        EXPECT_EQ(width, 2 * expected.width) << "bitmap " << expected.id + 2000;
        EXPECT_EQ(height, 2 * expected.height) << "bitmap " << expected.id + 2000;
        platform::deleteSurface(bitmap);
    }
}

}  // namespace
