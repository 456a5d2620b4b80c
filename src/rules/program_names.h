#pragma once
// The program file name behind a window ("notepad.exe", the file part of its image path),
// asked of the system once per process for as long as one of these lives: the one-key
// hide meets many windows of few programs, and each question opens a process.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"
#include "platform/processes.h"

namespace rules {

// The part of a path after its last backslash or slash.
std::string fileNameOf(std::string_view path);

class ProgramNames {
  public:
    ProgramNames(platform::Desktop& desktop, platform::Processes& processes)
        : desktop_(desktop), processes_(processes) {}

    // Empty when the window is gone or its program cannot be told.
    std::string ofWindow(platform::WindowHandle window);
    std::string ofProcess(std::uint32_t processId);

  private:
    // A process that cannot be opened (another user's, or a protected one) is still
    // named by the process list, read once when first needed.
    std::string fromProcessList(std::uint32_t processId);

    platform::Desktop& desktop_;
    platform::Processes& processes_;
    std::map<std::uint32_t, std::string> names_;
    std::optional<std::vector<platform::ProcessEntry>> list_;
};

// The file names of the programs that have a titled, visible top-level window now, other
// than this program, sorted ignoring case, each once.
std::vector<std::string> programsWithWindows(platform::Desktop& desktop,
                                             platform::Processes& processes);

}  // namespace rules
