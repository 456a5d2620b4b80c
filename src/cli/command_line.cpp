#include "cli/command_line.h"

#include <array>
#include <charconv>
#include <string_view>
#include <utility>

namespace cli {
namespace {

constexpr std::array<std::pair<std::string_view, Command>, 5> kSwitches{{
    {"hide", Command::Hide},
    {"restore", Command::Restore},
    {"toggle", Command::Toggle},
    {"status", Command::Status},
    {"exit", Command::Exit},
}};

// Distinct from "Show", and from anything a stray program would send by chance.
constexpr std::string_view kWirePrefix = "Veilor.Command ";
constexpr std::string_view kReplyPrefix = "Veilor.Reply ";

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::optional<Command> switchCommand(std::string_view argument) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return std::nullopt;
    for (const auto& [word, command] : kSwitches) {
        if (sameIgnoringCase(argument.substr(1), word)) return command;
    }
    return std::nullopt;
}

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

std::string counted(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

Parsed parseArguments(const std::vector<std::string>& arguments) {
    std::vector<std::string> given;
    for (const std::string& a : arguments) {
        // An empty argument ("") says nothing; a script that builds its line may leave one.
        if (!blank(a)) given.push_back(a);
    }
    if (given.empty()) return {};
    if (given.size() > 1) {
        std::string all;
        for (const std::string& a : given)
            all += (all.empty() ? "" : " ") + a;
        return {Command::Unknown, "one switch at a time, not: " + all};
    }
    if (std::optional<Command> command = switchCommand(given[0])) return {*command, ""};
    return {Command::Unknown, "unknown switch: " + given[0]};
}

std::string usage() {
    return "usage: Veilor.exe [/hide | /restore | /toggle | /status | /exit]\n"
           "  /hide     hide everything, as the one-key hide does (starts Veilor if needed)\n"
           "  /restore  bring back everything Veilor has hidden\n"
           "  /toggle   restore when something is hidden, hide otherwise\n"
           "  /status   tell whether Veilor has something hidden\n"
           "  /exit     restore everything and end Veilor\n"
           "exit codes: 0 done (/status: nothing hidden), 1 something hidden (/status),\n"
           "  2 Veilor is not running, 3 unknown switch, 4 refused while the screen is\n"
           "  locked, 5 Veilor did not answer in time";
}

std::string switchName(Command command) {
    for (const auto& [word, c] : kSwitches) {
        if (c == command) return std::string(word);
    }
    return "";
}

std::string wireCommand(Command command) {
    const std::string word = switchName(command);
    return word.empty() ? "" : std::string(kWirePrefix) + word;
}

std::optional<Command> fromWire(const std::string& text) {
    std::string_view view = text;
    if (view.substr(0, kWirePrefix.size()) != kWirePrefix) return std::nullopt;
    view.remove_prefix(kWirePrefix.size());
    for (const auto& [word, command] : kSwitches) {
        if (view == word) return command;
    }
    return std::nullopt;
}

std::string formatReply(const Reply& reply) {
    return std::string(kReplyPrefix) + std::to_string(reply.exitCode) + " " + reply.line;
}

std::optional<Reply> parseReply(const std::string& text) {
    std::string_view view = text;
    if (view.substr(0, kReplyPrefix.size()) != kReplyPrefix) return std::nullopt;
    view.remove_prefix(kReplyPrefix.size());
    Reply reply;
    auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), reply.exitCode);
    if (error != std::errc() || end == view.data() || reply.exitCode < 0) return std::nullopt;
    view.remove_prefix(static_cast<std::size_t>(end - view.data()));
    if (view.empty() || view[0] != ' ') return std::nullopt;
    reply.line = std::string(view.substr(1));
    return reply;
}

std::string describe(const HiddenCount& count) {
    if (!count.any()) return "nothing";
    std::string text =
        counted(count.windows, "window", "windows") + ", " + counted(count.icons, "icon", "icons");
    if (count.taskbar) text += ", the taskbar";
    if (count.desktopIcons) text += ", the desktop icons";
    return text;
}

}  // namespace cli
