// Parameters and texts of an effect, as a host reads them through the dispatcher.
#pragma once

#include "vst2.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace host {

// The text a dispatcher opcode writes into a host buffer. The buffer is far larger than the
// interface's limits, since many modules write past them.
std::string dispatchText(AEffect& effect, int32_t opcode, int32_t index = 0, intptr_t value = 0);

std::string parameterName(AEffect& effect, int32_t index);

// A parameter by its name, with or without its trailing blanks, or else by its index.
// Throws HostError for an unknown or ambiguous name.
int32_t findParameter(AEffect& effect, std::string_view nameOrIndex);

// A normalised parameter value typed by the user; `what` names it in the error message.
float parseParameterValue(std::string_view text, std::string_view what);

// Sets a parameter through the record, as host automation does.
void setParameter(AEffect& effect, int32_t index, float value);
float getParameter(AEffect& effect, int32_t index);

}  // namespace host
