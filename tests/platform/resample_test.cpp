// Resampling a bitmap to another size: area averages down, bilinear up, whole multiples
// repeated, and keyed pixels without a fringe.
#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing/resample.h"
#include "soft_test_support.h"

using namespace platform;

namespace {

uint32_t grey(int level) { return makeColour(uint8_t(level), uint8_t(level), uint8_t(level)); }

TEST(Resample, ShrinkingAveragesTheAreaEachPixelCovers) {
    // 4 x 1 to 2 x 1: pairs; 3 x 1 to 2 x 1: one and a half source pixels per output pixel.
    const std::vector<uint32_t> pairs = {grey(0), grey(100), grey(200), grey(250)};
    EXPECT_EQ(resamplePixels(pairs.data(), 4, 1, 2, 1), (std::vector<uint32_t>{grey(50), grey(225)}));
    const std::vector<uint32_t> thirds = {grey(0), grey(90), grey(180)};
    // (0 + 0.5 x 90) / 1.5 = 30 and (0.5 x 90 + 180) / 1.5 = 150.
    EXPECT_EQ(resamplePixels(thirds.data(), 3, 1, 2, 1), (std::vector<uint32_t>{grey(30), grey(150)}));
    // Each channel on its own, down both axes at once.
    const std::vector<uint32_t> square = {makeColour(200, 0, 0), makeColour(0, 200, 0), makeColour(0, 0, 200),
                                          makeColour(200, 200, 200)};
    EXPECT_EQ(resamplePixels(square.data(), 2, 2, 1, 1), (std::vector<uint32_t>{makeColour(100, 100, 100)}));
}

TEST(Resample, GrowingByAWholeMultipleRepeatsAndOtherwiseInterpolates) {
    const std::vector<uint32_t> two = {grey(0), grey(200)};
    EXPECT_EQ(resamplePixels(two.data(), 2, 1, 4, 1), (std::vector<uint32_t>{grey(0), grey(0), grey(200), grey(200)}));
    // 2 to 3: centres at -1/6, 1/2 and 7/6 of the source: the edges held, the middle between.
    EXPECT_EQ(resamplePixels(two.data(), 2, 1, 3, 1), (std::vector<uint32_t>{grey(0), grey(100), grey(200)}));
    EXPECT_EQ(resamplePixels(two.data(), 2, 1, 2, 1), two) << "the same size copies";
    EXPECT_TRUE(resamplePixels(two.data(), 2, 1, 0, 1).empty());
}

TEST(Resample, KeyPixelsGiveNoColourAndStayTheKey) {
    const uint32_t key = makeColour(255, 255, 255);
    // A red shape ending in the key: the key gives nothing to the mixed pixel, which stays red.
    const uint32_t red = makeColour(200, 0, 0);
    const std::vector<uint32_t> edge = {red, red, red, red, key, key, key, key, key};
    // Output pixels cover 1.5 source pixels: the third takes one red and half a key, the fourth
    // half a red and one key.
    const std::vector<uint32_t> down = resamplePixels(edge.data(), 9, 1, 6, 1, &key);
    EXPECT_EQ(down, (std::vector<uint32_t>{red, red, red, key, key, key}));
    const std::vector<uint32_t> plain = resamplePixels(edge.data(), 9, 1, 6, 1);
    EXPECT_NE(plain[2], red) << "without the key the edge fades";
    // An average that comes out as the key itself is kept visible.
    const std::vector<uint32_t> nearWhite = {makeColour(254, 255, 255), makeColour(255, 254, 255), makeColour(255, 255, 254),
                                             makeColour(255, 255, 254)};
    EXPECT_NE(resamplePixels(nearWhite.data(), 4, 1, 1, 1, &key)[0], key);
}

class ResampledSurface : public SoftDesktopTest {};

TEST_F(ResampledSurface, IsANewColourSurfaceOfTheAskedSize) {
    Surface* source = createCompatibleSurface(nullptr, 4, 2);
    ASSERT_NE(source, nullptr);
    Surface* half = createResampledSurface(nullptr, source, 2, 1);
    ASSERT_NE(half, nullptr);
    int width = 0, height = 0;
    surfaceSize(half, width, height);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 1);
    Surface* mono = createMonochromeSurface(4, 2);
    EXPECT_EQ(createResampledSurface(nullptr, mono, 2, 1), nullptr) << "masks are made, not resampled";
    EXPECT_EQ(createResampledSurface(nullptr, source, 0, 1), nullptr);
    deleteSurface(mono);
    deleteSurface(half);
    deleteSurface(source);
}

}  // namespace
