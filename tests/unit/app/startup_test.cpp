#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_fixture.h"

namespace {

using testing_support::SimProgram;

std::vector<std::string> visiblePages(app::Frmain& f) {
    std::vector<std::string> names;
    for (ui::Frame* page : {&f.Frame1, &f.Frame2, &f.Frame3, &f.Frame4, &f.Frame8, &f.Frame9}) {
        if (page->visible()) names.push_back(page->name());
    }
    return names;
}

TEST(Startup, FirstStartShowsNewsPageAndWritesDefaultSettings) {
    SimProgram p;
    p.start();
    ASSERT_EQ(p.result, app::StartResult::MainWindow);
    app::Frmain& f = p.frmain();
    EXPECT_TRUE(f.loaded());
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(f.text(), "Veilor");
    EXPECT_EQ(f.vLabel.text(), "版本：V1.0 正式版");
    EXPECT_EQ(visiblePages(f), std::vector<std::string>{"Frame3"});
    EXPECT_EQ(f.Frame9.left(), 1560);
    EXPECT_EQ(f.Frame9.top(), 1440);
    EXPECT_TRUE(p.sim.files.folderExists("C:\\Users\\user\\Documents\\Veilor"));
    EXPECT_EQ(p.configText(), testing_support::kDefaultConfig);
    EXPECT_EQ(f.txtHotKey[0]->text(), "Alt + A");
    EXPECT_EQ(f.txtHotKey[6]->tag, "73,0,-1,0");
    EXPECT_FALSE(f.cmdSetOK.enabled());
    EXPECT_FALSE(f.cmdSetCancel.enabled());
    EXPECT_TRUE(p.dialogs.messages().empty());
}

bool timerRunning(SimProgram& p, const std::string& name) {
    const std::vector<std::string> running = p.forms.runningTimers();
    return std::find(running.begin(), running.end(), name) != running.end();
}

TEST(Startup, TheWindowComesUpReadyAndTheNewsAndTheNoticeFollowOnceItIsUp) {
    SimProgram p;
    p.startBeforeLoop();
    app::Frmain& f = p.frmain();
    ASSERT_TRUE(f.visible());
    EXPECT_EQ(visiblePages(f), std::vector<std::string>{"Frame3"});
    EXPECT_TRUE(p.sim.hotKeys.registered(1, 'A')) << "the boss key answers from the start";
    EXPECT_EQ(p.configText(), testing_support::kDefaultConfig);
    EXPECT_EQ(f.WebBrowser1.locationURL(), "");
    EXPECT_FALSE(timerRunning(p, "Timer6"));

    p.forms.pump();
    EXPECT_EQ(f.WebBrowser1.locationURL(), std::string(app::kServerBase) + app::kNewsPath);
    EXPECT_TRUE(timerRunning(p, "Timer6"));
    p.forms.advance(1000);
    EXPECT_FALSE(timerRunning(p, "Timer6")) << "the notice runs once";
}

TEST(Startup, StoredSettingsReachTheOptionBoxesWithoutMarkingThePageChanged) {
    SimProgram p;
    p.sim.files.put(
        "C:\\Users\\user\\Documents\\Veilor\\Config.ini",
        "[HotKey]\r\n0=65,-1,0,0\r\n[Config]\r\nStartRun=1\r\nEndMini=1\r\nBlackPwd=密码 x\r\n");
    p.start();
    app::Frmain& f = p.frmain();
    EXPECT_EQ(f.CheckStarRun.value(), 1);
    EXPECT_EQ(f.CheckStartMini.value(), 0);
    EXPECT_EQ(f.CheckEndMini.value(), 1);
    EXPECT_EQ(f.txtBlackPwd[0]->text(), "密码 x");
    EXPECT_EQ(f.txtBlackPwd[1]->text(), "密码 x");
    EXPECT_EQ(f.txtHotKey[0]->text(), "Ctrl + A");
    EXPECT_FALSE(f.cmdSetOK.enabled());
}

TEST(Startup, SecondStartBringsTheFirstBackAndShowsNothingItself) {
    platform::sim::SimInstanceBus bus;
    SimProgram first(bus);
    first.start();
    first.frmain().setWindowState(ui::WindowState::Minimized);
    first.frmain().hide();

    SimProgram second(bus);
    second.start();
    EXPECT_EQ(second.result, app::StartResult::HandedOver);
    EXPECT_FALSE(second.frmain().loaded());
    EXPECT_TRUE(second.dialogs.messages().empty());
    EXPECT_EQ(first.frmain().windowState(), ui::WindowState::Normal);
    EXPECT_TRUE(first.frmain().visible());
}

TEST(Startup, SecondStartGivesUpWithAMessageWhenTheFirstDoesNotAnswer) {
    platform::sim::SimInstanceBus bus;
    SimProgram first(bus);
    first.start();
    bus.firstAnswers = false;

    SimProgram second(bus);
    second.start();
    EXPECT_EQ(second.result, app::StartResult::Unreachable);
    EXPECT_FALSE(second.frmain().loaded());
    ASSERT_EQ(second.dialogs.messages().size(), 1u);
    EXPECT_EQ(second.dialogs.messages()[0].title, "Veilor");
    EXPECT_EQ(second.dialogs.messages()[0].style, 48);
}

TEST(Startup, OtherCommandsThanShowAreIgnored) {
    SimProgram p;
    p.start();
    p.frmain().hide();
    p.frmain().linkExecute("show");
    EXPECT_FALSE(p.frmain().visible());
    p.frmain().linkExecute("Show");
    EXPECT_TRUE(p.frmain().visible());
}

class MissingComponent : public ::testing::TestWithParam<const char*> {};

TEST_P(MissingComponent, ShowsThePromptInsteadOfTheMainWindow) {
    SimProgram p;
    p.sim.files.deleteFile(std::string("C:\\Windows\\system32\\") + GetParam());
    p.start();
    EXPECT_EQ(p.result, app::StartResult::MissingComponent);
    EXPECT_TRUE(p.application->downLDFIX().visible());
    EXPECT_FALSE(p.frmain().loaded());
    EXPECT_EQ(p.application->downLDFIX().text(), "修复提示");
    EXPECT_EQ(p.application->downLDFIX().Label4.text(),
              "点击\"强行启动\"尝试运行Veilor。(可能会运行失败)");
}

INSTANTIATE_TEST_SUITE_P(Components, MissingComponent,
                         ::testing::Values("comctl32.dll", "wininet.dll"));

TEST(MissingComponentPrompt, ForceStartHidesThePromptAndRunsTheNormalLoad) {
    SimProgram p;
    p.sim.environment.variables["windir"] = "D:\\NoWindows";
    p.start();
    app::DownLDFIX& prompt = p.application->downLDFIX();
    prompt.CancelButton.raiseClick();
    EXPECT_TRUE(prompt.loaded());
    EXPECT_FALSE(prompt.visible());
    EXPECT_TRUE(p.frmain().visible());
    EXPECT_EQ(p.configText(), testing_support::kDefaultConfig);
    EXPECT_EQ(p.quits, 0);
}

TEST(MissingComponentPrompt, SecondStartCannotBringTheMainWindowUpPastIt) {
    platform::sim::SimInstanceBus bus;
    SimProgram first(bus);
    first.sim.environment.variables["windir"] = "D:\\NoWindows";
    first.start();

    SimProgram second(bus);
    second.start();
    EXPECT_NE(second.result, app::StartResult::HandedOver);
    EXPECT_FALSE(first.frmain().loaded()) << "the main window would load a broken program";

    first.application->downLDFIX().CancelButton.raiseClick();  // force start
    SimProgram third(bus);
    third.start();
    EXPECT_EQ(third.result, app::StartResult::HandedOver) << "now the first answers";
}

TEST(MissingComponentPrompt, RepairOpensThePatchPageMaximisedAndEnds) {
    SimProgram p;
    p.sim.environment.variables["windir"] = "D:\\NoWindows";
    p.start();
    p.application->downLDFIX().OKButton.raiseClick();
    ASSERT_EQ(p.sim.shell.started.size(), 1u);
    EXPECT_EQ(p.sim.shell.started[0].commandLine, "\"C:\\Windows\\explorer.exe\" " +
                                                      std::string(app::kServerBase) +
                                                      "/softs/TamroFix/TamroFix.htm")
        << "by its full path: an explorer.exe beside Veilor must never be the one run";
    EXPECT_EQ(p.sim.shell.started[0].show, platform::ShowCommand::Maximized);
    EXPECT_EQ(p.quits, 1);
    EXPECT_FALSE(p.application->downLDFIX().loaded());
}

TEST(MissingComponentPrompt, ClosingThePromptEndsTheProgram) {
    SimProgram p;
    p.sim.environment.variables["windir"] = "D:\\NoWindows";
    p.start();
    EXPECT_TRUE(p.application->downLDFIX().unload());
    EXPECT_EQ(p.quits, 1);
    EXPECT_TRUE(p.sim.shell.started.empty());
}

}  // namespace
