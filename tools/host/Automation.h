// Parameter automation: a text file of timed parameter values, turned into changes at exact
// sample positions.
//
// Each line is `TIME PARAMETER VALUE [ramp]`: seconds from the start, a parameter name (blanks
// inside allowed) or index, a normalised value. `ramp` makes the parameter move in a straight line
// from its previous point (or from its value at the start) to this one; without it the value
// steps at TIME. `#` starts a comment.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct AutomationPoint {
    double time = 0.0;  // seconds
    int32_t parameter = 0;
    float value = 0.0f;
    bool ramp = false;
};

struct ParameterChange {
    int64_t frame = 0;
    int32_t parameter = 0;
    float value = 0.0f;
};

// During a ramp the value is renewed this often; every block splits at those frames.
constexpr int64_t kRampStepFrames = 32;

// Resolves a parameter name or index; throws HostError when there is no such parameter.
using ParameterResolver = std::function<int32_t(std::string_view)>;

// Parses automation text; errors name `sourceName` and the line.
std::vector<AutomationPoint> parseAutomation(std::istream& text, const std::string& sourceName,
                                             const ParameterResolver& resolveParameter);

std::vector<AutomationPoint> readAutomationFile(const std::string& path, const ParameterResolver& resolveParameter);

// The changes to apply before `endFrame`, in frame order (file order among equal frames), from the
// points and each parameter's value at the start of the render.
std::vector<ParameterChange> scheduleChanges(const std::vector<AutomationPoint>& points, double sampleRate,
                                             int64_t endFrame, const std::function<float(int32_t)>& startValue);

}  // namespace host
