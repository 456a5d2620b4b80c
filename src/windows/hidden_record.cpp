#include "windows/hidden_record.h"

#include <algorithm>
#include <charconv>

#include "core/text.h"
#include "windows/window_ops.h"

namespace windows {
namespace {

constexpr std::string_view kHeader = "Veilor hidden 1";

// A title may hold any character; one entry stays on one line.
std::string escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

std::string unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

template <typename T>
bool number(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, out);
    return error == std::errc() && ptr == end;
}

// "word rest of the line": the word and whatever follows its one space.
std::pair<std::string_view, std::string_view> cut(std::string_view line) {
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return {line, {}};
    return {line.substr(0, space), line.substr(space + 1)};
}

bool parseWindow(std::string_view rest, HiddenState& state) {
    auto [handle, afterHandle] = cut(rest);
    auto [pid, title] = cut(afterHandle);
    RecordedWindow w;
    if (!number(handle, w.handle) || !number(pid, w.processId)) return false;
    w.title = unescape(title);
    state.windows.push_back(std::move(w));
    return true;
}

bool parseButton(std::string_view rest, HiddenState& state) {
    auto [id, text] = cut(rest);
    RecordedButton b;
    if (!number(id, b.commandId)) return false;
    b.text = unescape(text);
    state.buttons.push_back(std::move(b));
    return true;
}

bool parseLine(std::string_view line, HiddenState& state) {
    auto [word, rest] = cut(line);
    if (word == "boot") return number(rest, state.bootTime);
    if (word == "taskbar") return (state.taskbar = rest == "1"), true;
    if (word == "desktopicons") return (state.desktopIcons = rest == "1"), true;
    if (word == "window") return parseWindow(rest, state);
    if (word == "button") return parseButton(rest, state);
    return true;  // a later version's entry: what this one knows still counts
}

// New entries replace the ones with the same key, and go to the end.
template <typename Entry, typename Key>
void putAll(std::vector<Entry>& entries, const std::vector<Entry>& added, Key key) {
    for (const Entry& e : added) {
        std::erase_if(entries, [&](const Entry& old) { return key(old) == key(e); });
        entries.push_back(e);
    }
}

// A damaged file may hold any number: the distance is taken where it cannot overflow.
bool sameBoot(std::int64_t a, std::int64_t b) {
    const auto ua = static_cast<std::uint64_t>(a), ub = static_cast<std::uint64_t>(b);
    return (a > b ? ua - ub : ub - ua) <= static_cast<std::uint64_t>(kSameBootSeconds);
}

}  // namespace

std::string formatRecord(const HiddenState& state) {
    std::string out = std::string(kHeader) + "\r\n";
    out += "boot " + std::to_string(state.bootTime) + "\r\n";
    out += std::string("taskbar ") + (state.taskbar ? "1" : "0") + "\r\n";
    out += std::string("desktopicons ") + (state.desktopIcons ? "1" : "0") + "\r\n";
    for (const RecordedWindow& w : state.windows) {
        out += "window " + std::to_string(w.handle) + " " + std::to_string(w.processId) + " " +
               escape(w.title) + "\r\n";
    }
    for (const RecordedButton& b : state.buttons)
        out += "button " + std::to_string(b.commandId) + " " + escape(b.text) + "\r\n";
    return out;
}

std::optional<HiddenState> parseRecord(std::string_view text) {
    std::vector<std::string> lines = core::split(text, '\n');
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
    }
    if (lines.empty() || lines.front() != kHeader) return std::nullopt;
    HiddenState state;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!lines[i].empty() && !parseLine(lines[i], state)) return std::nullopt;
    }
    return state;
}

HiddenRecord::HiddenRecord(platform::Files& files, platform::Clock& clock)
    : files_(files), clock_(clock) {}

std::string recordPathIn(const std::string& folder) {
    return folder + "\\" + std::string(kRecordFileName);
}

void HiddenRecord::setFolder(const std::string& folder) {
    folder_ = folder;
    path_ = recordPathIn(folder);
}

bool HiddenRecord::holds(platform::WindowHandle window, std::uint32_t processId) const {
    return processId != 0 &&
           std::any_of(state_.windows.begin(), state_.windows.end(), [&](const RecordedWindow& w) {
               return w.handle == window && w.processId == processId;
           });
}

bool HiddenRecord::addWindows(const std::vector<RecordedWindow>& windows) {
    return add(windows, {});
}

bool HiddenRecord::removeWindows(const std::vector<platform::WindowHandle>& windows) {
    const std::size_t before = state_.windows.size();
    std::erase_if(state_.windows, [&](const RecordedWindow& w) {
        return std::find(windows.begin(), windows.end(), w.handle) != windows.end();
    });
    return state_.windows.size() == before || save();
}

bool HiddenRecord::addButtons(const std::vector<RecordedButton>& buttons) {
    return add({}, buttons);
}

bool HiddenRecord::add(const std::vector<RecordedWindow>& windows,
                       const std::vector<RecordedButton>& buttons) {
    putAll(state_.windows, windows, [](const RecordedWindow& w) { return w.handle; });
    putAll(state_.buttons, buttons, [](const RecordedButton& b) { return b.commandId; });
    return save();
}

bool HiddenRecord::removeButtons(const std::string& text) {
    const std::size_t before = state_.buttons.size();
    std::erase_if(state_.buttons, [&](const RecordedButton& b) { return b.text == text; });
    return state_.buttons.size() == before || save();
}

bool HiddenRecord::setTaskbar(bool hidden) {
    state_.taskbar = hidden;
    return save();
}

bool HiddenRecord::setDesktopIcons(bool hidden) {
    state_.desktopIcons = hidden;
    return save();
}

bool HiddenRecord::clearWindows() {
    return removeWindows([this] {
        std::vector<platform::WindowHandle> all;
        for (const RecordedWindow& w : state_.windows)
            all.push_back(w.handle);
        return all;
    }());
}

bool HiddenRecord::clearButtons() {
    if (state_.buttons.empty()) return true;
    state_.buttons.clear();
    return save();
}

bool HiddenRecord::clear() {
    state_ = HiddenState{};
    return save();
}

std::optional<Leftover> HiddenRecord::leftoverAt(const std::string& path) {
    std::optional<std::string> text = files_.readFile(path);
    if (!text) return std::nullopt;
    std::optional<HiddenState> state = parseRecord(*text);
    if (!state) {
        files_.deleteFile(path);  // damaged, or not ours: nothing in it can be trusted
        return std::nullopt;
    }
    // A clock set between the two runs makes a record of this boot look older; such a
    // record still restores what is safe to restore, so the judgement may err this way.
    const bool thisBoot = sameBoot(state->bootTime, clock_.bootTime());
    return Leftover{std::move(*state), thisBoot};
}

bool HiddenRecord::save() {
    if (path_.empty()) return false;
    if (state_.empty()) return !files_.fileExists(path_) || files_.deleteFile(path_);
    state_.bootTime = clock_.bootTime();
    if (!files_.folderExists(folder_)) files_.createFolder(folder_);
    return files_.writeFile(path_, formatRecord(state_));
}

namespace {

// False when the title still carries the marker because the window did not take the new one.
bool unmark(platform::Desktop& desktop, platform::WindowHandle window) {
    const std::string title = GetWinText(desktop, window);
    if (!hasHiddenMarker(title)) return true;
    return desktop.setWindowText(window, title.substr(kHiddenMarker.size()));
}

}  // namespace

std::vector<platform::WindowHandle> showRecordedWindows(platform::Desktop& desktop,
                                                        const std::vector<RecordedWindow>& windows,
                                                        RecordedTitles titles) {
    std::vector<platform::WindowHandle> shown, late;
    for (const RecordedWindow& w : windows) {
        if (w.processId == 0 || desktop.windowProcessId(w.handle) != w.processId) continue;
        if (titles == RecordedTitles::MarkedOnly &&
            !hasHiddenMarker(GetWinText(desktop, w.handle))) {
            continue;
        }
        if (!unmark(desktop, w.handle)) late.push_back(w.handle);
        WinCommand(desktop, w.handle, kWinShow);
        shown.push_back(w.handle);
    }
    // A program busy for a moment gets a second chance once the others are back, so that
    // its window does not keep the marker for good.
    for (platform::WindowHandle window : late)
        unmark(desktop, window);
    return shown;
}

}  // namespace windows
