// The committed skin is what the tool draws. Headers, palettes and the transparency key must be
// identical; other pixels may differ by a few levels, since another release of Cairo, pixman or
// FreeType may round anti-aliased coverage differently.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/skin/SkinFile.h"

namespace {

constexpr int kChannelTolerance = 8;       // levels per channel
constexpr double kDifferingShare = 0.02;   // of a bitmap's pixels that may differ at all

int largestChannelDifference(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift : {0, 8, 16}) largest = std::max(largest, std::abs(int(a >> shift & 0xff) - int(b >> shift & 0xff)));
    return largest;
}

// Both sets: the panel's pixels and, in 2x/, the same drawing at twice the size.
TEST(RegenerateSkin, TheToolDrawsTheCommittedBitmaps) {
    const std::string folder = REGENERATED_FOLDER;
    const std::string command = std::string("mkdir -p '") + folder + "' && '" + MAKE_SKIN + "' '" + folder + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (int id = 101; id <= 128; ++id)
      for (const std::string set : {"", "/2x"}) {
        SCOPED_TRACE("bitmap " + set + std::to_string(id));
        const SkinFile committed = readSkinFile(skinPath(SKIN_FOLDER + set, id));
        const SkinFile drawn = readSkinFile(skinPath(folder + set, id));
        ASSERT_GT(committed.width, 0);
        ASSERT_EQ(drawn.bytes.size(), committed.bytes.size());
        ASSERT_TRUE(std::equal(committed.bytes.begin(), committed.bytes.begin() + committed.pixelOffset, drawn.bytes.begin()))
            << "headers and palette";
        int differing = 0, keyChanges = 0, largest = 0;
        for (size_t i = 0; i < committed.pixels.size(); ++i) {
            const uint32_t a = committed.pixels[i], b = drawn.pixels[i];
            differing += a != b;
            keyChanges += (a == 0xffffff) != (b == 0xffffff);
            largest = std::max(largest, largestChannelDifference(a, b));
        }
        EXPECT_EQ(keyChanges, 0);
        EXPECT_LE(largest, kChannelTolerance);
        EXPECT_LE(differing, kDifferingShare * committed.pixels.size());
    }
}

}  // namespace
