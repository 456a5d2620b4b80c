// Whatever the real Veilor.exe hides comes back: a window whose own program keeps
// rewriting its title, everything after Veilor was killed or crashed (by the record in the
// local application data, or one an older version left in Documents), and the taskbar and
// the desktop window at their own place and size. Real keys, against a peer program, a
// retitling peer and the fake shell.
#include <windows.h>

#include "hide_all/boss_keys.h"
#include "hide_all/desktop_scene.h"
#include "support/driver.h"
#include "ui/control_ids.h"
#include "windows/window_peer_protocol.h"

namespace {

using namespace wine_test;
using scene::DesktopScene;

constexpr wchar_t kKeyboardClass[] = L"VeilorNothingLostDriver";
constexpr char kLeftoverMessage[] = "上次退出时未能还原的窗口和图标已经还原。";

std::string titleOf(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return toUtf8(buffer);
}

bool marked(HWND window) {
    return titleOf(window).rfind(scene::kMarker, 0) == 0;
}

std::string describeRect(const RECT& r) {
    return concat("(", r.left, ", ", r.top, ") - (", r.right, ", ", r.bottom, ")");
}

// The text of a message box: its static control's.
bool boxSays(HWND box, const std::string& text) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (titleOf(child) == text) return true;
    }
    return false;
}

class NothingLostWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(keyboard_, nullptr);
        ASSERT_NO_FATAL_FAILURE(desk_.prepare(scene::defaultConfig()));
        retitler_ = Process::start(programPath(L"window_peer"), L"retitle");
        ASSERT_TRUE(retitler_.valid());
        retitling_ = waitForWindow(WindowQuery{window_peer::kClass, L"", retitler_.pid(), true});
        ASSERT_NE(retitling_, nullptr);
        ASSERT_NO_FATAL_FAILURE(desk_.startVeilor());
        ASSERT_NO_FATAL_FAILURE(keys_.waitUntilHotKeysAnswer());
    }
    void TearDown() override { DestroyWindow(keyboard_); }

    // Alt+A has put every window away, the retitling one too, and that one's program has
    // since written its own title over the marker.
    void hideEverything() {
        ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('A'));
        ASSERT_TRUE(desk_.peersHidden());
        ASSERT_TRUE(desk_.hiddenIcons(DesktopScene::kIcons));
        ASSERT_TRUE(desk_.visibility(retitling_, false, "the retitling peer"));
        ASSERT_TRUE(pollUntil([&] { return !marked(retitling_); }, kDeadlineMs,
                              "the retitling peer to write its own title over the marker",
                              [&] { return titleOf(retitling_); }));
    }
    ::testing::AssertionResult everythingBack() {
        auto peers = desk_.peersShown();
        if (!peers) return peers;
        auto icons = desk_.hiddenIcons(0);
        if (!icons) return icons;
        return desk_.visibility(retitling_, true, "the retitling peer");
    }
    // Alt+A and Alt+W, then Veilor ends without a chance to restore: the record in the
    // local application data is all that is left, and nothing of it went to Documents.
    void hideAllAndTaskbarThenKill() {
        ASSERT_NO_FATAL_FAILURE(hideEverything());
        ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('W'));
        ASSERT_TRUE(desk_.visibility(desk_.taskbar(), false, "the taskbar"));
        ASSERT_TRUE(fileExists(veilorRecordFile())) << toUtf8(veilorRecordFile());
        EXPECT_FALSE(fileExists(olderVeilorRecordFile()));
        desk_.veilor().terminate();  // TerminateProcess: no exit of any kind runs
        EXPECT_TRUE(desk_.peersHidden()) << "nothing but Veilor brings them back";
    }
    // The next start brings all of it back while its message still waits for an answer,
    // and leaves no record behind.
    void restartAndFindEverythingBack() {
        ASSERT_NO_FATAL_FAILURE(desk_.startVeilor());
        HWND box = waitForWindow(WindowQuery{L"#32770", L"Veilor", desk_.veilor().pid(), true});
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(boxSays(box, kLeftoverMessage)) << describeWindow(box);
        EXPECT_TRUE(everythingBack());
        EXPECT_TRUE(desk_.visibility(desk_.taskbar(), true, "the taskbar"));
        EXPECT_TRUE(IsWindowVisible(desk_.main())) << "the main window is up behind the message";
        ASSERT_TRUE(clickButton(GetDlgItem(box, IDOK)));
        EXPECT_TRUE(pollUntil([&] { return !IsWindow(box); }));
        EXPECT_FALSE(fileExists(veilorRecordFile()));
        EXPECT_FALSE(fileExists(olderVeilorRecordFile()));
    }

    DesktopScene desk_;
    HWND keyboard_ = openKeyboardWindow(kKeyboardClass);
    scene::BossKeys keys_{desk_, keyboard_};
    Process retitler_;
    HWND retitling_ = nullptr;
};

TEST_F(NothingLostWineTest, RetitlingWindowComesBackByAltRAndByExit) {
    ASSERT_NO_FATAL_FAILURE(hideEverything());
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('R'));
    EXPECT_TRUE(everythingBack());
    EXPECT_FALSE(marked(retitling_)) << titleOf(retitling_);

    ASSERT_NO_FATAL_FAILURE(hideEverything());
    // Exit asks nothing with these settings, and restores before the program ends.
    ASSERT_TRUE(clickButton(desk_.control(ui::ids::kFrmUnload), 30000));
    ASSERT_TRUE(desk_.veilor().waitExit());
    EXPECT_TRUE(everythingBack());
    EXPECT_FALSE(fileExists(veilorRecordFile())) << "an exit that restored leaves no record behind";
}

TEST_F(NothingLostWineTest, KilledVeilor_NextStartRestoresWindowsTaskbarAndIcons) {
    ASSERT_NO_FATAL_FAILURE(hideAllAndTaskbarThenKill());
    ASSERT_NO_FATAL_FAILURE(restartAndFindEverythingBack());

    // The new run works as any: its boss key hides again.
    ASSERT_NO_FATAL_FAILURE(hideEverything());
}

TEST_F(NothingLostWineTest, RecordAnOlderVersionLeftInDocuments_IsRestoredAndRemoved) {
    ASSERT_NO_FATAL_FAILURE(hideAllAndTaskbarThenKill());
    // Older versions kept the same record beside the settings file.
    ASSERT_TRUE(MoveFileW(veilorRecordFile().c_str(), olderVeilorRecordFile().c_str()))
        << GetLastError();

    ASSERT_NO_FATAL_FAILURE(restartAndFindEverythingBack());
}

// Only the interface thread may touch the windows and the record: a crash elsewhere could
// have caught it half-way. The dying Veilor leaves it all to the next start.
TEST_F(NothingLostWineTest, CrashOnAnotherThread_NextStartRestores) {
    ASSERT_NO_FATAL_FAILURE(hideEverything());

    // A thread of Veilor's own that jumps nowhere: the process dies of it.
    HANDLE thread =
        CreateRemoteThread(desk_.veilor().handle(), nullptr, 0,
                           reinterpret_cast<LPTHREAD_START_ROUTINE>(static_cast<ULONG_PTR>(0x10)),
                           nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr) << GetLastError();
    CloseHandle(thread);

    ASSERT_TRUE(desk_.veilor().waitExit(60000));
    EXPECT_TRUE(desk_.peersHidden()) << "the crashing thread restored nothing";
    ASSERT_TRUE(fileExists(veilorRecordFile()));
    ASSERT_NO_FATAL_FAILURE(restartAndFindEverythingBack());
}

TEST_F(NothingLostWineTest, TaskbarAndDesktopWindowKeepTheirPlaceAndSize) {
    for (HWND part : {desk_.taskbar(), desk_.progman()}) {
        RECT before{};
        GetWindowRect(part, &before);
        const char letter = part == desk_.taskbar() ? 'W' : 'I';
        ASSERT_NO_FATAL_FAILURE(keys_.pressAlt(letter));
        ASSERT_TRUE(desk_.visibility(part, false, describeWindow(part)));
        ASSERT_NO_FATAL_FAILURE(keys_.pressAlt(letter));
        ASSERT_TRUE(desk_.visibility(part, true, describeWindow(part)));
        RECT after{};
        EXPECT_TRUE(
            pollUntil([&] { return GetWindowRect(part, &after) && EqualRect(&after, &before); },
                      2000, concat(describeWindow(part), " at ", describeRect(before)),
                      [&] { return describeRect(after); }));
    }
}

}  // namespace
