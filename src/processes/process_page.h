#pragma once
// The process page: every running process with its id and executable path, and ending
// the one the user picked, after asking. The program never ends itself, a process the
// system marks critical or may mark so, nor a process other than the one its row showed.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/system.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

namespace processes {

// How long an ended process is given to be gone before the list is read again.
inline constexpr std::uint32_t kEndWaitMs = 1000;

class ProcessPage {
  public:
    // Creates the page's controls inside the page frame; message boxes carry `title`.
    ProcessPage(ui::Frame& frame, const platform::System& sys, ui::Dialogs& dialogs,
                std::string title);
    ProcessPage(const ProcessPage&) = delete;
    ProcessPage& operator=(const ProcessPage&) = delete;

    ui::ListView ListView1;
    ui::Button Command11;
    ui::Button Command12;
    ui::Label Label10;

    // Set only while the list is refilled right after an ending, so that the result stays.
    bool ProcKilled = false;

    // Told once a process has been ended (or refused) and the list refilled: the icons of
    // an ended program are to be swept from the notification area.
    std::function<void()> afterEnd;

    // The three columns, after any there were.
    void createColumns();
    void Command11_Click();
    void ListView1_Click();
    void Command12_Click();

  private:
    // What a row showed when the list was filled.
    struct Picked {
        std::string name;
        std::uint32_t processId = 0;
        std::optional<std::uint64_t> created;
    };

    void layout();
    // True when the process was ended; false when it could not be, or must not be.
    bool endProcess(const Picked& picked);
    // Whether the opened process is the one the row showed, not a later one under its id.
    static bool sameProcess(platform::OpenedProcess& process, const Picked& picked);
    std::string ownExeName();

    platform::Processes& processes_;
    platform::Environment& environment_;
    ui::Dialogs& dialogs_;
    std::string title_;
    // By row key: the creation time each row's process had when the list was filled.
    std::map<std::string, std::optional<std::uint64_t>> created_;
};

}  // namespace processes
