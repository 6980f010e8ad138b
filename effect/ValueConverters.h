// The value-to-text converters of the editor's numeric read-outs, chosen by index.
#pragma once

#include <cstddef>

// Writes the text of `value` into `text`, which holds at least kValueTextCapacity bytes.
using ValueConverter = void (*)(float value, char* text);

constexpr size_t kValueTextCapacity = 64;  // bytes written at most, terminator included
constexpr int kValueConverterCount = 18;

extern const ValueConverter kValueConverters[kValueConverterCount];
