#pragma once
// What this run of Veilor has hidden, kept in a file of its own so that a Veilor that was
// killed or crashed can bring it all back at its next start. A window's own program may
// rewrite its title at any moment and erase the hidden marker; the record still knows the
// window by its handle and its process.
//
// The file holds the titles of other programs' windows, so it lives in the user's local
// application data, which stays on this machine (Documents may be a share or synced
// away, and a hide must not wait for the network). It is written before every hide it
// records, in one piece (a new file moved over the old one), and removed once nothing is
// hidden any more. It is stamped with the time the system started: handles and process
// ids may name other windows after a restart.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"

namespace windows {

inline constexpr std::string_view kRecordFileName = "Hidden.dat";
// Two readings of the start time within one boot differ by the clock's adjustments;
// a restart takes longer than this and begins a new boot.
inline constexpr std::int64_t kSameBootSeconds = 120;

struct RecordedWindow {
    platform::WindowHandle handle = platform::kNoWindow;
    std::uint32_t processId = 0;
    std::string title;  // before the marker was written
};

struct RecordedButton {
    int commandId = 0;
    std::string text;
};

struct HiddenState {
    std::int64_t bootTime = 0;
    bool taskbar = false;
    bool desktopIcons = false;
    std::vector<RecordedWindow> windows;
    std::vector<RecordedButton> buttons;

    bool empty() const { return !taskbar && !desktopIcons && windows.empty() && buttons.empty(); }
};

// The file's text, and back; nullopt for a text that is not a record.
std::string formatRecord(const HiddenState& state);
std::optional<HiddenState> parseRecord(std::string_view text);

// The record's path in a folder: Veilor's folder in the local application data, or the
// settings folder, where older versions kept it.
std::string recordPathIn(const std::string& folder);

// A record an earlier run left behind, and whether that run was of this boot.
struct Leftover {
    HiddenState state;
    bool thisBoot = false;
};

class HiddenRecord {
  public:
    HiddenRecord(platform::Files& files, platform::Clock& clock);

    // Veilor's folder in the local application data; created when a record is written.
    void setFolder(const std::string& folder);
    const std::string& path() const { return path_; }
    const HiddenState& state() const { return state_; }
    // Whether this window of this process is one Veilor hid and has not shown since.
    bool holds(platform::WindowHandle window, std::uint32_t processId) const;

    // Each of these changes the record and writes it at once; false when the file
    // could not be written (the change is kept in memory all the same).
    bool addWindows(const std::vector<RecordedWindow>& windows);
    bool removeWindows(const std::vector<platform::WindowHandle>& windows);
    bool addButtons(const std::vector<RecordedButton>& buttons);
    // Windows and buttons in one write.
    bool add(const std::vector<RecordedWindow>& windows,
             const std::vector<RecordedButton>& buttons);
    bool removeButtons(const std::string& text);
    bool setTaskbar(bool hidden);
    bool setDesktopIcons(bool hidden);
    // Forgets the windows, the buttons, or everything.
    bool clearWindows();
    bool clearButtons();
    bool clear();

    // What an earlier run left in the record at this path (this run's own, or the one an
    // older version left); nullopt when there is none. A file that is no record is
    // removed; a record stays until this run writes its own or removes it, so a start that
    // fails half-way tries again.
    std::optional<Leftover> leftoverAt(const std::string& path);

  private:
    bool save();

    platform::Files& files_;
    platform::Clock& clock_;
    std::string folder_;
    std::string path_;
    HiddenState state_;
};

// Which recorded windows may come back: those of this boot by their handle and process
// alone, those of another boot only while their title still carries the marker too.
enum class RecordedTitles { Any, MarkedOnly };

// Shows every recorded window that still exists in the process that owned it, taking
// the marker off its title where the title still carries it; a title that has lost it
// is left alone. Returns the windows shown; the others have gone, their handle now
// belongs to another program, or (MarkedOnly) their title has no marker, and are not
// touched.
std::vector<platform::WindowHandle> showRecordedWindows(
    platform::Desktop& desktop, const std::vector<RecordedWindow>& windows,
    RecordedTitles titles = RecordedTitles::Any);

}  // namespace windows
