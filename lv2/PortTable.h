// The LV2 plug-in's ports: the four audio ports, then one control port per setting a person makes,
// each carrying the normalised value of one effect parameter. Hosts store sessions and presets by
// these symbols and by the URIs below: none of them may ever change, and the order is fixed.
#pragma once

#include <cstdint>

#include "effect/ParameterTable.h"

inline constexpr const char* kPluginUri = "urn:spatialiser:plugin";
inline constexpr const char* kUiUri = "urn:spatialiser:plugin#ui";

enum AudioPort : uint32_t { kPortInLeft, kPortInRight, kPortOutLeft, kPortOutRight, kFirstControlPort };

struct ControlPort {
    const char* symbol;
    const char* name;  // what a person reads in a host's list of controls
    ParameterIndex parameter;
};

// The mirrors ("Azimuth ", "Distance", "Elevtn  ") and the effective depth "Az.DptSl" are not
// ports: the effect derives them from these.
inline constexpr ControlPort kControlPorts[] = {
    {"azimuth", "Azimuth", kAzimuthSlider},
    {"distance", "Distance", kDistanceSlider},
    {"elevation", "Elevation", kElevationSlider},
    {"az_depth", "Azimuth depth", kAzimuthDepth},
    {"az_speed", "Azimuth speed", kAzimuthSpeed},
    {"az_waveform", "Azimuth waveform", kAzimuthWaveform},
    {"el_depth", "Elevation depth", kElevationDepth},
    {"el_speed", "Elevation speed", kElevationSpeed},
    {"stereo_field", "Stereo field", kStereoField},
    {"quality", "Quality", kQuality},
    {"reflections", "Reflections", kReflectionPattern},
};

inline constexpr uint32_t kControlPortCount = sizeof kControlPorts / sizeof kControlPorts[0];
inline constexpr uint32_t kPortCount = kFirstControlPort + kControlPortCount;

// The port that carries `parameter`, or -1 for a parameter that has none.
constexpr int32_t portOfParameter(int32_t parameter) {
    for (uint32_t i = 0; i < kControlPortCount; ++i)
        if (kControlPorts[i].parameter == parameter) return static_cast<int32_t>(kFirstControlPort + i);
    return -1;
}

// The parameter a port carries, or -1 for an audio port or a port the plug-in does not have.
constexpr int32_t parameterOfPort(uint32_t port) {
    return port >= kFirstControlPort && port < kPortCount ? kControlPorts[port - kFirstControlPort].parameter : -1;
}
