// The value-to-text routines at their boundaries. Each text is at most 8 characters.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "tests/shell/PlainEffect.h"

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
const float kNaN = std::nanf("");

class ValueTextTest : public ::testing::Test {
protected:
    // Runs a routine on a buffer whose bytes after the ninth must stay untouched.
    template <typename Routine>
    std::string textOf(Routine routine) {
        char buffer[32];
        std::memset(buffer, '#', sizeof buffer);
        routine(buffer);
        for (size_t i = 9; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << "written past the text at " << i;
        EXPECT_LE(std::strlen(buffer), 8u);
        return buffer;
    }
    std::string float2string(float value) {
        return textOf([&](char* text) { effect.float2string(value, text); });
    }
    std::string long2string(int32_t value) {
        return textOf([&](char* text) { effect.long2string(value, text); });
    }
    std::string dB2string(float gain) {
        return textOf([&](char* text) { effect.dB2string(gain, text); });
    }
    std::string Hz2string(float samples) {
        return textOf([&](char* text) { effect.Hz2string(samples, text); });
    }
    std::string ms2string(float samples) {
        return textOf([&](char* text) { effect.ms2string(samples, text); });
    }

    PlainEffect effect;
};

TEST_F(ValueTextTest, FloatFillsEightCharactersWithTruncatedFractionDigits) {
    EXPECT_EQ(float2string(0.0f), "0.000000");
    EXPECT_EQ(float2string(-0.0f), "0.000000");
    EXPECT_EQ(float2string(1.5f), "1.500000");
    EXPECT_EQ(float2string(0.1f), "0.100000");
    EXPECT_EQ(float2string(0.7f), "0.699999");  // 0.7f is 0.69999998...: truncated, not rounded
    EXPECT_EQ(float2string(123.456f), "123.4560");
    EXPECT_EQ(float2string(1234567.0f), "1234567.");
    EXPECT_EQ(float2string(1e-45f), "0.000000");
}

TEST_F(ValueTextTest, FloatKeepsTheLeastSignificantIntegerDigits) {
    EXPECT_EQ(float2string(12345678.0f), "2345678.");
    EXPECT_EQ(float2string(99999992.0f), "9999992.");  // the largest float not above 99999999
    EXPECT_EQ(float2string(-1234567.0f), "-234567.");
    EXPECT_EQ(float2string(-9999999.0f), "-999999.");
}

TEST_F(ValueTextTest, FloatNegativeValuesGiveTheSignItsPlace) {
    EXPECT_EQ(float2string(-1.5f), "-1.50000");
    EXPECT_EQ(float2string(-0.25f), "-0.25000");
    EXPECT_EQ(float2string(-123456.0f), "-123456.");
    EXPECT_EQ(float2string(-0.0000001f), "-0.00000");
}

TEST_F(ValueTextTest, FloatAboveTheLimitsIsHuge) {
    EXPECT_EQ(float2string(100000000.0f), " Huge!  ");
    EXPECT_EQ(float2string(99999999.0f), " Huge!  ");  // rounds to 100000000 as a float
    EXPECT_EQ(float2string(-10000000.0f), " Huge!  ");
    EXPECT_EQ(float2string(FLT_MAX), " Huge!  ");
    EXPECT_EQ(float2string(-FLT_MAX), " Huge!  ");
}

TEST_F(ValueTextTest, FloatNonFiniteValuesHaveTheirOwnTexts) {
    EXPECT_EQ(float2string(kInfinity), " Huge!  ");
    EXPECT_EQ(float2string(-kInfinity), " Huge!  ");
    EXPECT_EQ(float2string(kNaN), "  NaN   ");
    EXPECT_EQ(float2string(-kNaN), "  NaN   ");
}

TEST_F(ValueTextTest, FloatAlwaysFillsEightCharacters) {
    for (float magnitude = 1e-7f; magnitude < 1e9f; magnitude *= 3.7f) {
        for (float value : {magnitude, -magnitude, magnitude + 0.999f, -(magnitude + 0.999f)}) {
            EXPECT_EQ(float2string(value).size(), 8u) << value;
        }
    }
}

TEST_F(ValueTextTest, LongIsPrintedSevenWideAndCutToEight) {
    EXPECT_EQ(long2string(0), "      0");
    EXPECT_EQ(long2string(42), "     42");
    EXPECT_EQ(long2string(-1), "     -1");
    EXPECT_EQ(long2string(1234567), "1234567");
    EXPECT_EQ(long2string(99999999), "99999999");
    EXPECT_EQ(long2string(-1234567), "-1234567");
    EXPECT_EQ(long2string(-12345678), "-1234567");
    EXPECT_EQ(long2string(std::numeric_limits<int32_t>::min()), "-2147483");
    EXPECT_EQ(long2string(100000000), " Huge!  ");
    EXPECT_EQ(long2string(std::numeric_limits<int32_t>::max()), " Huge!  ");
}

TEST_F(ValueTextTest, DecibelsOfPositiveGainsElseMinusInfinity) {
    EXPECT_EQ(dB2string(1.0f), "0.000000");
    EXPECT_EQ(dB2string(10.0f), "20.00000");
    EXPECT_EQ(dB2string(0.5f), "-6.02059");
    EXPECT_EQ(dB2string(0.0f), "  -oo   ");
    EXPECT_EQ(dB2string(-1.0f), "  -oo   ");
    EXPECT_EQ(dB2string(kNaN), "  -oo   ");
    EXPECT_EQ(dB2string(kInfinity), " Huge!  ");
}

TEST_F(ValueTextTest, HertzIsTheSampleRateOverTheSamples) {
    EXPECT_EQ(Hz2string(100.0f), "441.0000");
    EXPECT_EQ(Hz2string(-100.0f), "-441.000");
    EXPECT_EQ(Hz2string(0.0f), "0.000000");
    EXPECT_EQ(Hz2string(kInfinity), "0.000000");
    EXPECT_EQ(Hz2string(1e-40f), " Huge!  ");
    EXPECT_EQ(Hz2string(kNaN), "  NaN   ");

    effect.setSampleRate(0.0f);
    EXPECT_EQ(Hz2string(100.0f), "0.000000");
    EXPECT_EQ(Hz2string(0.0f), "0.000000");
    effect.setSampleRate(kNaN);
    EXPECT_EQ(Hz2string(100.0f), "  NaN   ");
}

TEST_F(ValueTextTest, MillisecondsAreTheSamplesOverTheSampleRate) {
    EXPECT_EQ(ms2string(441.0f), "10.00000");
    EXPECT_EQ(ms2string(44100.0f), "1000.000");
    EXPECT_EQ(ms2string(-441.0f), "-10.0000");
    EXPECT_EQ(ms2string(1e30f), " Huge!  ");
    EXPECT_EQ(ms2string(kNaN), "  NaN   ");
}

TEST_F(ValueTextTest, MillisecondsAtSampleRateZeroAreUnboundedNotDividedByZero) {
    effect.setSampleRate(0.0f);
    EXPECT_EQ(ms2string(100.0f), " Huge!  ");
    EXPECT_EQ(ms2string(-100.0f), " Huge!  ");
    EXPECT_EQ(ms2string(0.0f), "  NaN   ");
    EXPECT_EQ(ms2string(kNaN), "  NaN   ");
    effect.setSampleRate(kInfinity);
    EXPECT_EQ(ms2string(100.0f), "0.000000");
}

}  // namespace
