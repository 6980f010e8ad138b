// The presets the bundle carries (presets.ttl): each a name a person reads, a URI that never
// changes, and a value for every control port, in the order of kControlPorts. Speeds are in Hz;
// an azimuth of 0.25 is hard left, 0.5 the front, 0.75 hard right.
#pragma once

#include "lv2/PortTable.h"

struct Lv2Preset {
    const char* uri;
    const char* name;
    float values[kControlPortCount];
};

inline constexpr float kReflectionsAbsorb = 0.0f;
inline constexpr float kReflectionsNormal = 1.0f / 3.0f;
inline constexpr float kReflectionsSustain = 1.0f;

inline constexpr Lv2Preset kPresets[] = {
    // azimuth, distance, elevation, az_depth, az_speed, az_waveform, el_depth, el_speed,
    // stereo_field, quality, reflections
    // The ramp takes the source once around the head every 20 seconds.
    {"urn:spatialiser:preset:slow-orbit", "Slow orbit",
     {0.5f, 0.5f, 0.0f, 1.0f, 0.05f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, kReflectionsNormal}},
    // Rises from the front to straight overhead and comes down again, swaying a little sideways.
    {"urn:spatialiser:preset:overhead-fly-over", "Overhead fly-over",
     {0.5f, 0.4f, 0.0f, 0.15f, 0.1f, 0.0f, 1.0f, 0.1f, 1.0f, 1.0f, kReflectionsNormal}},
    {"urn:spatialiser:preset:close-left", "Close source on the left",
     {0.25f, 0.05f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, kReflectionsAbsorb}},
    {"urn:spatialiser:preset:wide-static-front", "Wide static front",
     {0.5f, 0.6f, 0.1f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, kReflectionsNormal}},
    {"urn:spatialiser:preset:large-room", "Large room",
     {0.5f, 0.9f, 0.2f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, kReflectionsSustain}},
};
