// The per-user settings folder on Linux, as the XDG base directories place it.
#include "platform/platform.h"

#include <cstdlib>

namespace platform {

std::string settingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/spatialiser";
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0') return std::string(home) + "/.config/spatialiser";
    return std::string();
}

}  // namespace platform
