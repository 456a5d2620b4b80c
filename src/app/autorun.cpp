#include "app/autorun.h"

#include "app/constants.h"
#include "core/val.h"

namespace app {

std::string autoRunCommand(const std::string& exePath) {
    // Unquoted, a path with a space would let Windows try "C:\Program.exe" first.
    if (exePath.find(' ') == std::string::npos) return exePath;
    return "\"" + exePath + "\"";
}

bool SetAutoRun(platform::Registry& registry, const std::string& exePath, bool on) {
    using platform::RegistryRoot;
    if (on) {
        return registry.writeString(RegistryRoot::LocalMachine, kRunKey, kTitle,
                                    autoRunCommand(exePath));
    }
    if (registry.deleteValue(RegistryRoot::LocalMachine, kRunKey, kTitle)) return true;
    return !registry.readString(RegistryRoot::LocalMachine, kRunKey, kTitle).has_value();
}

bool settingIsOn(const std::string& text) {
    return core::val(text) != 0;
}

}  // namespace app
