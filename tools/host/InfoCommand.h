// `spatialiser-host info MODULE`: what a module tells a host about itself.
#pragma once

#include <ostream>
#include <string>

namespace host {

// Throws HostError when the module cannot be loaded.
void printModuleInfo(const std::string& modulePath, std::ostream& out);

}  // namespace host
