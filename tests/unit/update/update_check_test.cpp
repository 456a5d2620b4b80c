// The update check and the server notice on the loaded main window, against a simulated
// server: every message on the way, the files left behind, cancel and exit.
#include <gtest/gtest.h>

#include "app/app_fixture.h"

namespace update {
namespace {

using ui::sim::ShownMessage;

constexpr char kTemplates[] = "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Templates";
constexpr char kDesktop[] = "C:\\Users\\user\\Desktop";
constexpr char kUnreachable[] = "无法连接到服务器 请稍后再试！";

class UpdateCheckTest : public ::testing::Test {
  protected:
    UpdateCheckTest() {
        sim.files.put(std::string(kTemplates) + "\\desktop.ini", "");
        sim.files.put(std::string(kDesktop) + "\\desktop.ini", "");
        serve("", "<html>home</html>");
        serve("/softs/veilsp/Pass.txt", "1.00\r\nold notice\r\n0");
        program.start();
        program.dialogs.clear();
    }
    void serve(const std::string& path, const std::string& body, int status = 200) {
        sim.internet.answers[std::string(app::kServerBase) + path] = {status, body};
    }
    void offer(const std::string& version, const std::string& name, const std::string& body) {
        serve("/softs/veilsp/Update.txt", version + "\r\n" + name + "\r\n1.2 MB");
        serve("/softs/veilsp/" + name, body);
    }
    void check() {
        frmain().cmdStart.raiseClick();
        sim.internet.runAll();
    }
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (const ShownMessage& m : program.dialogs.messages())
            out.push_back(m.text);
        return out;
    }
    const ShownMessage& message(size_t i) { return program.dialogs.messages().at(i); }
    bool exists(const char* folder, const std::string& name) {
        return sim.files.fileExists(std::string(folder) + "\\" + name);
    }
    std::string file(const char* folder, const std::string& name) {
        return sim.files.readFile(std::string(folder) + "\\" + name).value_or("<none>");
    }
    void expectButtonsAtRest() {
        EXPECT_TRUE(frmain().cmdStart.visible());
        EXPECT_TRUE(frmain().cmdStart.enabled());
        EXPECT_FALSE(frmain().cmdStop.visible());
        EXPECT_FALSE(frmain().cmdStop.enabled());
    }
    app::Frmain& frmain() { return program.frmain(); }

    testing_support::SimProgram program;
    platform::sim::SimSystem& sim = program.sim;
};

TEST_F(UpdateCheckTest, SameVersionIsTheLatestAndTheTextFilesAreGone) {
    offer("1.00", "setup.exe", "MZ");
    check();
    ASSERT_EQ(texts(), std::vector<std::string>{"已经是官方最新版本了！"});
    EXPECT_EQ(message(0).title, "Veilor");
    EXPECT_EQ(message(0).style, 0);
    EXPECT_FALSE(exists(kTemplates, "Update.txt"));
    EXPECT_FALSE(exists(kTemplates, "Pass.txt"));
    expectButtonsAtRest();
}

TEST_F(UpdateCheckTest, YesDownloadsWithProgressAndLeavesTheCopyOnTheDesktop) {
    const std::string exe = "MZ" + std::string(6000, '\x90');
    offer("1.01", "setup.exe", exe);
    program.dialogs.answerMessage(ui::mb::kAnswerYes);
    frmain().cmdStart.raiseClick();
    EXPECT_FALSE(frmain().cmdStart.enabled());
    while (texts().empty())
        sim.internet.step();
    EXPECT_EQ(message(0).text, "发现新的版本：1.01 文件大小：1.2 MB 是否进行在线升级 ？");
    EXPECT_EQ(message(0).title, "在线升级");
    EXPECT_EQ(message(0).style, 36);
    sim.internet.step();
    EXPECT_FALSE(frmain().cmdStart.visible());
    EXPECT_TRUE(frmain().cmdStop.usable());
    EXPECT_TRUE(frmain().lblCount.visible());
    EXPECT_EQ(frmain().lblCount.text().rfind("已下载 2048字节(2.00 KB) [ ", 0), 0u)
        << frmain().lblCount.text();
    sim.internet.runAll();
    EXPECT_EQ(texts(), (std::vector<std::string>{message(0).text, "setup.exe",
                                                 "最新版已成功更新到 \"桌面\""}));
    EXPECT_EQ(message(2).title, "更新完毕");
    EXPECT_EQ(file(kTemplates, "Veilor1.01.exe"), exe);
    EXPECT_EQ(file(kDesktop, "Veilor1.01.exe"), exe);
    EXPECT_EQ(frmain().lblCount.text(), "共下载 6002 字节");
    expectButtonsAtRest();
}

TEST_F(UpdateCheckTest, NoToTheQuestionEndsQuietly) {
    offer("1.01", "setup.exe", "MZ");
    program.dialogs.answerMessage(ui::mb::kAnswerNo);
    check();
    EXPECT_EQ(texts().size(), 1u);
    EXPECT_EQ(sim.internet.requests.size(), 3u);  // probe, two texts, no executable
    expectButtonsAtRest();
}

TEST_F(UpdateCheckTest, CancelRemovesBothCopies) {
    offer("1.01", "setup.exe", std::string(100000, 'x'));
    program.dialogs.answerMessage(ui::mb::kAnswerYes);
    frmain().cmdStart.raiseClick();
    while (!frmain().cmdStop.visible())
        sim.internet.step();
    sim.internet.step();
    frmain().cmdStop.raiseClick();
    EXPECT_TRUE(frmain().cmdStop.enabled());
    sim.internet.runAll();
    EXPECT_EQ(texts().back(), "更新已取消！");
    EXPECT_EQ(program.dialogs.messages().back().title, "更新失败");
    EXPECT_FALSE(exists(kTemplates, "Veilor1.01.exe"));
    EXPECT_FALSE(exists(kDesktop, "Veilor1.01.exe"));
    expectButtonsAtRest();
}

TEST_F(UpdateCheckTest, ClosingTheProgramDuringTheDownloadLeavesNoCopy) {
    offer("1.01", "setup.exe", std::string(100000, 'x'));
    sim.internet.answers[std::string(app::kServerBase) + "/softs/veilsp/setup.exe"].stalled = true;
    program.dialogs.answerMessage(ui::mb::kAnswerYes);
    program.dialogs.answerMessage(ui::mb::kAnswerYes);  // the exit question
    frmain().cmdStart.raiseClick();
    sim.internet.runAll();
    ASSERT_TRUE(frmain().cmdStop.visible());
    frmain().unload();
    EXPECT_EQ(texts().back(), "退出程序后所有隐藏将恢复，确定仍要退出？");
    EXPECT_EQ(program.quits, 1);
    EXPECT_EQ(sim.internet.openCount(), 0);
    EXPECT_FALSE(exists(kTemplates, "Veilor1.01.exe"));
    EXPECT_FALSE(exists(kDesktop, "Veilor1.01.exe"));
}

TEST_F(UpdateCheckTest, NoticeComesBeforeTheCheckAndOnceAfterStart) {
    offer("1.00", "setup.exe", "MZ");
    serve("/softs/veilsp/Pass.txt", "1.01\r\nPlease read this.\r\n0");
    check();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Please read this.", "已经是官方最新版本了！"}));
    program.dialogs.clear();
    for (int i = 0; i < 5; ++i) {
        program.forms.advance(1000);
        sim.internet.runAll();
    }
    EXPECT_EQ(texts(), std::vector<std::string>{"Please read this."});
    EXPECT_FALSE(sim.shell.ended);
    EXPECT_TRUE(frmain().cmdStart.enabled());
}

TEST_F(UpdateCheckTest, MandatoryNoticeRestoresOpensTheProductPageAndEnds) {
    serve("/softs/veilsp/Pass.txt", "1.01\r\nYou must update.\r\n1\r\n");
    auto peer = sim.desktop.open({.className = "Peer", .title = "Report", .processId = 77});
    frmain().frmtray.raiseClick();
    frmain().Command7.raiseClick();  // the one-key hide
    ASSERT_FALSE(sim.desktop.find(peer)->visible);
    ASSERT_TRUE(sim.notifyIcon.present());
    ASSERT_FALSE(sim.hotKeys.atoms().empty());
    program.forms.advance(1000);
    sim.internet.runAll();
    EXPECT_EQ(texts(), std::vector<std::string>{"You must update."});
    EXPECT_TRUE(sim.desktop.find(peer)->visible);
    EXPECT_EQ(sim.desktop.find(peer)->title, "Report");
    EXPECT_FALSE(sim.notifyIcon.present()) << "no ghost icon after the program is gone";
    EXPECT_TRUE(sim.hotKeys.registrations().empty());
    EXPECT_TRUE(sim.hotKeys.atoms().empty());
    ASSERT_EQ(sim.shell.started.size(), 1u);
    EXPECT_EQ(sim.shell.started[0].commandLine,
              "\"C:\\Windows\\explorer.exe\" " + std::string(app::kServerBase) + "/veilsp.html");
    EXPECT_EQ(sim.shell.started[0].show, platform::ShowCommand::Maximized);
    EXPECT_TRUE(sim.shell.ended);
}

TEST_F(UpdateCheckTest, MandatoryNoticeWaitsUntilTheBlackScreenIsUnlocked) {
    serve("/softs/veilsp/Pass.txt", "1.01\r\nYou must update.\r\n1");
    frmain().Command6.raiseClick();
    for (int i = 0; i < 3; ++i) {
        program.forms.advance(1000);
        sim.internet.runAll();
    }
    EXPECT_TRUE(texts().empty());
    EXPECT_FALSE(sim.shell.ended);
    EXPECT_TRUE(sim.shell.started.empty());
    frmain().frmBlack.raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    frmain().frmPwd.Command1.raiseClick();  // no password set: the empty entry is right
    ASSERT_FALSE(frmain().blackScreenLocked());
    program.forms.advance(1000);
    EXPECT_EQ(texts(), std::vector<std::string>{"You must update."});
    EXPECT_TRUE(sim.shell.ended);
}

TEST_F(UpdateCheckTest, MandatoryNoticeOfACheckLockedMeanwhileWaitsForTheUnlock) {
    serve("/softs/veilsp/Pass.txt", "1.01\r\nYou must update.\r\n1");
    offer("1.02", "setup.exe", "MZ");
    frmain().cmdStart.raiseClick();
    frmain().Command6.raiseClick();  // locked while the server answers
    sim.internet.runAll();
    program.forms.advance(3000);
    EXPECT_FALSE(sim.shell.ended);
    frmain().frmBlack.raiseMouseUp(ui::MouseButton::Left, 0, 10, 10);
    frmain().frmPwd.Command1.raiseClick();
    ASSERT_FALSE(frmain().blackScreenLocked());
    program.forms.advance(1000);
    EXPECT_TRUE(sim.shell.ended);
}

TEST_F(UpdateCheckTest, MandatoryNoticeInTheCheckEndsWithoutItsText) {
    offer("1.02", "setup.exe", "MZ");
    serve("/softs/veilsp/Pass.txt", "1.01\r\nYou must update.\r\n1");
    check();
    EXPECT_TRUE(texts().empty());
    EXPECT_EQ(sim.shell.started.size(), 1u);
    EXPECT_TRUE(sim.shell.ended);
}

TEST_F(UpdateCheckTest, NoServerBadFilesAndFailedDownloadsSayUnreachableNoticeStaysSilent) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
    };
    const std::string base = app::kServerBase;
    const Case cases[] = {
        {"no server", [&] { sim.internet.answers.clear(); }},
        {"no Update.txt", [&] { serve("/softs/veilsp/Update.txt", "", 404); }},
        {"one line end", [&] { serve("/softs/veilsp/Update.txt", "1.01\r\nsetup.exe"); }},
        {"version text", [&] { offer("1.01 beta", "setup.exe", "MZ"); }},
        {"path in name", [&] { offer("1.01", "..\\..\\Startup\\run.exe", "MZ"); }},
        {"url in name", [&] { offer("1.01", "x.exe?u=http:", "MZ"); }},
        {"bad Pass.txt",
         [&] { offer("1.01", "s.exe", "MZ"), serve("/softs/veilsp/Pass.txt", "x"); }},
        {"exe 404",
         [&] { offer("1.01", "s.exe", "MZ"), serve("/softs/veilsp/s.exe", "page", 404); }},
        {"exe cut off",
         [&] {
             offer("1.01", "s.exe", std::string(9000, 'x'));
             sim.internet.answers[base + "/softs/veilsp/s.exe"].breakAfter = 4000;
         }},
        {"exe past 256 MB",
         [&] {
             offer("1.01", "s.exe", "MZ");
             sim.internet.answers[base + "/softs/veilsp/s.exe"].padTo = kMostDownloadBytes + 1;
         }},
    };
    for (const Case& c : cases) {
        serve("", "home");
        serve("/softs/veilsp/Pass.txt", "1.00\r\n\r\n0");
        c.arrange();
        program.dialogs.clear();
        program.dialogs.answerMessage(ui::mb::kAnswerYes);
        check();
        ASSERT_FALSE(texts().empty()) << c.what;
        EXPECT_EQ(texts().back(), kUnreachable) << c.what;
        EXPECT_FALSE(exists(kTemplates, "Veilor1.01.exe")) << c.what;
        EXPECT_FALSE(exists(kDesktop, "Veilor1.01.exe")) << c.what;
        for (const auto& request : sim.internet.requests)
            EXPECT_EQ(request.url.find(".."), std::string::npos) << c.what;
        expectButtonsAtRest();
        EXPECT_FALSE(sim.shell.ended) << c.what;
    }
    // The notice at start: silent for a server that is not there or a file that is bad.
    for (const char* pass : {"", "1.01 You must update 1"}) {
        serve("/softs/veilsp/Pass.txt", pass);
        program.dialogs.clear();
        frmain().Timer6.setEnabled(true);
        program.forms.advance(1000);
        sim.internet.runAll();
        EXPECT_TRUE(texts().empty()) << pass;
        EXPECT_FALSE(sim.shell.ended);
    }
}

}  // namespace
}  // namespace update
