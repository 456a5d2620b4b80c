#pragma once
// The rows of the process list: what each cell shows for one process entry, and where
// its executable's path is found.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/processes.h"
#include "ui/controls.h"

namespace processes {

// The idle process's name, in upper case; it never gets a path.
inline constexpr std::string_view kSystemProcess = "[SYSTEM PROCESS]";

// The entry's name cut at its NUL and trimmed of spaces, directory part kept: what the
// module paths are matched against.
std::string matchName(std::string_view exeFile);
// What the name column shows: the matched name without its directory.
std::string processName(std::string_view exeFile);
// 1234 reads "1234(&H4D2)".
std::string processIdText(std::uint32_t processId);
// The leading decimal digits of an id cell; 0 when there are none.
std::uint32_t processIdOf(std::string_view idText);
// Starts a path at its drive letter when something stands before it ("\??\C:\x" reads
// "C:\x"); a path whose colon is its second character, or that has none, is kept.
std::string normalisePath(std::string_view path);
// The module path that names the process: the first module's when it holds the name,
// else the last module's that does, else the first module's whatever it is. Empty for
// the idle process and when there is no module. Not yet normalised.
std::string pathFromModules(std::string_view name, const std::vector<std::string>& modules);
// The path the module walk gives: pathFromModules, or, where the modules cannot be read
// (a 64-bit process seen from this 32-bit program), the system's image path; normalised.
std::string moduleWalkPath(platform::Processes& processes, const platform::ProcessEntry& entry);
// The path cell of one process whose image path the system gives as `imagePath`: that
// path when it holds the entry's name, which is then what the module walk finds too; else
// the module walk's.
std::string processPath(platform::Processes& processes, const platform::ProcessEntry& entry,
                        const std::string& imagePath);

struct ProcessRow {
    std::string key;
    ui::ListViewItem item;
    // When the process was started, read as the row was made: with the name, what tells
    // it from a later process given the same id. nullopt when it could not be read.
    std::optional<std::uint64_t> created;
};

// One row per process, keyed "a0", "a1", ... in snapshot order.
std::vector<ProcessRow> processRows(platform::Processes& processes);

}  // namespace processes
