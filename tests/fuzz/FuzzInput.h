// Reading a fuzzer's bytes as the values a host or a file can give: any bit pattern of a float
// (NaNs and infinities included), counts in a range, texts of any length.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>

inline float anyFloat(FuzzedDataProvider& input) {
    const uint32_t bits = input.ConsumeIntegral<uint32_t>();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
