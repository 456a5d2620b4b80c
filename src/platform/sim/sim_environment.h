#pragma once
// The simulated process environment and shell: variables and folders set by the test,
// started command lines recorded.
#include <map>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/shell.h"

namespace platform::sim {

class SimEnvironment : public Environment {
  public:
    SimEnvironment();
    std::optional<std::string> variable(const std::string& name) override;
    std::string specialFolder(SpecialFolder folder) override;
    std::string executablePath() override { return exePath; }

    std::map<std::string, std::string> variables;
    std::map<SpecialFolder, std::string> folders;
    std::string exePath = "C:\\Program Files\\Veilor\\Veilor.exe";
};

struct StartedCommand {
    std::string commandLine;
    ShowCommand show;
};

class SimShell : public Shell {
  public:
    bool run(const std::string& commandLine, ShowCommand show) override;
    void pumpMessages() override { ++pumps; }
    void endProcess(int exitCode) override;

    std::vector<StartedCommand> started;
    bool failRuns = false;
    int pumps = 0;
    bool ended = false;
    int exitCode = 0;
};

}  // namespace platform::sim
