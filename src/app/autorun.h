#pragma once
// The start-with-Windows entry: one string value under the user's own Run key, named after
// the program and naming the running executable. A standard user can write there, and
// Windows runs it at that user's log-on; the machine's key needs rights most users lack,
// and a 32-bit program's write there lands in a virtual store Windows never runs.
#include <string>

#include "platform/registry.h"

namespace app {

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The command line Windows runs at log-on for this executable.
std::string autoRunCommand(const std::string& exePath);

// Writes the user's entry when on, deletes it when off, whatever was there before. An entry
// an older version left under the machine's key is deleted either way where the rights
// allow, so the program never starts twice; one that names another program is left alone.
// Returns whether the user's key now agrees with the option.
bool SetAutoRun(platform::Registry& registry, const std::string& exePath, bool on);

// Whether a Run command starts a Veilor.exe (by its file name, in any case, quoted or not).
bool namesVeilorExe(const std::string& command);

// How an option read from the settings file counts: any non-zero number is on.
bool settingIsOn(const std::string& text);

}  // namespace app
