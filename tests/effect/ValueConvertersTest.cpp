// The read-outs' value-to-text converters, with the examples each is known by.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "effect/ValueConverters.h"

namespace {

std::string convert(int converter, float value) {
    char text[kValueTextCapacity + 16];
    std::memset(text, '#', sizeof text);
    kValueConverters[converter](value, text);
    for (size_t i = kValueTextCapacity; i < sizeof text; ++i) EXPECT_EQ(text[i], '#') << "overrun at " << i;
    const void* end = std::memchr(text, '\0', kValueTextCapacity);
    EXPECT_NE(end, nullptr) << "no terminator";
    return end ? std::string(text) : std::string();
}

TEST(ValueConvertersTest, TenthsBelowHundredThenWholeNumbers) {
    EXPECT_EQ(convert(0, 5), "0.5");
    EXPECT_EQ(convert(0, 99), "9.9");
    EXPECT_EQ(convert(0, 100), "10");
    EXPECT_EQ(convert(0, -105), "-10");
}

TEST(ValueConvertersTest, HundredthsWithAPointThenTenths) {
    EXPECT_EQ(convert(1, 999), "9.99");
    EXPECT_EQ(convert(1, 1234), "12.3");
    EXPECT_EQ(convert(1, 12345), "123.4");
    EXPECT_EQ(convert(1, 5), "0.05");
}

TEST(ValueConvertersTest, NearestIntegerWithHalvesGoingUp) {
    EXPECT_EQ(convert(2, 179.5f), "180");
    EXPECT_EQ(convert(2, -0.5f), "0");
    EXPECT_EQ(convert(2, -180.4f), "-180");
    EXPECT_EQ(convert(2, -180.5f), "-180");
    EXPECT_EQ(convert(2, 99.0f), "99");
}

TEST(ValueConvertersTest, UnitsAndRawValues) {
    EXPECT_EQ(convert(3, 5), "0.5 Hz");
    EXPECT_EQ(convert(4, 0.5f), "0.50000");
    EXPECT_EQ(convert(5, 12.4f), "12 ms");
    EXPECT_EQ(convert(14, 5), "0.5");
    EXPECT_EQ(convert(16, 5), "0.05");
    EXPECT_EQ(convert(16, 150), "1.50");
}

TEST(ValueConvertersTest, DecibelsDownToTheCutOff) {
    EXPECT_EQ(convert(6, -9.94f), "-9.9");
    EXPECT_EQ(convert(6, -10), "-10");
    EXPECT_EQ(convert(6, -96), "-ce");
    EXPECT_EQ(convert(6, -96.5f), "-ce");
    EXPECT_EQ(convert(6, -95.5f), "-95");
    EXPECT_EQ(convert(6, -120), "-120");
    EXPECT_EQ(convert(6, 3.14f), "3.1");
}

TEST(ValueConvertersTest, ThousandthsAndTenthsBelowTen) {
    EXPECT_EQ(convert(7, 500), ".500");
    EXPECT_EQ(convert(7, 1500), "1.50");
    EXPECT_EQ(convert(8, 5), "0.5");
    EXPECT_EQ(convert(8, 99), "9.9");
    EXPECT_EQ(convert(8, 100), "10");
    EXPECT_EQ(convert(8, 1234), "123");
}

TEST(ValueConvertersTest, FourthPowerCurveToTwentyThousand) {
    EXPECT_EQ(convert(9, 0.5f), "1k2");  // 1250
    EXPECT_EQ(convert(9, 1.0f), "20k0");
    EXPECT_EQ(convert(9, 0.1f), "2");
    EXPECT_EQ(convert(10, 0.1f), ".2");
    EXPECT_EQ(convert(10, 0.5f), "1.3");  // 1250 * 0.001f is just above 1.25
    EXPECT_EQ(convert(10, 1.0f), "20.0");
    EXPECT_EQ(convert(12, 0.5f), "1k4");  // 1407
    EXPECT_EQ(convert(12, 1.0f), "20k0");  // held at 20000
    EXPECT_EQ(convert(12, 0.0f), "0");
}

TEST(ValueConvertersTest, Ratios) {
    EXPECT_EQ(convert(11, 24), "1:1");
    EXPECT_EQ(convert(11, 30), "1:6e");
    EXPECT_EQ(convert(11, 0), "25:1");
}

TEST(ValueConvertersTest, FilterFrequency) {
    EXPECT_EQ(convert(13, 0.0f), "12 Hz");
    EXPECT_EQ(convert(13, 0.5f), "498 Hz");
    EXPECT_EQ(convert(13, 0.9f), "7148 Hz");
    EXPECT_EQ(convert(13, 1.0f), "20000 Hz");
}

TEST(ValueConvertersTest, MillisecondsAndThousands) {
    EXPECT_EQ(convert(15, 999), "999m");
    EXPECT_EQ(convert(15, 1000), "1s");
    EXPECT_EQ(convert(17, 1205), "12k05");
    EXPECT_EQ(convert(17, 1250), "12k50");
}

// Integers saturate at the 32-bit range and NaN counts as 0; every text stays in its buffer.
TEST(ValueConvertersTest, AnyFloatGivesABoundedText) {
    const float extremes[] = {std::nanf(""),
                              -std::nanf(""),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::max(),
                              -std::numeric_limits<float>::max(),
                              1e30f,
                              -1e30f,
                              3e9f,
                              -3e9f,
                              std::numeric_limits<float>::denorm_min(),
                              -0.0f};
    for (int converter = 0; converter < kValueConverterCount; ++converter)
        for (float value : extremes) EXPECT_FALSE(convert(converter, value).empty()) << converter << " " << value;
    EXPECT_EQ(convert(2, 1e30f), "2147483647");
    EXPECT_EQ(convert(2, -1e30f), "-2147483648");
    EXPECT_EQ(convert(2, std::nanf("")), "0");
    EXPECT_EQ(convert(4, std::nanf("")), "nan");
    EXPECT_EQ(convert(4, -std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_EQ(convert(11, -1e30f), "2147483673:1");
    // Past the 32-bit range the thousands and the hundreds digit come from the same saturated count.
    EXPECT_EQ(convert(9, 1e30f), "2147483k6");
    EXPECT_EQ(convert(9, std::numeric_limits<float>::infinity()), "2147483k6");
}

}  // namespace
