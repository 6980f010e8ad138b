#include "ValidationReport.h"

#include <sstream>

const char* const kValidationGroups[9] = {"load",     "opcodes", "audio",  "parameters", "programs",
                                          "threads", "editor",  "instances", "hostile"};

namespace {

// "WARN group: text" gives group and text.
bool split(const std::string& line, const char* grade, std::string& group, std::string& text) {
    const std::string prefix = std::string(grade) + " ";
    if (line.compare(0, prefix.size(), prefix) != 0) return false;
    const size_t colon = line.find(": ", prefix.size());
    if (colon == std::string::npos) return false;
    group = line.substr(prefix.size(), colon - prefix.size());
    text = line.substr(colon + 2);
    return true;
}

}  // namespace

ValidationReport::ValidationReport(const HostRun& run) {
    std::istringstream stream(run.out);
    for (std::string line; std::getline(stream, line);) {
        std::string group;
        std::string text;
        if (split(line, "WARN", group, text)) {
            warnings[group].push_back(text);
        } else if (split(line, "PASS", group, text) || split(line, "FAIL", group, text)) {
            groups.push_back(group);
            verdicts[group] = line;
        } else if (stream.peek() == EOF) {
            summary = line;
        } else {
            otherLines.push_back(line);
        }
    }
}

size_t ValidationReport::warningCount() const {
    size_t count = 0;
    for (const auto& [group, lines] : warnings) count += lines.size();
    return count;
}
