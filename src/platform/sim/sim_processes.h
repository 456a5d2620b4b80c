#pragma once
// Simulated processes, as strict as Win32: a 32-bit program cannot take a module snapshot
// of a 64-bit process; a process that refuses to be opened gives neither modules, image
// path nor a handle; an ended process stays in the snapshot until someone has waited for
// it to be gone; ending one closes its windows on the simulated desktop. Every process
// gets its own creation time, so an id given to a new process after the old one ended
// names another process, and a handle opened before keeps to the one it opened.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/sim/sim_desktop.h"

namespace platform::sim {

struct SimProcess {
    std::uint32_t processId = 0;
    std::string exeFile;  // as the snapshot stores it, NUL and what follows included
    std::vector<std::string> modules;
    std::string imagePath;
    bool wide = false;                // a 64-bit process
    bool modulesReadable = true;      // false: its module snapshot fails (protected, gone)
    bool opens = true;                // false: OpenProcess is refused
    bool critical = false;            // marked critical by the system
    bool criticalUnreadable = false;  // the system will not say whether it is critical
    std::uint64_t creationTime = 0;   // set by add(), later for every process added
    bool refusesTermination = false;
    bool hangsOnExit = false;  // ended, but never gone within any wait
    // Set once ended; the snapshot still lists it until a wait has seen it go.
    bool ending = false;
    std::uint32_t exitCode = 0;
};

class SimProcesses : public Processes {
  public:
    static constexpr std::uint32_t kOwnProcess = 0x1F00;

    explicit SimProcesses(SimDesktop& desktop) : desktop_(desktop) {}

    std::vector<ProcessEntry> processes() override;
    std::optional<std::vector<std::string>> modulePaths(std::uint32_t processId) override;
    std::string imagePath(std::uint32_t processId) override;
    ProcessImage image(std::uint32_t processId) override;
    std::unique_ptr<OpenedProcess> openForTermination(std::uint32_t processId) override;
    std::uint32_t currentProcessId() override { return kOwnProcess; }
    bool enableDebugPrivilege() override;

    // Test set-up: a process at the end of the snapshot, returning it for more settings.
    SimProcess& add(std::uint32_t processId, const std::string& exeFile,
                    std::vector<std::string> modules = {});
    SimProcess* find(std::uint32_t processId);
    // The process ends by itself and leaves the snapshot; its id is free for another.
    void exit(std::uint32_t processId);

    // This program is a 64-bit one; the product is not.
    bool wideSelf = false;
    bool snapshotFails = false;
    bool privilegeGranted = true;

    // What the system saw.
    bool debugPrivilege() const { return debugPrivilege_; }
    int handlesOpen() const { return handlesOpen_; }
    int terminations() const { return terminations_; }
    int moduleSnapshots() const { return moduleSnapshots_; }
    const std::vector<std::uint32_t>& ended() const { return ended_; }

  private:
    class Handle;
    // A process the snapshot lists and that this program could open; nullptr otherwise.
    SimProcess* openable(std::uint32_t processId);
    // The very process a handle was opened on; nullptr once it is gone.
    SimProcess* find(std::uint32_t processId, std::uint64_t created);
    void remove(std::uint32_t processId);
    void closeWindowsOf(std::uint32_t processId);

    SimDesktop& desktop_;
    std::deque<SimProcess> processes_;  // references stay valid as more are added
    std::vector<std::uint32_t> ended_;
    bool debugPrivilege_ = false;
    int handlesOpen_ = 0;
    int terminations_ = 0;
    int moduleSnapshots_ = 0;
    // A plausible FILETIME, one second later for every process added.
    std::uint64_t nextCreation_ = 132'000'000'000'000'000ULL;
};

}  // namespace platform::sim
