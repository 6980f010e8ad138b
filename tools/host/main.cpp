// spatialiser-host: a command-line VST 2.x host that lists a module, renders audio files through
// it and validates it.
#include "CommandLine.h"
#include "HostError.h"
#include "InfoCommand.h"
#include "RenderCommand.h"
#include "ValidateCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        const host::CommandLine line = host::parseCommandLine(arguments);
        switch (line.command) {
        case host::CommandLine::Command::Help:
            // Asked for, the usage is the answer; without any arguments it explains a mistake.
            (arguments.empty() ? std::cerr : std::cout) << host::kUsage;
            return arguments.empty() ? 2 : 0;
        case host::CommandLine::Command::Info:
            host::printModuleInfo(line.module, std::cout);
            return 0;
        case host::CommandLine::Command::Render:
            host::renderFile(line, std::cout);
            return 0;
        case host::CommandLine::Command::Validate:
            return host::validateModule(line, std::cout);
        }
    } catch (const host::UsageError& error) {
        std::cerr << "spatialiser-host: " << error.what() << " (see spatialiser-host --help)\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "spatialiser-host: " << error.what() << "\n";
        return 1;
    }
    return 1;
}
