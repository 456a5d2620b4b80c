#include "app/main_tray.h"

#include <gtest/gtest.h>

#include "app/constants.h"
#include "parts_fixture.h"

namespace {

using platform::mouse::kLeftUp;
using platform::mouse::kRightUp;
using ui::WindowState;

// The main window's part in the icon's life, as the main window does it: minimised means
// hidden with an icon titled Veilor, any return to normal takes the icon away.
class MainTrayTest : public ::testing::Test {
  protected:
    MainTrayTest() {
        tray.hooks.showAbout = [this] { calls.push_back("about"); };
        tray.hooks.showTaskbar = [this] { calls.push_back("taskbar"); };
        tray.hooks.unloadMain = [this] {
            calls.push_back("unload");
            return window.unload();
        };
        window.onResize = [this] {
            if (window.windowState() != WindowState::Minimized) {
                tray.DelTrayIcon();
                return;
            }
            window.hide();
            tray.AddTrayIcon();
            tray.SetTrayTip(app::kTitle);
        };
        window.show();
    }
    void minimiseToTray() { window.setWindowState(WindowState::Minimized); }
    platform::sim::SimNotifyIcon& icon() { return p.sim.notifyIcon; }

    app_parts_test::SimParts p;
    ui::Form window{p.forms, 1000, "frmain"};
    app::MainTray tray{p.sim.notifyIcon, p.sim.shell, p.sim.environment, window};
    std::vector<std::string> calls;
};

TEST_F(MainTrayTest, MinimisedShowsOneIconWithTheTitle_NormalShowsNone) {
    EXPECT_FALSE(icon().present());
    minimiseToTray();
    EXPECT_TRUE(icon().present());
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(icon().tip(), "Veilor");
    // Asked again while it is there, the user still sees one icon.
    tray.AddTrayIcon();
    EXPECT_EQ(icon().addCount(), 1);
}

TEST_F(MainTrayTest, LeftButtonUpRestoresAndShowsTheWindowAndTheIconGoes) {
    minimiseToTray();
    icon().sendMouse(kLeftUp);
    EXPECT_EQ(window.windowState(), WindowState::Normal);
    EXPECT_TRUE(window.visible());
    EXPECT_FALSE(icon().present());
    EXPECT_EQ(icon().removeCount(), 1);
}

TEST_F(MainTrayTest, OtherMouseMessagesDoNothing) {
    minimiseToTray();
    for (int msg : {platform::mouse::kMove, platform::mouse::kLeftDown,
                    platform::mouse::kLeftDoubleClick, platform::mouse::kRightDown, 0x207, 0x208}) {
        icon().sendMouse(msg);
        EXPECT_EQ(window.windowState(), WindowState::Minimized) << "message " << msg;
        EXPECT_FALSE(window.visible()) << "message " << msg;
        EXPECT_TRUE(icon().present()) << "message " << msg;
    }
    EXPECT_EQ(p.forms.menusShown(), 0);
}

TEST_F(MainTrayTest, RightButtonUpPopsUpTheMenuInOrder) {
    minimiseToTray();
    icon().sendMouse(kRightUp);
    ASSERT_EQ(p.forms.menusShown(), 1);
    EXPECT_EQ(p.forms.lastMenuCaptions(),
              (std::vector<std::string>{"帮助(H)", "-", "显示Veilor(O)", "退出(X)"}));
    std::vector<ui::MenuItem> menu = tray.mnu_file();
    std::vector<std::string> help;
    for (const ui::MenuItem& item : menu[0].subItems) {
        help.push_back(item.separator ? "-" : item.caption);
    }
    EXPECT_EQ(help, (std::vector<std::string>{"关于(A)..", "-", "联机帮助(H)"}));
    // Nothing chosen: the window stays in the notification area.
    EXPECT_TRUE(icon().present());
    EXPECT_FALSE(window.visible());
}

TEST_F(MainTrayTest, MenuShowRestoresTheWindowAndRemovesTheIcon) {
    minimiseToTray();
    p.forms.chooseNextMenuItem({"显示Veilor(O)"});
    icon().sendMouse(kRightUp);
    EXPECT_EQ(window.windowState(), WindowState::Normal);
    EXPECT_TRUE(window.visible());
    EXPECT_FALSE(icon().present());
}

TEST_F(MainTrayTest, MenuShowDoesNothingWhenTheWindowIsNotMinimised) {
    window.hide();  // hidden by its own hide button: no icon, not minimised
    tray.mnu_Show();
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(window.windowState(), WindowState::Normal);
}

TEST_F(MainTrayTest, MenuAboutAndOnlineHelp) {
    minimiseToTray();
    p.forms.chooseNextMenuItem({"帮助(H)", "关于(A).."});
    icon().sendMouse(kRightUp);
    EXPECT_EQ(calls, (std::vector<std::string>{"about"}));
    p.forms.chooseNextMenuItem({"帮助(H)", "联机帮助(H)"});
    icon().sendMouse(kRightUp);
    ASSERT_EQ(p.sim.shell.started.size(), 1u);
    EXPECT_EQ(p.sim.shell.started[0].commandLine, "\"C:\\Windows\\explorer.exe\" " +
                                                      std::string(app::kServerBase) +
                                                      "/softs/veilsp/faq_veilsp.html");
    EXPECT_EQ(p.sim.shell.started[0].show, platform::ShowCommand::Maximized);
    // Neither takes the window out of the notification area.
    EXPECT_TRUE(icon().present());

    // Without the Windows folder there is no full path, and a bare "explorer" could be
    // any explorer.exe: nothing is started.
    p.sim.environment.folders.erase(platform::SpecialFolder::Windows);
    p.forms.chooseNextMenuItem({"帮助(H)", "联机帮助(H)"});
    icon().sendMouse(kRightUp);
    EXPECT_EQ(p.sim.shell.started.size(), 1u);
}

TEST_F(MainTrayTest, MenuExitRemovesTheIconShowsTheTaskbarThenUnloads) {
    bool iconDuringUnload = true;
    window.onUnload = [&](bool&) { iconDuringUnload = icon().present(); };
    minimiseToTray();
    p.forms.chooseNextMenuItem({"退出(X)"});
    icon().sendMouse(kRightUp);
    EXPECT_EQ(calls, (std::vector<std::string>{"taskbar", "unload"}));
    EXPECT_FALSE(iconDuringUnload);
    EXPECT_FALSE(window.loaded());
    EXPECT_FALSE(icon().present());
}

TEST_F(MainTrayTest, MenuExitAnsweredNoPutsTheIconBackForTheHiddenWindow) {
    window.onUnload = [](bool& cancel) { cancel = true; };
    minimiseToTray();
    p.forms.chooseNextMenuItem({"退出(X)"});
    icon().sendMouse(kRightUp);
    EXPECT_TRUE(window.loaded());
    EXPECT_FALSE(window.visible());
    EXPECT_TRUE(icon().present());
    EXPECT_EQ(icon().tip(), "Veilor");
    // The way back still works.
    icon().sendMouse(kLeftUp);
    EXPECT_TRUE(window.visible());
    EXPECT_FALSE(icon().present());
}

TEST_F(MainTrayTest, ShellRestartKeepsTheIconWhileInTheTray) {
    minimiseToTray();
    icon().shellRestarted();
    EXPECT_TRUE(icon().present());
    EXPECT_EQ(icon().tip(), "Veilor");
    icon().sendMouse(kLeftUp);
    EXPECT_TRUE(window.visible());
}

TEST(MainTrayLifetime, TheIconDoesNotOutliveTheTray) {
    app_parts_test::SimParts p;
    ui::Form window{p.forms, 1000, "frmain"};
    {
        app::MainTray tray{p.sim.notifyIcon, p.sim.shell, p.sim.environment, window};
        tray.AddTrayIcon();
        EXPECT_TRUE(p.sim.notifyIcon.present());
    }
    EXPECT_FALSE(p.sim.notifyIcon.present());
}

TEST(TrayTip, LongerTextsAreCutAt64Characters) {
    EXPECT_EQ(app::trayTipText("Veilor"), "Veilor");
    std::string ascii(70, 'a');
    EXPECT_EQ(app::trayTipText(ascii), std::string(64, 'a'));
    EXPECT_EQ(app::trayTipText(std::string(64, 'b')), std::string(64, 'b'));
    std::string chinese;
    for (int i = 0; i < 70; ++i)
        chinese += "隐";
    EXPECT_EQ(app::trayTipText(chinese), chinese.substr(0, 64 * 3));
    // A four-byte character straddling the limit is left out whole.
    std::string edge = std::string(63, 'c') + "\xF0\x9F\x98\x80" + "d";
    EXPECT_EQ(app::trayTipText(edge), std::string(63, 'c') + "\xF0\x9F\x98\x80");
}

TEST_F(MainTrayTest, SetTrayTipShowsTheCutText) {
    minimiseToTray();
    tray.SetTrayTip(std::string(80, 'x'));
    EXPECT_EQ(icon().tip(), std::string(64, 'x'));
}

}  // namespace
