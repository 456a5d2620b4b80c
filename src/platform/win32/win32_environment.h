#pragma once
// The process environment, the user's shell folders and the running executable.
#include "platform/environment.h"

namespace platform::win32 {

class Win32Environment : public Environment {
  public:
    std::optional<std::string> variable(const std::string& name) override;
    std::string specialFolder(SpecialFolder folder) override;
    std::string executablePath() override;
};

}  // namespace platform::win32
