// The effect's 15 parameters: indices, stored names, defaults. Read by the effect and by the
// editor; knows nothing of either.
#pragma once

#include <cstdint>

enum ParameterIndex : int32_t {
    kAzimuth,              // host-facing mirror of kAzimuthSlider
    kDistance,             // host-facing mirror of kDistanceSlider
    kElevation,            // host-facing mirror of kElevationSlider
    kAzimuthDepth,         // the depth the sine waveform uses, kept while a ramp pins the slider
    kAzimuthSlider,        // engine: azimuth = value * 2 - 1
    kDistanceSlider,       // engine: distance
    kElevationSlider,      // engine: elevation
    kAzimuthDepthSlider,   // engine: azimuth modulation depth
    kAzimuthSpeed,         // engine: azimuth modulation rate
    kAzimuthWaveform,      // engine: waveform = floor(value * 2 + 0.5)
    kElevationDepth,       // engine: elevation modulation depth
    kElevationSpeed,       // engine: elevation modulation rate
    kStereoField,          // engine: stereo field
    kQuality,              // engine: quality, only zero and non-zero told apart
    kReflectionPattern,    // engine: reflection pattern, the menu offers 0, 1/3, 2/3 and 1
    kNumParameters
};

enum ParameterDisplayKind : int32_t { kDisplayPlain = 0, kDisplayDecibels = 1 };

struct ParameterInfo {
    int32_t displayKind;
    char name[32];  // exactly 8 characters, short names padded with blanks
    float defaultValue;
    int32_t automatable;  // only the low byte is read
};

inline constexpr ParameterInfo kParameterTable[kNumParameters] = {
    {kDisplayPlain, "Azimuth ", 0.0f, 1},
    {kDisplayPlain, "Distance", 0.7f, 1},
    {kDisplayPlain, "Elevtn  ", 0.0f, 1},
    {kDisplayPlain, "Az.depth", 0.0f, 1},
    {kDisplayPlain, "Az.Sldr ", 0.5f, 1},
    {kDisplayPlain, "Dis.Sldr", 0.5f, 1},
    {kDisplayPlain, "El.Sldr ", 0.0f, 1},
    {kDisplayPlain, "Az.DptSl", 0.0f, 1},
    {kDisplayPlain, "Az.Speed", 0.06f, 1},
    {kDisplayPlain, "Az.WForm", 0.0f, 1},
    {kDisplayPlain, "El.Depth", 0.0f, 1},
    {kDisplayPlain, "El.Speed", 0.06f, 1},
    {kDisplayPlain, "St.field", 1.0f, 1},
    {kDisplayPlain, "Quality ", 0.0f, 1},
    {kDisplayPlain, "Refl.Pat", 0.34f, 1},
};

constexpr bool isParameterIndex(int32_t index) { return index >= 0 && index < kNumParameters; }
