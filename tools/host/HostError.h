// The one kind of failure the host reports: a message for the user, printed as one line.
#pragma once

#include <stdexcept>
#include <string>

namespace host {

class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A mistake on the command line (exit code 2 instead of 1).
class UsageError : public HostError {
public:
    using HostError::HostError;
};

}  // namespace host
