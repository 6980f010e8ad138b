#include "Automation.h"

#include "HostError.h"
#include "Numbers.h"
#include "Parameters.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

namespace host {
namespace {

constexpr std::string_view kRampKeyword = "ramp";

// Splits on blanks and tabs.
std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> result;
    size_t position = 0;
    while (true) {
        const size_t start = line.find_first_not_of(" \t\r", position);
        if (start == std::string_view::npos) break;
        const size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
        result.push_back(line.substr(start, end - start));
        position = end;
    }
    return result;
}

AutomationPoint parseLine(std::string_view line, const ParameterResolver& resolveParameter) {
    std::vector<std::string_view> parts = words(line);
    AutomationPoint point;
    if (parts.size() >= 4 && parts.back() == kRampKeyword) {
        point.ramp = true;
        parts.pop_back();
    }
    if (parts.size() < 3) throw HostError("expected TIME PARAMETER VALUE [ramp]");

    const auto time = parseFiniteNumber(parts.front());
    if (!time || *time < 0.0) throw HostError("time \"" + std::string(parts.front()) + "\" is not a number of seconds from 0 on");
    point.time = *time;

    // The name is everything between the time and the value, so names may hold blanks.
    const char* nameStart = parts[1].data();
    const char* nameEnd = parts[parts.size() - 2].data() + parts[parts.size() - 2].size();
    const std::string_view name(nameStart, static_cast<size_t>(nameEnd - nameStart));
    point.parameter = resolveParameter(name);
    point.value = parseParameterValue(parts.back(), "parameter \"" + std::string(name) + "\"");
    return point;
}

}  // namespace

std::vector<AutomationPoint> parseAutomation(std::istream& text, const std::string& sourceName,
                                             const ParameterResolver& resolveParameter) {
    std::vector<AutomationPoint> points;
    std::string line;
    for (int lineNumber = 1; std::getline(text, line); ++lineNumber) {
        const std::string_view content = trimBlanks(std::string_view(line).substr(0, line.find('#')));
        if (content.empty()) continue;
        try {
            points.push_back(parseLine(content, resolveParameter));
        } catch (const HostError& error) {
            throw HostError(sourceName + ", line " + std::to_string(lineNumber) + ": " + error.what());
        }
    }
    return points;
}

std::vector<AutomationPoint> readAutomationFile(const std::string& path, const ParameterResolver& resolveParameter) {
    std::ifstream file(path);
    if (!file) throw HostError("cannot read automation file " + path);
    return parseAutomation(file, path, resolveParameter);
}

std::vector<ParameterChange> scheduleChanges(const std::vector<AutomationPoint>& points, double sampleRate,
                                             int64_t endFrame, const std::function<float(int32_t)>& startValue) {
    std::vector<AutomationPoint> ordered = points;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const AutomationPoint& a, const AutomationPoint& b) { return a.time < b.time; });

    struct Previous {
        double frame;
        float value;
    };
    std::map<int32_t, Previous> previous;
    std::vector<ParameterChange> changes;
    for (const AutomationPoint& point : ordered) {
        // Frames are kept as doubles until they are known to lie inside the render.
        const double frame = std::round(point.time * sampleRate);
        auto known = previous.find(point.parameter);
        if (known == previous.end()) {
            known = previous.emplace(point.parameter, Previous{0.0, startValue(point.parameter)}).first;
        }
        const Previous from = known->second;
        if (point.ramp && frame > from.frame) {
            // Intermediate values at fixed steps after the ramp's start; the end value lands exactly.
            const double span = frame - from.frame;
            const double last = std::min(frame, static_cast<double>(endFrame));
            for (double at = from.frame + kRampStepFrames; at < last; at += kRampStepFrames) {
                const double progress = (at - from.frame) / span;
                const float value = static_cast<float>(from.value + (point.value - from.value) * progress);
                changes.push_back({static_cast<int64_t>(at), point.parameter, value});
            }
        }
        if (frame < static_cast<double>(endFrame)) {
            changes.push_back({static_cast<int64_t>(frame), point.parameter, point.value});
        }
        known->second = {frame, point.value};
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const ParameterChange& a, const ParameterChange& b) { return a.frame < b.frame; });
    return changes;
}

}  // namespace host
