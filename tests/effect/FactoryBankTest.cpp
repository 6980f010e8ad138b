// Reading programs from bank images, well-formed or not, and the bank the module carries.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "effect/FactoryBank.h"
#include "platform/platform.h"

namespace {

constexpr size_t kHeaderSize = 156;
constexpr size_t kProgramSize = 116;

void putBigEndian(std::vector<unsigned char>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

// A bank image with `held` programs, program i named "P<i>" with value i + index / 100 at each index.
std::vector<unsigned char> makeBank(int32_t numProgramsField, int held) {
    std::vector<unsigned char> bytes(kHeaderSize + kProgramSize * held, 0);
    putBigEndian(bytes, 24, static_cast<uint32_t>(numProgramsField));
    for (int i = 0; i < held; ++i) {
        const size_t record = kHeaderSize + kProgramSize * i;
        const std::string name = "P" + std::to_string(i);
        std::memcpy(&bytes[record + 28], name.c_str(), name.size());
        for (int p = 0; p < kNumParameters; ++p) {
            const float value = static_cast<float>(i) + static_cast<float>(p) / 100.0f;
            uint32_t bits;
            std::memcpy(&bits, &value, sizeof bits);
            putBigEndian(bytes, record + 56 + 4 * p, bits);
        }
    }
    return bytes;
}

bool isUntouched(const CEffectProgram& program) {
    if (std::strcmp(program.name, "Default") != 0) return false;
    for (float value : program.params)
        if (value != 0.0f) return false;
    return true;
}

TEST(FactoryBankTest, ReadsNamesAndBigEndianValues) {
    const std::vector<unsigned char> bank = makeBank(4, 4);
    CEffectProgram programs[kNumPrograms];
    EXPECT_EQ(loadFactoryBank(bank.data(), bank.size(), programs, kNumPrograms), 4);
    EXPECT_STREQ(programs[3].name, "P3");
    EXPECT_EQ(programs[3].params[0], 3.0f);
    EXPECT_EQ(programs[3].params[14], 3.0f + 14.0f / 100.0f);
    EXPECT_TRUE(isUntouched(programs[4]));
}

TEST(FactoryBankTest, FillsNoMoreProgramsThanTheStoreHolds) {
    const std::vector<unsigned char> bank = makeBank(100, 100);
    CEffectProgram programs[kNumPrograms + 1];
    EXPECT_EQ(loadFactoryBank(bank.data(), bank.size(), programs, kNumPrograms), kNumPrograms);
    EXPECT_STREQ(programs[63].name, "P63");
    EXPECT_TRUE(isUntouched(programs[64]));
}

TEST(FactoryBankTest, FillsOnlyTheProgramsTheBankCounts) {
    const std::vector<unsigned char> bank = makeBank(3, 64);
    CEffectProgram programs[kNumPrograms];
    EXPECT_EQ(loadFactoryBank(bank.data(), bank.size(), programs, kNumPrograms), 3);
    EXPECT_STREQ(programs[2].name, "P2");
    for (int i = 3; i < kNumPrograms; ++i) EXPECT_TRUE(isUntouched(programs[i])) << "program " << i;
}

TEST(FactoryBankTest, NeverReadsPastTheEndOfABankThatPromisesMore) {
    std::vector<unsigned char> bank = makeBank(100, 10);
    bank.resize(bank.size() - kProgramSize / 2);  // the tenth program is cut in half
    // Read from a copy of exactly that size, so that AddressSanitizer sees any read beyond it.
    const std::unique_ptr<unsigned char[]> exact(new unsigned char[bank.size()]);
    std::memcpy(exact.get(), bank.data(), bank.size());
    CEffectProgram programs[kNumPrograms];
    EXPECT_EQ(loadFactoryBank(exact.get(), bank.size(), programs, kNumPrograms), 9);
    EXPECT_STREQ(programs[8].name, "P8");
    EXPECT_TRUE(isUntouched(programs[9]));
}

TEST(FactoryBankTest, EmptyOrNegativeCountsAndShortHeadersFillNothing) {
    CEffectProgram programs[kNumPrograms];
    for (int32_t count : {0, -1, INT32_MIN}) {
        const std::vector<unsigned char> bank = makeBank(count, 2);
        EXPECT_EQ(loadFactoryBank(bank.data(), bank.size(), programs, kNumPrograms), 0);
    }
    const std::vector<unsigned char> bank = makeBank(2, 2);
    EXPECT_EQ(loadFactoryBank(bank.data(), kHeaderSize - 1, programs, kNumPrograms), 0);
    EXPECT_EQ(loadFactoryBank(nullptr, 0, programs, kNumPrograms), 0);
    for (const CEffectProgram& program : programs) EXPECT_TRUE(isUntouched(program));
}

TEST(FactoryBankTest, NameWithoutTerminatorIsCutTo27Characters) {
    std::vector<unsigned char> bank = makeBank(1, 1);
    std::memset(&bank[kHeaderSize + 28], 'n', 28);
    CEffectProgram programs[1];
    EXPECT_EQ(loadFactoryBank(bank.data(), bank.size(), programs, 1), 1);
    EXPECT_EQ(std::string(programs[0].name), std::string(27, 'n'));
}

TEST(FactoryBankTest, ModuleCarriesTheShippedBank) {
    platform::ResourceData resource{};
    ASSERT_TRUE(platform::findResource("FXBANK", 200, resource));
    ASSERT_EQ(resource.size, 7580u);
    CEffectProgram programs[kNumPrograms];
    EXPECT_EQ(loadFactoryBank(static_cast<const unsigned char*>(resource.data), resource.size, programs, kNumPrograms),
              64);
    const float expected[kNumParameters] = {1.0f, std::nextafter(0.7f, 1.0f), 0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f,
                                            0.06f, 0.0f, 0.0f, 0.06f, 1.0f, 0.0f, 0.34f};
    for (const CEffectProgram& program : programs) {
        EXPECT_STREQ(program.name, "Default");
        for (int p = 0; p < kNumParameters; ++p) EXPECT_EQ(program.params[p], expected[p]) << "index " << p;
    }
}

}  // namespace
