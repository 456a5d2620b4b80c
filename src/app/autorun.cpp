#include "app/autorun.h"

#include "app/constants.h"
#include "core/text.h"
#include "core/val.h"

namespace app {
namespace {

using platform::RegistryRoot;

void removeMachineEntry(platform::Registry& registry) {
    std::optional<std::string> old =
        registry.readString(RegistryRoot::LocalMachine, kRunKey, kTitle);
    if (old && namesVeilorExe(*old))
        registry.deleteValue(RegistryRoot::LocalMachine, kRunKey, kTitle);
}

}  // namespace

std::string autoRunCommand(const std::string& exePath) {
    // Unquoted, a path with a space would let Windows try "C:\Program.exe" first.
    if (exePath.find(' ') == std::string::npos) return exePath;
    return "\"" + exePath + "\"";
}

bool namesVeilorExe(const std::string& command) {
    std::string path = command;
    if (!path.empty() && path.front() == '"') {
        const size_t close = path.find('"', 1);
        path = path.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    const size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return core::equalsNoCase(core::trim(name), "veilor.exe");
}

bool SetAutoRun(platform::Registry& registry, const std::string& exePath, bool on) {
    removeMachineEntry(registry);
    if (on) {
        return registry.writeString(RegistryRoot::CurrentUser, kRunKey, kTitle,
                                    autoRunCommand(exePath));
    }
    if (registry.deleteValue(RegistryRoot::CurrentUser, kRunKey, kTitle)) return true;
    return !registry.readString(RegistryRoot::CurrentUser, kRunKey, kTitle).has_value();
}

bool settingIsOn(const std::string& text) {
    return core::val(text) != 0;
}

}  // namespace app
