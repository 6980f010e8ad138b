// Resources of this program (test_resources.rc), read as the module's own.
#include <gtest/gtest.h>

#include <cstring>

#include "pixel_check.h"

namespace platform_win32_test {
namespace {

TEST(Resources, ARawResourceIsFoundByNamedTypeAndIdAndReadInPlace) {
    platform::ResourceData bank{nullptr, 0};
    ASSERT_TRUE(platform::findResource("FXBANK", 200, bank));
    ASSERT_EQ(bank.size, 9u);
    EXPECT_EQ(std::memcmp(bank.data, "bank\0\x01\x02\xff\x7f", 9), 0);

    platform::ResourceData missing{nullptr, 0};
    EXPECT_FALSE(platform::findResource("FXBANK", 201, missing));
    EXPECT_FALSE(platform::findResource("OTHER", 200, missing));
    EXPECT_EQ(missing.data, nullptr);
}

TEST(Resources, ABitmapLoadsAsAColourSurfaceWithItsPixels) {
    platform::Surface* sprite = platform::loadBitmapResource(101);
    ASSERT_NE(sprite, nullptr);
    int width = 0, height = 0;
    platform::surfaceSize(sprite, width, height);
    EXPECT_EQ(width, 6);
    EXPECT_EQ(height, 4);

    platform::DeviceContext* context = platform::createMemoryContext(nullptr);
    platform::Surface* previous = platform::selectSurface(context, sprite);
    EXPECT_EQ(pixelDifferences(reinterpret_cast<HDC>(context), 6, 4,
                               [](int x, int y) {
                                   return platform::makeColour(40 * x + 10, 60 * y + 5, 200 - 30 * x);
                               }),
              "");
    platform::selectSurface(context, previous);
    platform::deleteMemoryContext(context);
    platform::deleteSurface(sprite);

    EXPECT_EQ(platform::loadBitmapResource(102), nullptr);
}

}  // namespace
}  // namespace platform_win32_test
