// The angle of a pointer around a centre, for the controls turned or steered by pointing.
#pragma once

#include <cmath>

constexpr double kDegreesPerRadian = 57.29577951308232;

// arccos(dy / d) in degrees, 0..180, measured from straight below the centre; false when the
// pointer is on the centre and has no angle.
inline bool angleFromBelow(double dx, double dy, double& degrees) {
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance == 0.0)
        return false;
    degrees = std::acos(dy / distance) * kDegreesPerRadian;
    return true;
}
