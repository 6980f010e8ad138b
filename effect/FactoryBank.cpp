#include "effect/FactoryBank.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kHeaderSize = 156;
constexpr size_t kNumProgramsOffset = 24;
constexpr size_t kProgramSize = 116;
constexpr size_t kProgramNameOffset = 28;
constexpr size_t kProgramNameField = 28;
constexpr size_t kProgramValuesOffset = 56;

uint32_t readBigEndian32(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | uint32_t{bytes[3]};
}

float readBigEndianFloat(const unsigned char* bytes) {
    const uint32_t bits = readBigEndian32(bytes);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

int loadFactoryBank(const unsigned char* bank, size_t size, CEffectProgram* programs, int capacity) {
    if (!bank || size < kHeaderSize) return 0;
    const auto promised = static_cast<int32_t>(readBigEndian32(bank + kNumProgramsOffset));
    // A bank that promises more programs than it holds is read only as far as it goes.
    const auto held = static_cast<int64_t>((size - kHeaderSize) / kProgramSize);
    const auto count = static_cast<int>(std::min<int64_t>({promised, capacity, held}));
    for (int i = 0; i < count; ++i) {
        const unsigned char* record = bank + kHeaderSize + kProgramSize * static_cast<size_t>(i);
        char name[kProgramNameField + 1] = {};
        std::memcpy(name, record + kProgramNameOffset, kProgramNameField);
        setProgramRecordName(programs[i], name);
        for (int p = 0; p < kNumParameters; ++p)
            programs[i].params[p] = readBigEndianFloat(record + kProgramValuesOffset + 4 * static_cast<size_t>(p));
    }
    return std::max(count, 0);
}
