#include "platform/sim/sim_processes.h"

#include <algorithm>

namespace platform::sim {

class SimProcesses::Handle : public OpenedProcess {
  public:
    Handle(SimProcesses& owner, const SimProcess& process)
        : owner_(owner), processId_(process.processId), created_(process.creationTime) {
        ++owner_.handlesOpen_;
    }
    ~Handle() override { --owner_.handlesOpen_; }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    Criticality critical() override {
        SimProcess* p = self();
        if (!p || p->criticalUnreadable) return Criticality::Unknown;
        return p->critical ? Criticality::Critical : Criticality::NotCritical;
    }

    std::optional<std::uint64_t> creationTime() override {
        if (!self()) return std::nullopt;
        return created_;
    }

    std::string imageName() override {
        SimProcess* p = self();
        if (!p) return std::string();
        std::string path =
            p->imagePath.empty() ? p->exeFile.substr(0, p->exeFile.find('\0')) : p->imagePath;
        return path.substr(path.find_last_of('\\') + 1);
    }

    bool terminate(std::uint32_t exitCode) override {
        ++owner_.terminations_;
        SimProcess* p = self();
        if (!p || p->ending || p->refusesTermination) return false;
        p->ending = true;
        p->exitCode = exitCode;
        owner_.ended_.push_back(processId_);
        // Its windows go with it at once; the process object lingers until waited for.
        owner_.closeWindowsOf(processId_);
        return true;
    }

    bool waitForExit(std::uint32_t) override {
        SimProcess* p = self();
        if (!p) return true;
        if (!p->ending || p->hangsOnExit) return false;
        owner_.remove(processId_);
        return true;
    }

  private:
    SimProcess* self() { return owner_.find(processId_, created_); }

    SimProcesses& owner_;
    std::uint32_t processId_;
    std::uint64_t created_;
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

SimProcess* SimProcesses::find(std::uint32_t processId, std::uint64_t created) {
    SimProcess* p = find(processId);
    return p && p->creationTime == created ? p : nullptr;
}

void SimProcesses::exit(std::uint32_t processId) {
    closeWindowsOf(processId);
    remove(processId);
}

void SimProcesses::closeWindowsOf(std::uint32_t processId) {
    std::vector<WindowHandle> windows;
    for (const SimWindow& w : desktop_.windows()) {
        if (w.processId == processId) windows.push_back(w.handle);
    }
    for (WindowHandle w : windows)
        desktop_.close(w);
}

void SimProcesses::remove(std::uint32_t processId) {
    std::erase_if(processes_, [&](const SimProcess& p) { return p.processId == processId; });
}

std::optional<std::vector<std::string>> SimProcesses::modulePaths(std::uint32_t processId) {
    ++moduleSnapshots_;
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

ProcessImage SimProcesses::image(std::uint32_t processId) {
    SimProcess* p = openable(processId);
    if (!p) return {};
    return {p->imagePath, p->creationTime};
}

std::unique_ptr<OpenedProcess> SimProcesses::openForTermination(std::uint32_t processId) {
    SimProcess* p = openable(processId);
    if (!p) return nullptr;
    return std::make_unique<Handle>(*this, *p);
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
    p.creationTime = nextCreation_;
    nextCreation_ += 10'000'000;
    p.modules = std::move(modules);
    if (!p.modules.empty()) p.imagePath = p.modules.front();
    processes_.push_back(std::move(p));
    return processes_.back();
}

}  // namespace platform::sim
