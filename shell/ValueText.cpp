// The value-to-text routines of AEffPlugin. Every text is at most 8 characters plus terminator.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "shell/AEffPlugin.h"

namespace {

constexpr int kTextWidth = 8;
constexpr char kHugeText[] = " Huge!  ";
constexpr char kNaNText[] = "  NaN   ";
constexpr char kMinusInfinityText[] = "  -oo   ";

uint64_t powerOfTen(int exponent) {
    uint64_t power = 1;
    while (exponent-- > 0) power *= 10;
    return power;
}

}  // namespace

void AEffPlugin::dB2string(float gain, char* text) {
    if (gain > 0.0f) {
        // In double: the float logarithm can be off by enough to change the last digit shown.
        float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(gain))), text);
    } else {
        std::strcpy(text, kMinusInfinityText);
    }
}

void AEffPlugin::Hz2string(float samples, char* text) {
    float2string(samples == 0.0f ? 0.0f : getSampleRate() / samples, text);
}

void AEffPlugin::ms2string(float samples, char* text) {
    const float rate = getSampleRate();
    if (rate != 0.0f) {
        float2string(samples * 1000.0f / rate, text);
    } else if (samples == 0.0f || std::isnan(samples)) {
        float2string(std::numeric_limits<float>::quiet_NaN(), text);
    } else {
        // At a rate of 0 every non-zero duration is unbounded; no division by zero.
        float2string(std::copysign(std::numeric_limits<float>::infinity(), samples), text);
    }
}

void AEffPlugin::float2string(float value, char* text) {
    if (std::isnan(value)) {
        std::strcpy(text, kNaNText);
        return;
    }
    const bool negative = value < 0.0f;
    const double magnitude = std::fabs(static_cast<double>(value));
    // Infinities end here too.
    if (magnitude > (negative ? 9999999.0 : 99999999.0)) {
        std::strcpy(text, kHugeText);
        return;
    }

    // Sign, integer digits and the point share the 8 characters; the fraction takes what is left.
    const int signLength = negative ? 1 : 0;
    const int maxIntegerDigits = kTextWidth - signLength - 1;
    const double wholePart = std::floor(magnitude);

    char integerDigits[kTextWidth];  // least significant first
    int integerCount = 0;
    uint64_t whole = static_cast<uint64_t>(wholePart);
    do {
        integerDigits[integerCount++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0 && integerCount < maxIntegerDigits);

    const int fractionCount = maxIntegerDigits - integerCount;
    // Truncated, not rounded: the digits of floor(fraction * 10^count).
    uint64_t fraction = static_cast<uint64_t>((magnitude - wholePart) * static_cast<double>(powerOfTen(fractionCount)));

    char* out = text;
    if (negative) *out++ = '-';
    for (int i = integerCount - 1; i >= 0; --i) *out++ = integerDigits[i];
    *out++ = '.';
    for (int i = fractionCount - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    out[fractionCount] = '\0';
}

void AEffPlugin::long2string(int32_t value, char* text) {
    if (value >= 100000000) {
        std::strcpy(text, kHugeText);
        return;
    }
    char formatted[16];
    std::snprintf(formatted, sizeof formatted, "%7d", static_cast<int>(value));
    const size_t length = std::min(std::strlen(formatted), static_cast<size_t>(kTextWidth));
    std::memcpy(text, formatted, length);
    text[length] = '\0';
}
