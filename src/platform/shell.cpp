#include "platform/shell.h"

#include "platform/environment.h"

namespace platform {

std::string quotedPath(std::string_view path) {
    return std::string("\"").append(path).append("\"");
}

std::string systemProgram(Environment& environment, SpecialFolder folder, std::string_view file) {
    const std::string dir = environment.specialFolder(folder);
    if (dir.empty()) return std::string();
    return quotedPath(dir + "\\" + std::string(file));
}

std::string webPageCommand(Environment& environment, std::string_view address) {
    const std::string explorer = systemProgram(environment, SpecialFolder::Windows, "explorer.exe");
    if (explorer.empty()) return std::string();
    return explorer + " " + std::string(address);
}

}  // namespace platform
