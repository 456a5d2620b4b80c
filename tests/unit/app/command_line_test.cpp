// Switches given to a second start on a simulated desktop: handed to the running copy and
// answered, or refused, or dealt with by the start itself when no copy runs.
#include <gtest/gtest.h>

#include "app/app_fixture.h"

namespace {

using platform::WindowHandle;
using testing_support::SimProgram;

class CommandLineTest : public ::testing::Test {
  protected:
    CommandLineTest() {
        first.sim.notifyArea.openShell();
        first.sim.notifyArea.addButton("QQ", 5);
        editor = first.sim.desktop.open(
            {.className = "Peer", .title = "Editor", .visible = true, .processId = 201});
        chat = first.sim.desktop.open(
            {.className = "Peer", .title = "Chat", .visible = true, .processId = 202});
    }

    // A later start with these arguments; its Application stays for the checks.
    SimProgram& second(const std::vector<std::string>& arguments) {
        later = std::make_unique<SimProgram>(bus);
        later->application = std::make_unique<app::Application>(later->ctx);
        later->result = later->application->Main(cli::parseArguments(arguments));
        return *later;
    }
    int exitCode() const { return later->application->exitCode(); }
    std::string line() const { return later->application->consoleText(); }
    bool shown(WindowHandle w) { return first.sim.desktop.find(w)->visible; }
    bool iconHidden() { return first.sim.notifyArea.buttonById(5)->hidden; }

    platform::sim::SimInstanceBus bus;
    SimProgram first{bus};
    std::unique_ptr<SimProgram> later;
    WindowHandle editor = platform::kNoWindow;
    WindowHandle chat = platform::kNoWindow;
};

TEST_F(CommandLineTest, StatusHideRestoreAgainstTheRunningCopy) {
    first.start();
    second({"/status"});
    EXPECT_EQ(later->result, app::StartResult::CommandDone);
    EXPECT_EQ(exitCode(), 0);
    EXPECT_EQ(line(), "nothing hidden");
    EXPECT_FALSE(later->frmain().loaded()) << "a second start shows nothing of its own";

    second({"-HIDE"});
    EXPECT_EQ(exitCode(), 0);
    EXPECT_EQ(line(), "hidden: 2 windows, 1 icon");
    EXPECT_FALSE(shown(editor) || shown(chat));
    EXPECT_TRUE(iconHidden());

    second({"/Status"});
    EXPECT_EQ(exitCode(), 1);
    EXPECT_EQ(line(), "hidden: 2 windows, 1 icon");

    second({"/restore"});
    EXPECT_EQ(exitCode(), 0);
    EXPECT_EQ(line(), "restored: 2 windows, 1 icon");
    EXPECT_TRUE(shown(editor) && shown(chat));
    EXPECT_FALSE(iconHidden());
    EXPECT_EQ(first.sim.desktop.find(editor)->title, "Editor");
    EXPECT_TRUE(first.frmain().visible()) << "as the restore hotkey does";
    EXPECT_TRUE(later->dialogs.messages().empty());
    EXPECT_TRUE(first.dialogs.messages().empty());
}

TEST_F(CommandLineTest, StatusCountsOnlyWhatIsStillHidden) {
    first.start();
    second({"/hide"});
    // The chat program shows its window again by itself, then the editor closes.
    first.sim.desktop.showWindow(chat, platform::ShowCommand::Show);
    first.sim.desktop.close(editor);
    second({"/status"});
    EXPECT_EQ(exitCode(), 1) << "the icon is still hidden";
    EXPECT_EQ(line(), "hidden: 0 windows, 1 icon");
}

TEST_F(CommandLineTest, ToggleChoosesByWhatIsHidden) {
    first.start();
    second({"/toggle"});
    EXPECT_EQ(line(), "hidden: 2 windows, 1 icon");
    EXPECT_FALSE(shown(editor));
    second({"/toggle"});
    EXPECT_EQ(line(), "restored: 2 windows, 1 icon");
    EXPECT_TRUE(shown(editor));

    // The taskbar alone counts as something hidden: the toggle restores it.
    first.frmain().windowPage.cmdhidewin.raiseClick();
    second({"/toggle"});
    EXPECT_EQ(line(), "restored: 0 windows, 0 icons, the taskbar");
    EXPECT_FALSE(first.frmain().Dowin);
    EXPECT_TRUE(shown(editor)) << "nothing was hidden by the toggle";
    EXPECT_EQ(exitCode(), 0);
}

TEST_F(CommandLineTest, ExitIsRefusedWhileTheBlackScreenIsUpThenEndsWithoutAQuestion) {
    first.start();  // the default settings ask before the exit
    second({"/hide"});
    first.frmain().Command6.raiseClick();
    second({"/exit"});
    EXPECT_EQ(exitCode(), 4);
    EXPECT_EQ(line(), "refused: the black screen is locked");
    EXPECT_TRUE(first.frmain().loaded());
    EXPECT_FALSE(shown(editor)) << "a refused exit restores nothing";
    EXPECT_EQ(first.quits, 0);

    first.frmain().frmBlack.unlock();
    second({"/exit"});
    EXPECT_EQ(exitCode(), 0);
    // The simulated first copy's process lives on in the test, so it has not "ended".
    EXPECT_EQ(line(), "still ending; restoring: 2 windows, 1 icon");
    EXPECT_EQ(first.quits, 1);
    EXPECT_FALSE(first.frmain().loaded());
    EXPECT_TRUE(shown(editor) && shown(chat));
    EXPECT_FALSE(iconHidden());
    EXPECT_TRUE(first.dialogs.messages().empty()) << "no question";

    second({"/status"});
    EXPECT_EQ(exitCode(), 5) << "an ended copy that still holds its claim answers no more";
}

TEST_F(CommandLineTest, WithoutARunningCopyOnlyHideAndToggleStartOne) {
    for (const char* command : {"/restore", "/status", "/exit"}) {
        platform::sim::SimInstanceBus alone;
        SimProgram p(alone);
        p.application = std::make_unique<app::Application>(p.ctx);
        EXPECT_EQ(p.application->Main(cli::parseArguments({command})),
                  app::StartResult::CommandDone);
        EXPECT_EQ(p.application->exitCode(), 2) << command;
        EXPECT_EQ(p.application->consoleText(), "Veilor is not running");
        EXPECT_FALSE(p.frmain().loaded()) << command;
    }
}

TEST_F(CommandLineTest, HideWithoutARunningCopyStartsInTheNotificationAreaAndHides) {
    first.application = std::make_unique<app::Application>(first.ctx);
    EXPECT_EQ(first.application->Main(cli::parseArguments({"/hide"})), app::StartResult::InTray);
    EXPECT_EQ(first.application->exitCode(), 0);
    EXPECT_EQ(first.application->consoleText(), "hidden: 2 windows, 1 icon");
    app::Frmain& frmain = first.frmain();
    EXPECT_TRUE(frmain.loaded());
    EXPECT_FALSE(frmain.visible());
    EXPECT_TRUE(first.sim.notifyIcon.present());
    EXPECT_FALSE(shown(editor) || shown(chat));

    second({"/status"});
    EXPECT_EQ(exitCode(), 1) << "the copy it started answers";
}

TEST_F(CommandLineTest, UnknownSwitchChangesNothingAndClaimsNothing) {
    second({"/hid"});
    EXPECT_EQ(later->result, app::StartResult::CommandDone);
    EXPECT_EQ(exitCode(), 3);
    EXPECT_EQ(line(), "unknown switch: /hid\n" + cli::usage());
    EXPECT_FALSE(bus.claimed) << "a real start right after must still be the first";

    first.start();
    second({"/hide", "/restore"});
    EXPECT_EQ(exitCode(), 3);
    EXPECT_EQ(bus.delivered, 0);
    EXPECT_TRUE(shown(editor));
}

TEST_F(CommandLineTest, ACopyStillAtItHasTakenAHideButCannotTellTheState) {
    first.start();
    bus.answersLate = true;
    second({"/toggle"});
    EXPECT_EQ(exitCode(), 0) << "taken, and done once the desktop lets it";
    EXPECT_EQ(line(), "toggle: handed over; Veilor is still at it");
    for (const char* command : {"/status", "/exit"}) {
        second({command});
        EXPECT_EQ(exitCode(), 5) << command;
        EXPECT_EQ(line(), "Veilor took the command but did not answer in time");
    }
}

TEST_F(CommandLineTest, ACopyThatDoesNotAnswerGivesFive) {
    first.start();
    bus.firstAnswers = false;
    second({"/hide"});
    EXPECT_EQ(exitCode(), 5);
    EXPECT_EQ(line(), "Veilor is running but did not answer in time");
    EXPECT_TRUE(later->dialogs.messages().empty()) << "no window, unlike a plain start";
    EXPECT_TRUE(shown(editor));
}

}  // namespace
