// What a run of spatialiser-host validate printed, taken apart: the warnings, the verdict of each
// group and the summary line.
#pragma once

#include "HostProcess.h"

#include <map>
#include <string>
#include <vector>

struct ValidationReport {
    std::vector<std::string> groups;                 // in the order of their verdicts
    std::map<std::string, std::string> verdicts;     // "PASS ..." or "FAIL ..." by group
    std::map<std::string, std::vector<std::string>> warnings;  // the WARN lines' text by group
    std::vector<std::string> otherLines;             // anything else but the summary
    std::string summary;

    explicit ValidationReport(const HostRun& run);
    size_t warningCount() const;
};

extern const char* const kValidationGroups[9];
