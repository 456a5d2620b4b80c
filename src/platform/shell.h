#pragma once
// Starting other programs and letting pending window messages through.
#include <string>

#include "platform/types.h"

namespace platform {

class Shell {
  public:
    virtual ~Shell() = default;
    // Starts a command line without waiting for it; false when it could not start.
    virtual bool run(const std::string& commandLine, ShowCommand show) = 0;
    // Processes the messages that are waiting now, once, and returns.
    virtual void pumpMessages() = 0;
    // Ends the process at once: no exit processing, nothing restored.
    virtual void endProcess(int exitCode) = 0;
};

}  // namespace platform
