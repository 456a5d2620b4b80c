#include "rules/program_names.h"

#include <algorithm>

#include "core/text.h"

namespace rules {

std::string fileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ProgramNames::ofWindow(platform::WindowHandle window) {
    if (window == platform::kNoWindow) return {};
    const std::uint32_t processId = desktop_.windowProcessId(window);
    return processId == 0 ? std::string() : ofProcess(processId);
}

std::string ProgramNames::ofProcess(std::uint32_t processId) {
    auto known = names_.find(processId);
    if (known != names_.end()) return known->second;
    std::string name = fileNameOf(processes_.imagePath(processId));
    if (name.empty()) name = fromProcessList(processId);
    names_.emplace(processId, name);
    return name;
}

std::string ProgramNames::fromProcessList(std::uint32_t processId) {
    if (!list_) list_ = processes_.processes();
    for (const platform::ProcessEntry& entry : *list_) {
        if (entry.processId != processId) continue;
        // The snapshot's buffer may hold more after its terminating NUL.
        return fileNameOf(std::string_view(entry.exeFile.c_str()));
    }
    return {};
}

std::vector<std::string> programsWithWindows(platform::Desktop& desktop,
                                             platform::Processes& processes) {
    ProgramNames names(desktop, processes);
    const std::uint32_t self = processes.currentProcessId();
    std::vector<std::string> programs;
    for (platform::WindowHandle window : desktop.topLevelWindows()) {
        if (!desktop.isWindowVisible(window) || desktop.windowText(window).empty()) continue;
        const std::uint32_t processId = desktop.windowProcessId(window);
        if (processId == 0 || processId == self) continue;
        std::string name = names.ofProcess(processId);
        const bool listed = std::any_of(programs.begin(), programs.end(),
                                        [&](const auto& p) { return core::sameTitle(p, name); });
        if (!name.empty() && !listed) programs.push_back(std::move(name));
    }
    std::sort(programs.begin(), programs.end(), [](const std::string& a, const std::string& b) {
        return core::foldTitle(a) < core::foldTitle(b);
    });
    return programs;
}

}  // namespace rules
