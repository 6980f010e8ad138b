#include "gui/ScaleSources.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gui/CGuiScale.h"
#include "platform/platform.h"

namespace {

bool isScale(float factor) {
    return factor >= CGuiScale::kSmallest && factor <= CGuiScale::kLargest;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

float chooseScale(const ScaleSources& sources) {
    for (float factor : {sources.user, sources.host, sources.system}) {
        if (isScale(factor))
            return factor;
    }
    return 1.0f;
}

float parseScale(const char* text) {
    if (!text)
        return 0.0f;
    char* end = nullptr;
    const float factor = std::strtof(text, &end);
    if (end == text || !trimmed(end).empty())
        return 0.0f;
    return isScale(factor) ? factor : 0.0f;
}

float environmentScale() {
    return parseScale(std::getenv("SPATIALISER_EDITOR_SCALE"));
}

float readStoredScale(const std::string& file) {
    if (file.empty())
        return 0.0f;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos || trimmed(line.substr(0, equals)) != "scale")
            continue;
        return parseScale(trimmed(line.substr(equals + 1)).c_str());
    }
    return 0.0f;
}

bool storeScale(const std::string& file, float scale) {
    if (file.empty())
        return false;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), error);
    std::ofstream out(file, std::ios::trunc);
    if (isScale(scale)) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", static_cast<double>(scale));
        out << "scale = " << text << "\n";
    } else {
        out << "scale = automatic\n";
    }
    out.flush();
    return static_cast<bool>(out);
}

std::string scaleSettingsFile() {
    const std::string folder = platform::settingsFolder();
    if (folder.empty())
        return std::string();
    return (std::filesystem::path(folder) / "editor.conf").string();
}
