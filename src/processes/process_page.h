#pragma once
// The process page: every running process with its id and executable path, and ending
// the one the user picked, after asking. The program never ends itself, a process the
// system marks critical or may mark so, nor a process other than the one its row showed.
// The list is read on a worker: with a hundred processes that takes a while, and the
// hotkeys wait on the user-interface thread meanwhile.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/system.h"
#include "processes/process_rows.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

namespace processes {

// How long an ended process is given to be gone before the list is read again (on the
// worker).
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

    // Told once a process has been ended (or refused) and the rows of the refill that
    // followed are in: the icons of an ended program are to be swept from the notification
    // area.
    std::function<void()> afterEnd;

    // The three columns, after any there were.
    void createColumns();
    // The first time the page is shown, its list is filled.
    void pageShown();
    // Has the list read again; the new rows replace the old once the worker has read them.
    // A later refill supersedes one still running.
    void Command11_Click();
    bool refilling() const { return refill_ != nullptr; }
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
    void fill(std::vector<ProcessRow> rows);
    // True when the process was ended; false when it could not be, or must not be.
    bool endProcess(const Picked& picked);
    // Whether the opened process is the one the row showed, not a later one under its id.
    static bool sameProcess(platform::OpenedProcess& process, const Picked& picked);
    std::string ownExeName();

    platform::Processes& processes_;
    platform::Environment& environment_;
    platform::Tasks& tasks_;
    ui::Dialogs& dialogs_;
    std::string title_;
    // By row key: the creation time each row's process had when the list was filled.
    std::map<std::string, std::optional<std::uint64_t>> created_;
    std::unique_ptr<platform::Task> refill_;
    bool filledOnce_ = false;
    // Ended since the rows last came in: every refill waits, on its worker, for them to
    // be gone, so that none lists them any more.
    std::vector<std::shared_ptr<platform::OpenedProcess>> ending_;
    // An ending's sweep of the notification area waits for the refill's rows.
    bool sweepAfterFill_ = false;
};

}  // namespace processes
