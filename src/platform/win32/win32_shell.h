#pragma once
// Starting programs, letting waiting messages through, ending the process.
#include "platform/shell.h"

namespace platform::win32 {

class Win32Shell : public Shell {
  public:
    bool run(const std::string& commandLine, ShowCommand show) override;
    // Stops at WM_QUIT and posts it again, so the program's main loop still sees it.
    void pumpMessages() override;
    [[noreturn]] void endProcess(int exitCode) override;
};

}  // namespace platform::win32
