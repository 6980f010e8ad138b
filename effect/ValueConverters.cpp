#include "effect/ValueConverters.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "effect/TextFormat.h"

namespace {

// The float constants 0.1f, 0.01f and 0.001f are multiplied in extended precision: a product with
// an integer is then exact, so truncations and comparisons of it never see a rounded value.
constexpr long double kTenth = 0.1f;
constexpr long double kHundredth = 0.01f;
constexpr long double kThousandth = 0.001f;

// The texts show 32-bit integers. Values outside that range saturate and NaN counts as 0, and the
// arithmetic on the integers runs in 64 bits, so that no input can overflow it.
int64_t truncated(long double x) {
    if (std::isnan(x)) return 0;
    if (x <= INT32_MIN) return INT32_MIN;
    if (x >= INT32_MAX) return INT32_MAX;
    return static_cast<int64_t>(x);
}

double nearest(double x) { return std::floor(x + 0.5); }  // halves go up

int64_t nearestInteger(double x) { return truncated(nearest(x)); }

// y converted to a 32-bit float; values beyond the float range become infinities.
float toFloat(double y) {
    if (std::fabs(y) > 3.4028234663852886e38) return y < 0 ? -INFINITY : INFINITY;
    return static_cast<float>(y);
}

void print(char* text, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, kValueTextCapacity, format, arguments);
    va_end(arguments);
}

void printFixed(char* text, const char* format, long double value) {
    formatFixed(text, kValueTextCapacity, format, static_cast<double>(value));
}

// "12k3": thousands, then the hundreds digit, of a non-negative count.
void printThousands(char* text, double y) {
    if (y < 1000) return print(text, "%lld", static_cast<long long>(truncated(y)));
    // Beyond the 32-bit range both parts are taken from the saturated count, so they agree.
    if (y > INT32_MAX) y = INT32_MAX;
    const int64_t thousands = truncated(y * kThousandth);
    print(text, "%lldk%lld", static_cast<long long>(thousands),
          static_cast<long long>((truncated(y) - 1000 * thousands) / 100));
}

double fourthPowerCurve(float v) { return nearest(std::pow(static_cast<double>(v), 4.0) * 20000); }  // 0..20000

void tenthsOrWhole(float v, char* text) {
    const int64_t n = nearestInteger(v);
    const long double x = n * kTenth;
    if (n > -100 && n < 100)
        printFixed(text, "%2.1f", x);
    else
        print(text, "%lld", static_cast<long long>(truncated(x)));
}

void hundredthsWithPoint(float v, char* text) {
    const int64_t n = nearestInteger(v);
    const auto whole = static_cast<long long>(n / 100), rest = static_cast<long long>(n % 100);
    if (n > -1000 && n < 1000)
        print(text, "%lld.%.2lld", whole, rest);
    else
        print(text, "%lld.%.1lld", whole, rest / 10);
}

void integer(float v, char* text) { print(text, "%lld", static_cast<long long>(nearestInteger(v))); }

void tenthsHertz(float v, char* text) { printFixed(text, "%2.1f Hz", nearestInteger(v) * kTenth); }

void rawValue(float v, char* text) { printFixed(text, "%2.5f", v); }

void milliseconds(float v, char* text) { print(text, "%lld ms", static_cast<long long>(nearestInteger(v))); }

void decibels(float v, char* text) {
    const double x = nearest(v * 10.0) * 0.1;
    if (x > -10) return printFixed(text, "%2.1f", x);
    const double whole = std::ceil(x);
    if (whole == -96)
        print(text, "-ce");
    else
        printFixed(text, "%2.0f", whole);
}

void thousandthsWithPoint(float v, char* text) {
    const int64_t n = nearestInteger(v);
    if (n > -1000 && n < 1000)
        print(text, ".%lld", static_cast<long long>(n));
    else
        printFixed(text, "%2.2f", n * kThousandth);
}

void tenthsBelowTen(float v, char* text) {
    const long double x = nearestInteger(v) * kTenth;
    if (x < 10)
        printFixed(text, "%2.1f", x);
    else
        print(text, "%lld", static_cast<long long>(truncated(x)));
}

void curveThousands(float v, char* text) { printThousands(text, fourthPowerCurve(v)); }

void curveThousandsWithPoint(float v, char* text) {
    const double y = fourthPowerCurve(v);
    if (y < 1000)
        print(text, ".%lld", static_cast<long long>(truncated(y)));
    else
        printFixed(text, "%2.1f", y * kThousandth);
}

void ratio(float v, char* text) {
    const int64_t n = nearestInteger(v);
    if (n < 25)
        print(text, "%lld:1", static_cast<long long>(25 - n));
    else
        print(text, "1:%llde", static_cast<long long>(n - 24));
}

void bentCurveThousands(float v, char* text) {
    const double y = fourthPowerCurve(v);
    double s = std::pow(y * 0.0006666666666666666, 0.5) * 1500 +
               std::pow(static_cast<double>(toFloat(y)) * static_cast<double>(0.0001f), 2.15) * 3300;
    if (s > 20000) s = 20000;
    printThousands(text, s);
}

void frequency(float v, char* text) {
    const double a = static_cast<float>((1.0L - v) * static_cast<long double>(0.88f));
    double r = 1 - std::pow(a, 1 - std::pow(a, 0.038));
    if (r >= 0.1f) r = 1 - std::pow(a, 0.6643 - std::pow(a, 0.3));
    print(text, "%lld Hz", static_cast<long long>(nearestInteger(r * 20000)));
}

void tenths(float v, char* text) { printFixed(text, "%2.1f", nearestInteger(v) * kTenth); }

void millisecondsOrSecond(float v, char* text) {
    const int64_t n = nearestInteger(v);
    if (n < 1000)
        print(text, "%lldm", static_cast<long long>(n));
    else
        print(text, "1s");
}

void hundredths(float v, char* text) { printFixed(text, "%2.2f", nearestInteger(v) * kHundredth); }

void thousandsAndHundredths(float v, char* text) {
    const int64_t n = nearestInteger(v);
    const auto whole = static_cast<long long>(n / 100), rest = static_cast<long long>(n % 100);
    print(text, rest >= 10 ? "%lldk%lld" : "%lldk0%lld", whole, rest);
}

}  // namespace

const ValueConverter kValueConverters[kValueConverterCount] = {
    tenthsOrWhole,        hundredthsWithPoint, integer,           tenthsHertz,
    rawValue,             milliseconds,        decibels,          thousandthsWithPoint,
    tenthsBelowTen,       curveThousands,      curveThousandsWithPoint, ratio,
    bentCurveThousands,   frequency,           tenths,            millisecondsOrSecond,
    hundredths,           thousandsAndHundredths,
};
