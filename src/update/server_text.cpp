#include "update/server_text.h"

#include "core/val.h"

namespace update {
namespace {

bool isAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::optional<ServerParts> splitParts(const std::string& text) {
    const size_t first = text.find("\r\n");
    if (first == std::string::npos) return std::nullopt;
    const size_t second = text.find("\r\n", first + 2);
    if (second == std::string::npos) return std::nullopt;
    return ServerParts{text.substr(0, first), text.substr(first + 2, second - first - 2),
                       text.substr(second + 2)};
}

std::optional<double> plainNumber(std::string_view text) {
    int digits = 0;
    int points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1) return std::nullopt;
    return core::val(text);
}

bool isBareFileName(std::string_view name) {
    if (name.empty() || name.size() > 64 || name.front() == '.') return false;
    for (char c : name) {
        if (!isAsciiAlnum(c) && c != '.' && c != '_' && c != '-') return false;
    }
    return true;
}

double versionNumber(int major, int minor, int revision) {
    return core::val(std::to_string(major) + "." + std::to_string(minor) +
                     std::to_string(revision));
}

}  // namespace update
