#include "processes/process_rows.h"

#include <cstdio>

#include "core/text.h"
#include "core/utf.h"
#include "core/val.h"

namespace processes {
namespace {

// Upper or lower case, letters of either case compare alike: the comparison folds both.
bool holdsName(const std::string& path, const std::string& foldedName) {
    return core::foldTitle(path).find(foldedName) != std::string::npos;
}

bool isIdle(std::string_view name) {
    return core::foldTitle(name) == core::foldTitle(kSystemProcess);
}

}  // namespace

std::string matchName(std::string_view exeFile) {
    return core::trim(exeFile.substr(0, exeFile.find('\0')));
}

std::string processName(std::string_view exeFile) {
    std::string name = matchName(exeFile);
    const size_t slash = name.rfind('\\');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string processIdText(std::uint32_t processId) {
    char text[32];
    std::snprintf(text, sizeof text, "%u(&H%X)", static_cast<unsigned>(processId),
                  static_cast<unsigned>(processId));
    return text;
}

std::uint32_t processIdOf(std::string_view idText) {
    const double id = core::val(idText.substr(0, idText.find('(')));
    return id > 0 && id <= 4294967295.0 ? static_cast<std::uint32_t>(id) : 0;
}

// Counted in UTF-16 units, as the system counts a path's characters.
std::string normalisePath(std::string_view path) {
    const std::u16string units = core::utf8ToUtf16(path);
    const size_t colon = units.find(u':');
    if (colon == std::u16string::npos || colon < 2) return std::string(path);
    return core::utf16ToUtf8(std::u16string_view(units).substr(colon - 1));
}

std::string pathFromModules(std::string_view name, const std::vector<std::string>& modules) {
    const std::string folded = core::foldTitle(name);
    if (modules.empty() || isIdle(name)) return std::string();
    if (holdsName(modules.front(), folded)) return modules.front();
    std::string path;
    for (size_t i = 1; i < modules.size(); ++i) {
        if (holdsName(modules[i], folded)) path = modules[i];
    }
    return path.empty() ? modules.front() : path;
}

namespace {

// The module rule, with `image` where the modules name no path.
std::string walkedPath(platform::Processes& processes, std::uint32_t processId,
                       std::string_view name, const std::string& image) {
    std::string path;
    if (auto modules = processes.modulePaths(processId)) path = pathFromModules(name, *modules);
    return normalisePath(path.empty() ? image : path);
}

}  // namespace

std::string moduleWalkPath(platform::Processes& processes, const platform::ProcessEntry& entry) {
    const std::string name = matchName(entry.exeFile);
    if (isIdle(name)) return std::string();
    return walkedPath(processes, entry.processId, name, processes.imagePath(entry.processId));
}

// A module snapshot costs far more than the image path (milliseconds a process under
// Wine). Where the image path holds the entry's name, the walk finds that same file.
std::string processPath(platform::Processes& processes, const platform::ProcessEntry& entry,
                        const std::string& imagePath) {
    const std::string name = matchName(entry.exeFile);
    if (isIdle(name)) return std::string();
    if (!imagePath.empty() && holdsName(imagePath, core::foldTitle(name))) {
        return normalisePath(imagePath);
    }
    return walkedPath(processes, entry.processId, name, imagePath);
}

std::vector<ProcessRow> processRows(platform::Processes& processes) {
    std::vector<ProcessRow> rows;
    for (const platform::ProcessEntry& entry : processes.processes()) {
        ProcessRow row;
        row.key = std::string("a").append(std::to_string(rows.size()));
        row.item.text = processName(entry.exeFile);
        platform::ProcessImage image = processes.image(entry.processId);
        row.item.subItems = {processIdText(entry.processId),
                             processPath(processes, entry, image.path)};
        row.created = image.created;
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace processes
