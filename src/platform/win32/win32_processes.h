#pragma once
// The running processes through the tool-help snapshots, OpenProcess and the process token.
#include "platform/processes.h"

namespace platform::win32 {

class Win32Processes : public Processes {
  public:
    std::vector<ProcessEntry> processes() override;
    std::optional<std::vector<std::string>> modulePaths(std::uint32_t processId) override;
    std::string imagePath(std::uint32_t processId) override;
    ProcessImage image(std::uint32_t processId) override;
    std::unique_ptr<OpenedProcess> openForTermination(std::uint32_t processId) override;
    std::uint32_t currentProcessId() override;
    bool enableDebugPrivilege() override;
};

}  // namespace platform::win32
