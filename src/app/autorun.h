#pragma once
// The start-with-Windows entry: one string value under the machine's Run key, named
// after the program and naming the running executable.
#include <string>

#include "platform/registry.h"

namespace app {

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The command line Windows runs at log-on for this executable.
std::string autoRunCommand(const std::string& exePath);

// Writes the entry when on, deletes it when off, whatever was there before. A user
// without the rights to change the machine's settings is not bothered: the registry
// simply stays as it was. Returns whether the registry now agrees with the option.
bool SetAutoRun(platform::Registry& registry, const std::string& exePath, bool on);

// How an option read from the settings file counts: any non-zero number is on.
bool settingIsOn(const std::string& text);

}  // namespace app
