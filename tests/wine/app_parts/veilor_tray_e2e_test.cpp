// The real Veilor.exe under Wine: minimising to the notification area and back through
// its own icon, starting minimised, and the start-with-Windows entry.
#include <windows.h>

#include <optional>
#include <string>

#include "app_parts_support.h"
#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace wine_test;
using app_parts_test::shellHasIcon;

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr UINT kIconId = 0;
constexpr UINT kCallback = 2025;

std::string config(const char* startRun, const char* startMini, const char* endMsg) {
    return concat("[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n2=84,0,-1,0\r\n3=87,0,-1,0\r\n",
                  "4=82,0,-1,0\r\n5=66,0,-1,0\r\n6=73,0,-1,0\r\n[Config]\r\nStartRun=", startRun,
                  "\r\nStartMini=", startMini, "\r\nEndMini=0\r\nBlackPwd=\r\nEndMsg=", endMsg,
                  "\r\n");
}

// The full path Windows knows the running program by.
std::wstring imagePath(const Process& process) {
    wchar_t path[MAX_PATH * 4] = {};
    DWORD size = MAX_PATH * 4;
    QueryFullProcessImageNameW(process.handle(), 0, path, &size);
    return std::wstring(path, size);
}

class VeilorTray : public ::testing::Test {
  protected:
    void SetUp() override {
        savedRun_ = runValue();
        savedMachineRun_ = runValue(HKEY_LOCAL_MACHINE);
    }
    void TearDown() override {
        veilor_.terminate();
        for (auto [root, saved] : {std::pair{HKEY_CURRENT_USER, &savedRun_},
                                   std::pair{HKEY_LOCAL_MACHINE, &savedMachineRun_}}) {
            if (*saved) {
                putRunValue(**saved, root);
            } else {
                RegDeleteKeyValueW(root, kRunKey, L"Veilor");
            }
        }
    }
    // Starts the program and finds its main window, shown or not.
    HWND start(const std::string& settings) {
        if (::testing::AssertionResult put = putVeilorSettings(settings); !put) {
            ADD_FAILURE() << put.message();
            return nullptr;
        }
        veilor_ = Process::start(veilorExe());
        if (!veilor_.valid()) return nullptr;
        main_ = waitForWindow({L"", L"Veilor", veilor_.pid(), false});
        return main_;
    }
    // The program's own icon window: hidden, untitled, of its own class.
    HWND iconWindow() { return findTopWindow({L"VeilorNotifyIconWindow", L"", veilor_.pid()}); }
    bool iconShown() {
        HWND window = iconWindow();
        return window && shellHasIcon(window, kIconId);
    }
    ::testing::AssertionResult shownNormally() {
        return pollUntil([&] { return IsWindowVisible(main_) && !IsIconic(main_); }, kDeadlineMs,
                         "the main window shown in normal state",
                         [&] { return describeWindow(main_); });
    }
    ::testing::AssertionResult inTheTray() {
        return pollUntil([&] { return !IsWindowVisible(main_) && iconShown(); }, kDeadlineMs,
                         "the main window hidden with its icon in the notification area",
                         [&] {
                             return concat(describeWindow(main_), "; icon window ",
                                           describeWindow(iconWindow()), " shown ", iconShown());
                         });
    }

    Process veilor_;
    HWND main_ = nullptr;
    std::optional<std::wstring> savedRun_;
    std::optional<std::wstring> savedMachineRun_;
};

TEST_F(VeilorTray, MinimiseToTheTrayAndALeftClickOnTheIconBringsItBack) {
    ASSERT_NE(start(config("0", "0", "1")), nullptr);
    ASSERT_TRUE(shownNormally());
    EXPECT_FALSE(iconShown()) << "an icon while the window is normal";
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kFrmTray)));
    ASSERT_TRUE(inTheTray());

    PostMessageW(iconWindow(), kCallback, kIconId, WM_MOUSEMOVE);
    PostMessageW(iconWindow(), kCallback, kIconId, WM_LBUTTONUP);
    EXPECT_TRUE(shownNormally());
    EXPECT_TRUE(pollUntil([&] { return !iconShown(); }, kDeadlineMs, "the icon to go"));

    // And again: nothing of the first trip sticks.
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kFrmTray)));
    EXPECT_TRUE(inTheTray());
}

TEST_F(VeilorTray, StartMiniStartsHiddenInTheTray) {
    ASSERT_NE(start(config("0", "1", "1")), nullptr);
    ASSERT_TRUE(inTheTray());
    PostMessageW(iconWindow(), kCallback, kIconId, WM_LBUTTONUP);
    EXPECT_TRUE(shownNormally());
}

TEST_F(VeilorTray, StartRunNamesTheRunningExecutable_OffDeletesIt) {
    putRunValue(L"C:\\Older Version\\Veilor.exe", HKEY_LOCAL_MACHINE);
    ASSERT_NE(start(config("1", "0", "1")), nullptr);
    const std::wstring exe = imagePath(veilor_);
    const std::wstring expected = exe.find(L' ') == std::wstring::npos ? exe : L"\"" + exe + L"\"";
    EXPECT_TRUE(pollEquals(toUtf8(expected), [] { return toUtf8(runValue().value_or(L"")); }));
    EXPECT_FALSE(runValue(HKEY_LOCAL_MACHINE).has_value()) << "the older version's entry stays";
    veilor_.terminate();

    putRunValue(L"C:\\Older Version\\Veilor.exe");
    ASSERT_NE(start(config("0", "0", "1")), nullptr);
    EXPECT_TRUE(pollUntil([] { return !runValue().has_value(); }, kDeadlineMs,
                          "the Run value to be deleted",
                          [] { return toUtf8(runValue().value_or(L"")); }));
}

void pressKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

TEST_F(VeilorTray, RightClickMenuOpensTheAboutBoxFromItsHelpSubmenu) {
    ASSERT_NE(start(config("0", "1", "1")), nullptr);
    ASSERT_TRUE(inTheTray());
    PostMessageW(iconWindow(), kCallback, kIconId, WM_RBUTTONUP);
    HWND menuWindow = waitForWindow({L"#32768", L"", veilor_.pid(), true});
    ASSERT_NE(menuWindow, nullptr);
    // Wine keeps a menu's items in its own process, so the order is read in-process by the
    // component test; here the keyboard walks it as a user would.
    // Into the help submenu, whose first item is the About box.
    pressKey(VK_DOWN);
    pressKey(VK_RIGHT);
    pressKey(VK_RETURN);
    HWND about = waitForWindow({L"", L"关于 Veilor", veilor_.pid(), true});
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(windowText(controlById(about, ui::ids::kAboutLblVersion)), "版本 V1.0 正式版");
    // The main window stays where it was: in the notification area.
    EXPECT_FALSE(IsWindowVisible(main_));
    EXPECT_TRUE(iconShown());
    ASSERT_TRUE(clickButton(controlById(about, ui::ids::kAboutCmdOK)));
    EXPECT_TRUE(pollUntil([&] { return !IsWindowVisible(about); }, kDeadlineMs, "OK to hide it"));
}

TEST_F(VeilorTray, ExitWithEndMsgEndsWithoutAQuestion) {
    ASSERT_NE(start(config("0", "0", "1")), nullptr);
    ASSERT_TRUE(shownNormally());
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kFrmUnload)));
    // A question would keep it running until someone answered.
    EXPECT_TRUE(veilor_.waitExit());
}

}  // namespace
