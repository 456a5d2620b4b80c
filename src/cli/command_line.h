#pragma once
// The switches a script, a macro pad or an uninstaller starts Veilor with, what a second
// start hands to the running copy for them, and the answer it gets back. Nothing here
// talks to the system: the words and the numbers only.
#include <optional>
#include <string>
#include <vector>

namespace cli {

enum class Command { None, Hide, Restore, Toggle, Status, Exit, Unknown };

// The exit codes a second start ends with; a script tells the outcomes apart by them.
inline constexpr int kExitDone = 0;
inline constexpr int kExitSomethingHidden = 1;  // /status only
inline constexpr int kExitNotRunning = 2;
inline constexpr int kExitUsage = 3;
inline constexpr int kExitLocked = 4;
// Veilor runs but gave no answer in time: the command may or may not have been done.
inline constexpr int kExitNoAnswer = 5;

struct Parsed {
    Command command = Command::None;
    // For Command::Unknown: what was wrong, as one line for the console.
    std::string problem;
};

// The program's arguments without its own path. No argument is a plain start; exactly
// one switch (`/` or `-`, any case) is a command; anything else is Unknown.
Parsed parseArguments(const std::vector<std::string>& arguments);

// What the console shows beneath an unknown switch.
std::string usage();

// The words on the single-instance channel. A plain start's "Show" is none of them.
std::string wireCommand(Command command);
std::optional<Command> fromWire(const std::string& text);
// The switch's word without its slash: "hide".
std::string switchName(Command command);

struct Reply {
    int exitCode = kExitDone;
    std::string line;  // one line for the console
};

std::string formatReply(const Reply& reply);
// nullopt for a text that is not an answer of this program's.
std::optional<Reply> parseReply(const std::string& text);

// How the running copy's answer to /exit begins, and how the asking copy says it instead
// when that copy has not ended by the time it stops waiting.
inline constexpr const char* kEndedPrefix = "ended; restored: ";
inline constexpr const char* kEndingPrefix = "still ending; restoring: ";

// What Veilor holds hidden now, as far as it can tell.
struct HiddenCount {
    int windows = 0;
    int icons = 0;
    bool taskbar = false;
    bool desktopIcons = false;

    bool any() const { return windows > 0 || icons > 0 || taskbar || desktopIcons; }
};

// "12 windows, 3 icons", with ", the taskbar" and ", the desktop icons" when hidden.
std::string describe(const HiddenCount& count);

}  // namespace cli
