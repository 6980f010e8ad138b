// Names, labels and display texts written into host buffers.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "tests/effect/EffectFixture.h"

namespace {

// A host buffer larger than the 9 bytes the effect may use, so that any overrun shows.
struct HostBuffer {
    HostBuffer() { std::memset(bytes, '#', sizeof bytes); }
    bool untouchedFrom(size_t offset) const {
        for (size_t i = offset; i < sizeof bytes; ++i)
            if (bytes[i] != '#') return false;
        return true;
    }
    std::string text() const {
        const void* end = std::memchr(bytes, '\0', sizeof bytes);
        return std::string(bytes, end ? static_cast<const char*>(end) : bytes + sizeof bytes);
    }
    char bytes[64];
};

class ParameterTextTest : public EffectTest {
protected:
    std::string display(float value) {
        effect->setParameter(kStereoField, value);
        HostBuffer buffer;
        effect->getParameterDisplay(kStereoField, buffer.bytes);
        EXPECT_TRUE(buffer.untouchedFrom(9)) << value;
        return buffer.text();
    }
};

TEST_F(ParameterTextTest, NamesAndLabelsAreTheStoredEightCharacters) {
    for (int32_t index = 0; index < kNumParameters; ++index) {
        HostBuffer name, label;
        effect->getParameterName(index, name.bytes);
        effect->getParameterLabel(index, label.bytes);
        EXPECT_EQ(name.text(), kParameterTable[index].name);
        EXPECT_EQ(label.text(), kParameterTable[index].name);
        EXPECT_EQ(name.text().size(), 8u);
        EXPECT_TRUE(name.untouchedFrom(9));
    }
    HostBuffer name;
    effect->getParameterName(kAzimuth, name.bytes);
    EXPECT_EQ(name.text(), "Azimuth ");  // the trailing blank is part of the name
}

TEST_F(ParameterTextTest, DisplayPrintsTheValueWithFiveDecimals) {
    EXPECT_EQ(display(1.0f), "1.00000");
    EXPECT_EQ(display(0.06f), "0.06000");
    EXPECT_EQ(display(0.5f), "0.50000");
    EXPECT_EQ(display(-0.25f), "-0.25000");
    EXPECT_EQ(display(12.5f), "12.50000");
}

TEST_F(ParameterTextTest, DisplayOfAnyFloatFitsEightCharacters) {
    EXPECT_EQ(display(123.456f), "123.4560");
    EXPECT_EQ(display(12345678.0f), "12345678");
    EXPECT_EQ(display(-1234567.0f), "-1234567");
    EXPECT_EQ(display(1e30f), " Huge!  ");
    EXPECT_EQ(display(-1e30f), " Huge!  ");
    EXPECT_EQ(display(std::numeric_limits<float>::max()), " Huge!  ");
    EXPECT_EQ(display(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(display(-std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_EQ(display(std::nanf("")), "nan");
    EXPECT_EQ(display(-std::nanf("")), "nan");
}

TEST_F(ParameterTextTest, IndicesOutsideTheTableLeaveTheTextAlone) {
    for (int32_t index : {15, -1}) {
        HostBuffer name, label, shown;
        effect->getParameterName(index, name.bytes);
        effect->getParameterLabel(index, label.bytes);
        effect->getParameterDisplay(index, shown.bytes);
        EXPECT_TRUE(name.untouchedFrom(0));
        EXPECT_TRUE(label.untouchedFrom(0));
        EXPECT_TRUE(shown.untouchedFrom(0));
    }
}

}  // namespace
