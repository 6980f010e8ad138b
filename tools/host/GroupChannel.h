// What a group's process tells the validator while it runs: the step it is at, so that a crash or
// a hang can say where it happened, and each warning it finds, while the group goes on.
#pragma once

#include <string>

namespace host {

void setStepChannel(int fd);
void noteStep(const std::string& step);
// The step noted last, for a finding made outside the group's own code (an X error).
std::string currentStep();
// A warning: something only a hostile host provokes, or a slip no host suffers from. Only the
// first warning of each `kind` is sent, and the validator prints only the first of a kind in all
// groups, so that a slip repeated in every call is one finding.
void reportWarning(const std::string& kind, const std::string& message);

}  // namespace host
