#include "platform/ini_file.h"

#include <vector>

#include "core/text.h"

namespace platform::ini {
namespace {

std::vector<std::string> splitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : content) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string> sectionName(const std::string& line) {
    std::string t = core::trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    size_t close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return core::trim(t.substr(1, close - 1));
}

bool keyMatches(const std::string& line, const std::string& key, std::string* value) {
    size_t eq = line.find('=');
    std::string name = core::trim(line.substr(0, eq));
    if (!core::equalsNoCase(name, key)) return false;
    if (value) *value = eq == std::string::npos ? "" : core::trim(line.substr(eq + 1));
    return true;
}

struct Position {
    int sectionLine = -1;  // the "[name]" line
    int keyLine = -1;      // the matching key line
    int endLine = -1;      // one past the section's last non-blank line
};

Position locate(const std::vector<std::string>& lines, const std::string& section,
                const std::string& key, std::string* value) {
    Position pos;
    bool inside = false;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (auto name = sectionName(lines[i])) {
            if (inside) return pos;
            inside = core::equalsNoCase(*name, section);
            if (inside) pos.sectionLine = pos.endLine = i;
            continue;
        }
        if (!inside) continue;
        if (!core::trim(lines[i]).empty()) pos.endLine = i;
        if (pos.keyLine < 0 && keyMatches(lines[i], key, value)) pos.keyLine = i;
    }
    return pos;
}

}  // namespace

std::optional<std::string> read(const std::string& content, const std::string& section,
                                const std::string& key) {
    std::string value;
    Position pos = locate(splitLines(content), section, key, &value);
    if (pos.keyLine < 0) return std::nullopt;
    return value;
}

std::string write(const std::string& content, const std::string& section, const std::string& key,
                  const std::string& value) {
    std::vector<std::string> lines = splitLines(content);
    Position pos = locate(lines, section, key, nullptr);
    std::string entry = key + "=" + value;
    if (pos.keyLine >= 0) {
        lines[pos.keyLine] = entry;
    } else if (pos.sectionLine >= 0) {
        lines.insert(lines.begin() + pos.endLine + 1, entry);
    } else {
        if (!lines.empty() && !core::trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    return joinLines(lines);
}

}  // namespace platform::ini
