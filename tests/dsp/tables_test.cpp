#include <gtest/gtest.h>

#include <cmath>

#include "dsp/tables.h"
#include "engine_harness.h"

namespace {

class TablesTest : public ::testing::Test {
protected:
    void SetUp() override { engine.update(Settings{}); }
    Engine engine;
    const SpatialiserState& s() { return engine.state(); }
};

TEST_F(TablesTest, SineTableHoldsOnePeriodAndZeroBeyond) {
    EXPECT_EQ(s().sineTable[0], 0.0f);
    EXPECT_EQ(s().sineTable[2048], 1.0f);
    EXPECT_EQ(s().sineTable[6144], -1.0f);
    EXPECT_NEAR(s().sineTable[1024], std::sqrt(0.5f), 6e-8f);
    EXPECT_NEAR(s().sineTable[4096], 0.0f, 1e-6f);
    EXPECT_LT(s().sineTable[8191], 0.0f);
    EXPECT_GT(s().sineTable[8191], -0.001f);
}

TEST_F(TablesTest, RampsJumpHalfWay) {
    EXPECT_EQ(s().rampTable[0], 0.0f);
    EXPECT_EQ(s().rampTable[4095], 4095.0f / 4096.0f);
    EXPECT_EQ(s().rampTable[4096], -1.0f);
    EXPECT_EQ(s().rampTable[8191], -1.0f / 4096.0f);
    EXPECT_EQ(s().invertedRampTable[0], 1.0f);
    EXPECT_EQ(s().invertedRampTable[4095], 1.0f / 4096.0f);
    EXPECT_EQ(s().invertedRampTable[4096], 2.0f);
    EXPECT_EQ(s().invertedRampTable[8191], 1.0f + 1.0f / 4096.0f);
}

TEST_F(TablesTest, EntriesFrom8192OnAreZeroInTheWaveTables) {
    for (int i = kTableEntries; i < kTableCapacity; ++i) {
        ASSERT_EQ(s().sineTable[i], 0.0f) << i;
        ASSERT_EQ(s().rampTable[i], 0.0f) << i;
        ASSERT_EQ(s().invertedRampTable[i], 0.0f) << i;
    }
    // The position tables also fill entry 8192 (x = +1); the rest stays zero.
    for (int i = kTableEntries + 1; i < kTableCapacity; ++i) {
        ASSERT_EQ(s().rearTable[i] + s().frontTable[i] + std::fabs(s().lateralTable[i]), 0.0f) << i;
    }
}

TEST_F(TablesTest, PositionTablesAreBehindAtBothEnds) {
    for (int i : {0, kTableEntries}) {
        EXPECT_EQ(s().rearTable[i], 1.0f) << i;
        EXPECT_EQ(s().lateralTable[i], 0.0f) << i;
        EXPECT_EQ(s().frontTable[i], 0.0f) << i;
    }
    EXPECT_EQ(s().frontTable[4096], 1.0f);
    EXPECT_EQ(s().lateralTable[4096], 0.0f);
    EXPECT_EQ(s().rearTable[4096], 0.0f);
    EXPECT_EQ(s().lateralTable[2048], -0.8f);  // hard left
    EXPECT_EQ(s().lateralTable[6144], 0.8f);   // hard right
}

TEST(PositionMap, WeightsAtTheDescribedPoints) {
    const PositionWeights front = positionMap(0.0f);
    EXPECT_EQ(front.front, 1.0f);
    EXPECT_EQ(front.lateral, 0.0f);
    EXPECT_EQ(front.rear, 0.0f);
    for (float side : {-1.0f, 1.0f}) {
        const PositionWeights half = positionMap(0.5f * side);
        EXPECT_EQ(half.front, 0.5f);
        EXPECT_EQ(half.lateral, 0.8f * side);
        EXPECT_NEAR(half.rear, 0.5f, 1e-6f);
        const PositionWeights behind = positionMap(side);
        EXPECT_EQ(behind.front, 0.0f);
        EXPECT_EQ(behind.lateral, 0.0f);
        EXPECT_EQ(behind.rear, 1.0f);
    }
    // Lateral rises as 2x up to 0.4, holds 0.8 to 0.6 and falls to 0 behind; rear rises between.
    EXPECT_EQ(positionMap(-0.25f).lateral, -0.5f);
    EXPECT_NEAR(positionMap(0.45f).rear, 0.25f, 1e-6f);
    EXPECT_EQ(positionMap(0.399f).rear, 0.0f);
    EXPECT_NEAR(positionMap(0.75f).lateral, 0.5f, 1e-6f);
    EXPECT_EQ(positionMap(-0.75f).rear, 1.0f);
}

}  // namespace
