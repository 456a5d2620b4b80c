#pragma once
// The schedule page: a program started, or the computer shut down, at a chosen second,
// with a countdown and an optional question first. Nothing of it is saved.
#include <array>
#include <memory>
#include <string>

#include "platform/system.h"
#include "schedule/schedule_time.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/page_sight.h"

namespace schedule {

inline constexpr int kTickMs = 100;
inline constexpr char kNoProgram[] = "选择程序";

// One group of the page: six target boxes, the question and enable boxes, the countdown.
struct ScheduleGroup {
    ScheduleGroup(ui::Frame& page, int idBase, int left, const std::string& heading);
    ui::Frame frame;
    ui::Label heading;
    std::array<std::unique_ptr<ui::TextBox>, 6> boxes;
    std::array<std::unique_ptr<ui::Label>, 6> units;
    ui::CheckBox ask;
    ui::CheckBox enable;
    ui::Label countdown;
    ui::Timer timer;
    Stamp target{};
    bool accepted = false;
    // A tick's message box is open: further ticks wait for its answer.
    bool busy = false;
};

class SchedulePage {
  public:
    SchedulePage(ui::Frame& frame, const platform::System& sys, ui::Dialogs& dialogs,
                 std::string title);
    SchedulePage(const SchedulePage&) = delete;
    SchedulePage& operator=(const SchedulePage&) = delete;

    ui::Label Label13;
    ui::Timer Timer3;
    ScheduleGroup run;  // Frame10: the launch
    ScheduleGroup off;  // Frame11: the shutdown
    ui::TextBox Text7;
    ui::Button Command29;
    Stamp nowStamp{};
    std::string programPath;

    // The page has been shown: the clock runs from now on and the boxes are filled.
    void Command9_Click();
    void FillScheduleBoxes();
    void Timer3_Timer();
    void Command29_Click();
    void Check1_Click();
    void Check2_Click();
    void Timer4_Timer();
    void Timer5_Timer();

  private:
    // False when the boxes were refused; the group is then left as it was.
    bool acceptBoxes(ScheduleGroup& g);
    void lock(ScheduleGroup& g, bool locked);
    // Updates the countdown; false when the target has passed and the group was disabled.
    bool countDown(ScheduleGroup& g);
    // The group's question, if asked for; false when not answered Yes (the group is then
    // disabled).
    bool confirmed(ScheduleGroup& g, const std::string& question);
    void tell(ScheduleGroup& g, const std::string& text, const std::string& caption);
    void startProgram();
    void shutDown();
    // The clock ticks while someone reads it: the page in sight, or a schedule waiting
    // for its second.
    void keepClock();

    platform::System sys_;
    ui::Dialogs& dialogs_;
    std::string title_;
    bool opened_ = false;
    ui::PageSight sight_;
};

}  // namespace schedule
