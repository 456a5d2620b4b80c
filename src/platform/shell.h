#pragma once
// Starting other programs and letting pending window messages through.
#include <string>
#include <string_view>

#include "platform/types.h"

namespace platform {

class Environment;

// A path as one word of a command line: a blank in it cannot make the system start a
// program named by the part before the blank.
std::string quotedPath(std::string_view path);
// A program of one of the system's folders by its full path, quoted. Empty when the
// folder is not known: a bare name would be looked for in this program's folder and the
// current folder first, where anyone may have left a program of that name.
std::string systemProgram(Environment& environment, SpecialFolder folder, std::string_view file);
// The command line that opens a web page: the Windows folder's explorer with the address.
// Empty when the Windows folder is not known.
std::string webPageCommand(Environment& environment, std::string_view address);

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
