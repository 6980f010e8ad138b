// What the probe effect recorded about the host, read back from its log.
#pragma once

#include <fstream>
#include <map>
#include <string>

using ProbeLog = std::map<std::string, std::string>;

inline ProbeLog readProbeLog(const std::string& path) {
    ProbeLog log;
    std::ifstream file(path);
    std::string key;
    std::string value;
    while (file >> key >> value) log[key] = value;
    return log;
}
