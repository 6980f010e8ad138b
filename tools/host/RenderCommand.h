// `spatialiser-host render MODULE IN OUT [options]`.
#pragma once

#include "CommandLine.h"

#include <ostream>

namespace host {

// Renders and prints what was done to `out`. Throws HostError; OUT is then left as it was.
void renderFile(const CommandLine& line, std::ostream& out);

}  // namespace host
