// The window page of the real Veilor.exe against a peer program's windows: the rows the
// list shows, hide and show through the buttons, rename through the real input box, and
// a peer whose thread has stopped answering.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/driver.h"
#include "ui/control_ids.h"
#include "ui/win32/win32_dialogs.h"
#include "windows/window_peer_protocol.h"

using namespace wine_test;

namespace {

using Rows = std::vector<std::string>;

const std::string kMarker = "[隐藏] ";

std::string u8(const wchar_t* text) {
    return toUtf8(text);
}

// A title read the way Veilor reads it: without sending the window a message.
std::string titleOf(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return toUtf8(buffer);
}

int countOf(const Rows& rows, const std::string& row) {
    return static_cast<int>(std::count(rows.begin(), rows.end(), row));
}

// Every top-level window of the peer with exactly this title, in z-order.
std::vector<HWND> peerWindows(DWORD pid, const std::wstring& title) {
    return findTopWindows(WindowQuery{L"", title, pid, false});
}

class WindowPageWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        release_ = CreateEventW(nullptr, TRUE, FALSE, window_peer::kReleaseEvent);
        peer_ = Process::start(programPath(L"window_peer"));
        ASSERT_TRUE(peer_.valid());
        hung_ = waitForWindow(WindowQuery{L"", window_peer::kHungTitle, peer_.pid(), false});
        ASSERT_NE(hung_, nullptr);
        ASSERT_TRUE(pollUntil(
            [&] { return peerWindows(peer_.pid(), window_peer::kLatinTitle).size() == 1; }));

        ASSERT_TRUE(putVeilorSettings(veilorConfig()));
        veilor_ = Process::start(veilorExe());
        ASSERT_TRUE(veilor_.valid());
        main_ = waitForWindow(WindowQuery{L"", L"Veilor", veilor_.pid(), true});
        ASSERT_NE(main_, nullptr);
        list_ = controlById(main_, ui::ids::kList1);
        title_ = controlById(main_, ui::ids::kTxtWindowTitle);
        ASSERT_TRUE(list_ && title_);
        // The window manager page button shows the page and fills the list.
        ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCommand1)));
        ASSERT_TRUE(pollUntil([&] { return IsWindowVisible(list_) != FALSE; }, kDeadlineMs,
                              "the window list to be shown"));
        ASSERT_TRUE(waitForRow(u8(window_peer::kLatinTitle)));
    }

    void TearDown() override {
        SetEvent(release_);
        veilor_.terminate();
        peer_.terminate();
        CloseHandle(release_);
    }

    HWND peer(const wchar_t* title) {
        std::vector<HWND> found = peerWindows(peer_.pid(), title);
        if (found.empty()) ADD_FAILURE() << "the peer has no window titled " << u8(title);
        return found.empty() ? nullptr : found.front();
    }

    ::testing::AssertionResult waitForRow(const std::string& row, int times = 1) {
        Rows last;
        return pollUntil([&] { return countOf(last = listBoxRows(list_), row) == times; },
                         kDeadlineMs, concat(times, " row(s) \"", row, "\""),
                         [&] { return ::testing::PrintToString(last); });
    }

    // A click on a row: the list box selects it and tells its window, as for the mouse.
    ::testing::AssertionResult selectRow(const std::string& row) {
        Rows rows = listBoxRows(list_);
        auto it = std::find(rows.begin(), rows.end(), row);
        if (it == rows.end()) {
            return ::testing::AssertionFailure()
                   << "no row \"" << row << "\" among " << ::testing::PrintToString(rows);
        }
        WPARAM index = static_cast<WPARAM>(it - rows.begin());
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list_, LB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        SendMessageTimeoutW(main_, WM_COMMAND, MAKEWPARAM(ui::ids::kList1, LBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(list_), SMTO_ABORTIFHUNG, 5000, &ignored);
        return ::testing::AssertionSuccess();
    }

    // Selects a row and waits until the watcher has enabled the buttons for it.
    void selectAndWaitForButtons(const std::string& row, const std::string& expectedTitle) {
        ASSERT_TRUE(selectRow(row));
        EXPECT_TRUE(pollEquals(expectedTitle, [&] { return windowText(title_); }));
        HWND hide = controlById(main_, ui::ids::kCmdHide1);
        ASSERT_TRUE(pollUntil([&] { return IsWindowEnabled(hide) != FALSE; }, kDeadlineMs,
                              "the hide button to be enabled"));
    }

    HANDLE release_ = nullptr;
    Process peer_;
    Process veilor_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    HWND title_ = nullptr;
    HWND hung_ = nullptr;
};

TEST_F(WindowPageWineTest, ListShowsThePeersWindowsByTheRowRules) {
    Rows rows = listBoxRows(list_);
    EXPECT_EQ(countOf(rows, u8(window_peer::kLatinTitle)), 1) << ::testing::PrintToString(rows);
    EXPECT_EQ(countOf(rows, u8(window_peer::kChineseTitle)), 1) << ::testing::PrintToString(rows);
    EXPECT_EQ(countOf(rows, u8(window_peer::kDuplicateTitle)), 2) << ::testing::PrintToString(rows);
    EXPECT_EQ(countOf(rows, u8(window_peer::kDisabledTitle)), 0) << ::testing::PrintToString(rows);
    EXPECT_EQ(countOf(rows, u8(window_peer::kSelfHiddenTitle)), 0)
        << ::testing::PrintToString(rows);
    for (const std::string& row : rows) {
        EXPECT_NE(row.rfind("Veilor", 0), 0u) << "Veilor's own window is listed: " << row;
        EXPECT_NE(row, "Program Manager");
        EXPECT_FALSE(row.empty());
    }

    // "仅显示可见窗口": disabled windows are listed, marked frozen.
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kChkVisible)));
    EXPECT_TRUE(waitForRow(concat("[Frozen] ", u8(window_peer::kDisabledTitle))));
    rows = listBoxRows(list_);
    EXPECT_EQ(countOf(rows, u8(window_peer::kSelfHiddenTitle)), 0)
        << ::testing::PrintToString(rows);
    EXPECT_EQ(countOf(rows, u8(window_peer::kDuplicateTitle)), 2) << ::testing::PrintToString(rows);

    ASSERT_TRUE(selectRow(concat("[Frozen] ", u8(window_peer::kDisabledTitle))));
    EXPECT_TRUE(pollEquals(u8(window_peer::kDisabledTitle), [&] { return windowText(title_); }));
}

TEST_F(WindowPageWineTest, HideMarksAndHidesThePeerWindowAndShowRestoresIt) {
    HWND chinese = peer(window_peer::kChineseTitle);
    ASSERT_NE(chinese, nullptr);
    const std::string title = u8(window_peer::kChineseTitle);
    selectAndWaitForButtons(title, title);

    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdHide1)));
    EXPECT_TRUE(pollEquals(concat(kMarker, title), [&] { return titleOf(chinese); }));
    EXPECT_TRUE(pollUntil([&] { return !IsWindowVisible(chinese); }, kDeadlineMs,
                          "the peer window to be hidden"));
    EXPECT_TRUE(waitForRow(concat(kMarker, title)));
    EXPECT_TRUE(pollEquals(std::string(), [&] { return windowText(title_); }));

    selectAndWaitForButtons(concat(kMarker, title), concat(kMarker, title));
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdShow1)));
    EXPECT_TRUE(pollEquals(title, [&] { return titleOf(chinese); }));
    EXPECT_TRUE(pollUntil([&] { return IsWindowVisible(chinese) != FALSE; }, kDeadlineMs,
                          "the peer window to be shown again"));
    EXPECT_TRUE(waitForRow(title));
}

TEST_F(WindowPageWineTest, RenameThroughTheInputBoxRetitlesThePeerWindow) {
    HWND latin = peer(window_peer::kLatinTitle);
    ASSERT_NE(latin, nullptr);
    const std::string title = u8(window_peer::kLatinTitle);
    selectAndWaitForButtons(title, title);

    // Posted: the click opens a modal box and returns only once it is answered. The box is
    // shown only after its controls exist and hold their texts, so wait for it to be visible.
    PostMessageW(controlById(main_, ui::ids::kCmdRename), BM_CLICK, 0, 0);
    HWND box = waitForWindow(WindowQuery{L"#32770", L"窗体重命名", veilor_.pid(), true});
    ASSERT_NE(box, nullptr);
    HWND edit = GetDlgItem(box, ui::win32::kInputBoxEditId);
    EXPECT_EQ(windowText(GetDlgItem(box, ui::win32::kInputBoxPromptId)), "请输入新的名称：");
    EXPECT_EQ(windowText(edit), title);
    const std::wstring renamed = L"改名后的窗口 Renamed";
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(renamed.c_str()));
    ASSERT_TRUE(clickButton(GetDlgItem(box, IDOK)));

    EXPECT_TRUE(pollEquals(toUtf8(renamed), [&] { return titleOf(latin); }));
    EXPECT_TRUE(waitForRow(toUtf8(renamed)));
    EXPECT_TRUE(waitForRow(title, 0));
}

TEST_F(WindowPageWineTest, PeerThatStoppedAnsweringIsLeftShownAndVeilorKeepsAnswering) {
    const std::string title = u8(window_peer::kHungTitle);
    PostMessageW(hung_, window_peer::kBlockMessage, 0, 0);
    ASSERT_TRUE(pollUntil(
        [&] {
            DWORD_PTR r = 0;
            return !SendMessageTimeoutW(hung_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &r);
        },
        kDeadlineMs, "the peer's blocking window to stop answering"));

    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdRefresh1)));
    ASSERT_TRUE(waitForRow(title));
    selectAndWaitForButtons(title, title);
    const DWORD started = GetTickCount();
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdHide1), 5000));
    EXPECT_LT(GetTickCount() - started, 3000u) << "hiding waited on the blocked window";

    DWORD_PTR r = 0;
    EXPECT_TRUE(SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r))
        << "Veilor stopped answering";
    EXPECT_TRUE(waitForRow(title));

    // Once its thread wakes, the window has handled whatever Veilor sent it by the time
    // it answers: it must still be shown and unmarked.
    SetEvent(release_);
    ASSERT_TRUE(pollUntil(
        [&] { return SendMessageTimeoutW(hung_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r) != 0; },
        kDeadlineMs, "the peer's window to answer again"));
    EXPECT_TRUE(IsWindowVisible(hung_)) << "a window whose title could not be marked was hidden";
    EXPECT_EQ(titleOf(hung_), title);
}

// The program takes the marker only after Veilor has given up waiting and shown the
// window again; once it answers, Veilor takes the late marker off.
TEST_F(WindowPageWineTest, MarkerThatArrivesAfterTheTimeOutIsTakenOff) {
    Process slowPeer = Process::start(programPath(L"window_peer"), L"slowtitle");
    ASSERT_TRUE(slowPeer.valid());
    const std::string title = u8(window_peer::kSlowTitleName);
    HWND slow = waitForWindow(WindowQuery{L"", window_peer::kSlowTitleName, slowPeer.pid(), true});
    ASSERT_NE(slow, nullptr);
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdRefresh1)));
    ASSERT_TRUE(waitForRow(title));
    selectAndWaitForButtons(title, title);

    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdHide1), 5000));
    const std::string marked = concat(kMarker, title);
    ASSERT_TRUE(pollEquals(marked, [&] { return titleOf(slow); }))
        << "the peer never took the marker late, so this proves nothing";
    EXPECT_TRUE(pollEquals(title, [&] { return titleOf(slow); }));
    EXPECT_TRUE(IsWindowVisible(slow));
    // It stays so: nothing else was on its way.
    EXPECT_FALSE(pollUntil([&] { return titleOf(slow) != title; }, 2000));
    slowPeer.terminate();
}

// The list follows the desktop as it changes, without anyone pressing refresh. Wine tells of
// a window that opens, not of one that closes: that one is found by the comparison of the
// window set, which backs off to once a second while nothing changes.
TEST_F(WindowPageWineTest, VisibleOnly_AnOpenedWindowIsListedWithin200msAClosedOneGoesWithin1s) {
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kChkVisible)));
    ASSERT_TRUE(waitForRow(concat("[Frozen] ", u8(window_peer::kDisabledTitle))));
    const std::wstring title = L"Opening Peer 新窗口";
    Rows last;
    auto rowsOf = [&](int times) {
        return [&, times] { return countOf(last = listBoxRows(list_), toUtf8(title)) == times; };
    };
    auto lastRows = [&] { return ::testing::PrintToString(last); };

    HWND opened =
        CreateWindowExW(0, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80, 320,
                        160, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(pollUntil(rowsOf(1), 200, "the opened window's row", lastRows));
    DestroyWindow(opened);
    EXPECT_TRUE(pollUntil(rowsOf(0), 1000, "the closed window's row to go", lastRows));
}

}  // namespace
