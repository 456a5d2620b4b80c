#include "platform/sim/sim_processes.h"

#include <algorithm>

namespace platform::sim {

class SimProcesses::Handle : public OpenedProcess {
  public:
    Handle(SimProcesses& owner, std::uint32_t processId) : owner_(owner), processId_(processId) {
        ++owner_.handlesOpen_;
    }
    ~Handle() override { --owner_.handlesOpen_; }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool critical() override {
        SimProcess* p = owner_.find(processId_);
        return p && p->critical;
    }

    bool terminate(std::uint32_t exitCode) override {
        ++owner_.terminations_;
        SimProcess* p = owner_.find(processId_);
        if (!p || p->ending || p->refusesTermination) return false;
        p->ending = true;
        p->exitCode = exitCode;
        owner_.ended_.push_back(processId_);
        // Its windows go with it at once; the process object lingers until waited for.
        std::vector<WindowHandle> windows;
        for (const SimWindow& w : owner_.desktop_.windows()) {
            if (w.processId == processId_) windows.push_back(w.handle);
        }
        for (WindowHandle w : windows)
            owner_.desktop_.close(w);
        return true;
    }

    bool waitForExit(std::uint32_t) override {
        SimProcess* p = owner_.find(processId_);
        if (!p) return true;
        if (!p->ending || p->hangsOnExit) return false;
        owner_.remove(processId_);
        return true;
    }

  private:
    SimProcesses& owner_;
    std::uint32_t processId_;
};

std::vector<ProcessEntry> SimProcesses::processes() {
    std::vector<ProcessEntry> entries;
    if (snapshotFails) return entries;
    for (const SimProcess& p : processes_)
        entries.push_back({p.processId, p.exeFile});
    return entries;
}

SimProcess* SimProcesses::find(std::uint32_t processId) {
    auto it = std::find_if(processes_.begin(), processes_.end(),
                           [&](const SimProcess& p) { return p.processId == processId; });
    return it == processes_.end() ? nullptr : &*it;
}

SimProcess* SimProcesses::openable(std::uint32_t processId) {
    SimProcess* p = find(processId);
    return p && p->opens ? p : nullptr;
}

void SimProcesses::remove(std::uint32_t processId) {
    std::erase_if(processes_, [&](const SimProcess& p) { return p.processId == processId; });
}

std::optional<std::vector<std::string>> SimProcesses::modulePaths(std::uint32_t processId) {
    SimProcess* p = openable(processId);
    if (!p || !p->modulesReadable || p->ending || (p->wide && !wideSelf)) return std::nullopt;
    std::vector<std::string> paths;
    for (const std::string& m : p->modules)
        paths.push_back(m.substr(0, m.find('\0')));
    return paths;
}

std::string SimProcesses::imagePath(std::uint32_t processId) {
    SimProcess* p = openable(processId);
    return p ? p->imagePath : std::string();
}

std::unique_ptr<OpenedProcess> SimProcesses::openForTermination(std::uint32_t processId) {
    if (!openable(processId)) return nullptr;
    return std::make_unique<Handle>(*this, processId);
}

bool SimProcesses::enableDebugPrivilege() {
    debugPrivilege_ = privilegeGranted;
    return debugPrivilege_;
}

SimProcess& SimProcesses::add(std::uint32_t processId, const std::string& exeFile,
                              std::vector<std::string> modules) {
    SimProcess p;
    p.processId = processId;
    p.exeFile = exeFile;
    p.modules = std::move(modules);
    if (!p.modules.empty()) p.imagePath = p.modules.front();
    processes_.push_back(std::move(p));
    return processes_.back();
}

}  // namespace platform::sim
