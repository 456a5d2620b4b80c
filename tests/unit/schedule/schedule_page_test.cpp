// The schedule page on a loaded main window, on the virtual clock: enabling and its
// checks, the launch and the shutdown at their second, and the page filling.
#include <gtest/gtest.h>

#include "app/app_fixture.h"

namespace schedule {
namespace {

constexpr char kPeer[] = "C:\\Program Files\\Peer\\peer.exe";

class SchedulePageTest : public ::testing::Test {
  protected:
    SchedulePageTest() {
        program.sim.clock.time.second = 30;
        program.sim.files.put(kPeer, "MZ");
        program.sim.environment.folders[platform::SpecialFolder::System] = "C:\\Windows\\system32";
        program.start();
        program.frmain().Command9.raiseClick();
    }
    SchedulePage& page() { return program.frmain().schedulePage; }
    // The clock moves on by ms, in the timers' steps.
    void wait(std::uint32_t ms) {
        for (std::uint32_t t = 0; t < ms; t += 100, ++steps_) {
            if (steps_ > 0 && steps_ % 10 == 0) ++program.sim.clock.time.second;
            program.forms.advance(100);
        }
    }
    void setBoxes(ScheduleGroup& g, const std::array<std::string, 6>& texts) {
        for (int i = 0; i < 6; ++i)
            g.boxes[i]->setText(texts[i]);
    }
    void target(ScheduleGroup& g, int secondsAhead) {
        platform::LocalTime t = program.sim.clock.time;
        setBoxes(g, {std::to_string(t.year), std::to_string(t.month), std::to_string(t.day),
                     std::to_string(t.hour), std::to_string(t.minute),
                     std::to_string(t.second + secondsAhead)});
    }
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (const auto& m : program.dialogs.messages())
            out.push_back(m.text);
        return out;
    }
    testing_support::SimProgram program;
    int steps_ = 0;
};

TEST_F(SchedulePageTest, AnInvalidBoxIsEmptiedAndTheScheduleStaysOff_UntickingThenDoesNothing) {
    setBoxes(page().run, {"", "8", "9", "7", "5", "0"});
    page().run.enable.raiseClick();
    EXPECT_EQ(texts(), std::vector<std::string>{"日期和时间必须为整数！"});
    EXPECT_EQ(program.dialogs.messages()[0].title, "错误");
    EXPECT_EQ(page().run.enable.value(), 0);
    EXPECT_EQ(page().run.boxes[1]->text(), "8");
    EXPECT_FALSE(page().run.timer.running());

    page().run.boxes[0]->setText("x");
    page().run.enable.setValue(0);
    EXPECT_EQ(texts().size(), 1u);
    EXPECT_EQ(page().run.boxes[0]->text(), "x");
}

TEST_F(SchedulePageTest, AcceptedNumbersAreWrittenBackAndLockTheirGroupOnly) {
    setBoxes(page().off, {"2026", "12", "09", "07.9", "05", "00"});
    page().off.enable.raiseClick();
    EXPECT_EQ(page().off.boxes[2]->text(), "9");
    EXPECT_EQ(page().off.boxes[3]->text(), "7");
    EXPECT_FALSE(page().off.boxes[0]->enabled());
    EXPECT_FALSE(page().off.ask.enabled());
    EXPECT_TRUE(page().off.timer.running());
    EXPECT_TRUE(page().run.boxes[0]->enabled());
    EXPECT_TRUE(page().Command29.enabled());
    page().off.enable.raiseClick();
    EXPECT_TRUE(page().off.boxes[0]->enabled());
    EXPECT_FALSE(page().off.timer.running());
}

TEST_F(SchedulePageTest, TypingStopsAtFourDigitsForTheYearAndTwoForTheRest) {
    page().run.boxes[0]->userSetText("202612");
    page().run.boxes[5]->userSetText("059");
    EXPECT_EQ(page().run.boxes[0]->text(), "2026");
    EXPECT_EQ(page().run.boxes[5]->text(), "05");
}

TEST_F(SchedulePageTest, AnImpossibleDateIsRefusedAtItsBox) {
    setBoxes(page().run, {"2026", "11", "31", "7", "5", "0"});
    page().run.enable.raiseClick();
    EXPECT_EQ(texts(), std::vector<std::string>{"日期和时间必须为整数！"});
    EXPECT_EQ(page().run.boxes[2]->text(), "");
    EXPECT_EQ(page().run.enable.value(), 0);
}

TEST_F(SchedulePageTest, NoProgramChosenIsToldWithinOneTick) {
    target(page().run, 5);
    page().run.enable.raiseClick();
    wait(100);
    EXPECT_EQ(texts(), std::vector<std::string>{"请选择程序！"});
    EXPECT_EQ(page().run.enable.value(), 0);
}

TEST_F(SchedulePageTest, TheProgramStartsQuotedAndMinimisedAtItsSecond) {
    program.dialogs.answerOpenFile(std::string("  ") + kPeer + " ");
    page().Command29.raiseClick();
    EXPECT_EQ(page().Text7.text(), kPeer);
    target(page().run, 2);
    page().run.enable.raiseClick();
    wait(1000);
    EXPECT_TRUE(program.sim.shell.started.empty());
    EXPECT_EQ(page().run.countdown.text(), "剩余：0 小时0 分2 秒");
    wait(1100);
    ASSERT_EQ(program.sim.shell.started.size(), 1u);
    EXPECT_EQ(program.sim.shell.started[0].commandLine, std::string("\"") + kPeer + "\"");
    EXPECT_EQ(program.sim.shell.started[0].show, platform::ShowCommand::Minimized);
    EXPECT_EQ(page().run.enable.value(), 0);
    EXPECT_EQ(page().run.countdown.text(), "剩余：0 小时0 分0 秒");
}

TEST_F(SchedulePageTest, TheQuestionAnsweredNoStartsNothing_YesStarts) {
    page().Text7.setText(kPeer);
    page().run.ask.setValue(1);
    for (int answer : {ui::mb::kAnswerNo, ui::mb::kAnswerYes}) {
        program.dialogs.answerMessage(answer);
        target(page().run, 1);
        page().run.enable.raiseClick();
        wait(1500);
        EXPECT_EQ(page().run.enable.value(), 0);
    }
    EXPECT_EQ(texts(), (std::vector<std::string>{"你想运行该程序吗？", "你想运行该程序吗？"}));
    EXPECT_EQ(program.sim.shell.started.size(), 1u);
}

TEST_F(SchedulePageTest, APastOrMissedSecondEndsWithoutStarting) {
    page().Text7.setText(kPeer);
    target(page().run, -1);
    page().run.enable.raiseClick();
    wait(100);
    EXPECT_EQ(page().run.countdown.text(), "时间已过！");
    EXPECT_EQ(page().run.enable.value(), 0);
    target(page().run, 1);
    page().run.enable.raiseClick();
    program.sim.clock.time.second += 2;  // the whole target second passes unseen
    wait(100);
    EXPECT_EQ(page().run.countdown.text(), "时间已过！");
    EXPECT_TRUE(program.sim.shell.started.empty());
}

TEST_F(SchedulePageTest, AProgramThatCannotStartIsToldAndTheScheduleEnds) {
    page().Text7.setText(kPeer);
    program.sim.shell.failRuns = true;
    target(page().run, 1);
    page().run.enable.raiseClick();
    wait(1500);
    EXPECT_EQ(texts(), std::vector<std::string>{"程序无法启动！"});
    EXPECT_EQ(page().run.enable.value(), 0);
}

TEST_F(SchedulePageTest, TheShutdownRepeatsWithinItsSecondByFullPathsAndEndsAfterIt) {
    target(page().off, 1);
    page().off.enable.raiseClick();
    wait(2100);
    // Every tick within the target second, and none after it.
    ASSERT_EQ(program.sim.shell.started.size(), 10u);
    EXPECT_EQ(program.sim.shell.started[0].commandLine,
              "\"C:\\Windows\\system32\\cmd.exe\" /c \"C:\\Windows\\system32\\shutdown.exe\" "
              "/s /f");
    EXPECT_EQ(program.sim.shell.started[0].show, platform::ShowCommand::Hide);
    EXPECT_EQ(page().off.countdown.text(), "时间已过！");
    EXPECT_EQ(page().off.enable.value(), 0);
}

TEST_F(SchedulePageTest, ThePageFillsWithNowUntilATargetIsAccepted) {
    EXPECT_EQ(page().run.boxes[0]->text(), "2026");
    EXPECT_EQ(page().run.boxes[5]->text(), "30");
    setBoxes(page().off, {"2027", "1", "2", "3", "4", "5"});
    page().off.enable.raiseClick();
    page().off.enable.raiseClick();
    page().off.boxes[0]->setText("2030");
    program.frmain().Command9.raiseClick();
    EXPECT_EQ(page().off.boxes[0]->text(), "2027");
    EXPECT_EQ(page().run.boxes[0]->text(), "2026");
}

TEST_F(SchedulePageTest, TheClockTicksOnlyWhileSeenOrWhileAScheduleWaits) {
    EXPECT_TRUE(page().Timer3.running());
    program.frmain().Command4.raiseClick();
    EXPECT_FALSE(page().Timer3.running());

    program.frmain().Command9.raiseClick();
    page().Text7.setText(kPeer);
    target(page().run, 3);
    page().run.enable.raiseClick();
    program.frmain().Command4.raiseClick();
    EXPECT_TRUE(page().Timer3.running());
    wait(3500);
    EXPECT_EQ(program.sim.shell.started.size(), 1u);
    EXPECT_FALSE(page().Timer3.running());
}

}  // namespace
}  // namespace schedule
