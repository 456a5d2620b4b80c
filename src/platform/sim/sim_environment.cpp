#include "platform/sim/sim_environment.h"

#include "core/text.h"

namespace platform::sim {

SimEnvironment::SimEnvironment() {
    variables["windir"] = "C:\\Windows";
    folders[SpecialFolder::MyDocuments] = "C:\\Users\\user\\Documents";
    folders[SpecialFolder::Templates] =
        "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Templates";
    folders[SpecialFolder::Desktop] = "C:\\Users\\user\\Desktop";
    folders[SpecialFolder::LocalAppData] = "C:\\Users\\user\\AppData\\Local";
    folders[SpecialFolder::Windows] = "C:\\Windows";
}

std::optional<std::string> SimEnvironment::variable(const std::string& name) {
    for (const auto& [k, v] : variables) {
        if (core::equalsNoCase(k, name)) return v;
    }
    return std::nullopt;
}

std::string SimEnvironment::specialFolder(SpecialFolder folder) {
    auto it = folders.find(folder);
    return it == folders.end() ? std::string() : it->second;
}

bool SimShell::run(const std::string& commandLine, ShowCommand show) {
    if (failRuns || commandLine.empty()) return false;
    started.push_back({commandLine, show});
    return true;
}

void SimShell::endProcess(int code) {
    ended = true;
    exitCode = code;
}

}  // namespace platform::sim
