// The host tool's command line: the input split at zero bytes into arguments. A wrong command
// line may only end in a UsageError; a parsed one must name a command and its files.
#include "CommandLine.h"
#include "HostError.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> arguments(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) arguments.emplace_back();
        else arguments.back() += static_cast<char>(data[i]);
    }
    try {
        const host::CommandLine line = host::parseCommandLine(arguments);
        // What the parser lets through is within the bounds the commands rely on.
        if (line.blockSize < 1 || line.blockSize > (1 << 20)) std::abort();
        if (!(line.tailSeconds >= 0.0 && line.tailSeconds <= 3600.0)) std::abort();
        for (const host::ParameterSetting& setting : line.settings) {
            if (setting.parameter.empty() || !std::isfinite(setting.value)) std::abort();
        }
        if (line.program && *line.program < 0) std::abort();
    } catch (const host::UsageError&) {
    }
    return 0;
}
