#pragma once
// What the process learns about where it runs: environment variables, the user's
// special folders and its own executable.
#include <optional>
#include <string>

#include "platform/types.h"

namespace platform {

class Environment {
  public:
    virtual ~Environment() = default;
    virtual std::optional<std::string> variable(const std::string& name) = 0;
    // Full path without a trailing backslash; empty when the system does not know it.
    virtual std::string specialFolder(SpecialFolder folder) = 0;
    // Full path of the running executable.
    virtual std::string executablePath() = 0;
};

}  // namespace platform
