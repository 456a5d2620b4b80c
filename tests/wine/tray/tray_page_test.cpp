// The tray page of the real Veilor.exe against the fake shell: the rows it lists, hide
// one, hide all and show all through its buttons, checked on the shell's own toolbar,
// and the pointer sweep that follows every hide and show.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/driver.h"
#include "tray/fake_shell_client.h"
#include "tray/fake_shell_protocol.h"
#include "ui/control_ids.h"

using namespace wine_test;

namespace {

using Rows = std::vector<std::string>;

const std::string kMarker = "[隐藏] ";
const std::string kQQ = "QQ 好友在线";
const Rows kAllRows = {"Volume 音量", kQQ, "网络连接 Network", "Mail", "", "volume 音量"};

class TrayPageWineTest : public ::testing::Test {
  protected:
    void SetUp() override { startWith(programPath(L"fake_shell")); }

    void startWith(const std::wstring& shellExe) {
        shell_ = Process::start(shellExe);
        ASSERT_TRUE(shell_.valid());
        tray_ = waitForWindow(WindowQuery{fake_shell::kTrayClass, L"", shell_.pid(), true});
        ASSERT_NE(tray_, nullptr);
        // Wine's explorer has a Shell_TrayWnd too; ours is topmost, so it comes first.
        ASSERT_EQ(FindWindowW(fake_shell::kTrayClass, nullptr), tray_) << describeTopWindows();

        ASSERT_TRUE(putVeilorSettings(veilorConfig()));
        veilor_ = Process::start(veilorExe());
        ASSERT_TRUE(veilor_.valid());
        main_ = waitForWindow(WindowQuery{L"", L"Veilor", veilor_.pid(), true});
        ASSERT_NE(main_, nullptr);
        list_ = controlById(main_, ui::ids::kList2);
        title_ = controlById(main_, ui::ids::kTxtTrayTitle);
        ASSERT_TRUE(list_ && title_);
        // The tray page button shows the page and fills the list.
        ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCommand2)));
        ASSERT_TRUE(pollUntil([&] { return IsWindowVisible(list_) != FALSE; }, kDeadlineMs,
                              "the tray list to be shown"));
        ASSERT_TRUE(waitForRows(kAllRows));
    }

    void TearDown() override {
        veilor_.terminate();
        shell_.terminate();
    }

    LRESULT ask(UINT message, WPARAM wParam = 0) { return fake_shell::ask(tray_, message, wParam); }

    // The identifiers of the buttons the shell's toolbar has hidden (TB_ISBUTTONHIDDEN).
    std::vector<int> hiddenIds() {
        std::vector<int> ids;
        for (const fake_shell::Button& b : fake_shell::kButtons) {
            if (ask(fake_shell::kIsHidden, b.commandId) == 1) ids.push_back(b.commandId);
        }
        return ids;
    }

    ::testing::AssertionResult waitForHidden(const std::vector<int>& ids) {
        return pollEquals(ids, [&] { return hiddenIds(); });
    }

    ::testing::AssertionResult waitForRows(const Rows& rows) {
        return pollEquals(rows, [&] { return listBoxRows(list_); });
    }

    // A click on a row, as the mouse makes it: selected, and the list tells its window.
    ::testing::AssertionResult selectRow(int index) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list_, LB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        SendMessageTimeoutW(main_, WM_COMMAND, MAKEWPARAM(ui::ids::kList2, LBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(list_), SMTO_ABORTIFHUNG, 5000, &ignored);
        return ::testing::AssertionSuccess();
    }

    void selectAndWaitForButtons(const std::string& row) {
        Rows rows = listBoxRows(list_);
        auto it = std::find(rows.begin(), rows.end(), row);
        ASSERT_NE(it, rows.end()) << "no row \"" << row << "\" among "
                                  << ::testing::PrintToString(rows);
        ASSERT_TRUE(selectRow(static_cast<int>(it - rows.begin())));
        EXPECT_TRUE(pollEquals(row, [&] { return windowText(title_); }));
        HWND hide = controlById(main_, ui::ids::kCmdHide2);
        HWND show = controlById(main_, ui::ids::kCmdShow2);
        ASSERT_TRUE(pollUntil([&] { return IsWindowEnabled(hide) && IsWindowEnabled(show); },
                              kDeadlineMs, "the hide and show buttons to be enabled"));
    }

    LRESULT interiorPoints() const {
        return (fake_shell::kToolbarWidth - 1) * (fake_shell::kToolbarHeight - 1);
    }

    Process shell_;
    Process veilor_;
    HWND tray_ = nullptr;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    HWND title_ = nullptr;
};

TEST_F(TrayPageWineTest, ListsTheShellsButtonsAndWaitsForAChoice) {
    EXPECT_EQ(windowText(controlById(main_, ui::ids::kCmdRefresh2)), "刷新列表");
    EXPECT_EQ(windowText(controlById(main_, ui::ids::kCmdHideAll)), "隐藏全部");
    EXPECT_EQ(windowText(controlById(main_, ui::ids::kCmdShowAll)), "显示全部");
    EXPECT_FALSE(IsWindowEnabled(controlById(main_, ui::ids::kCmdHide2)));
    EXPECT_FALSE(IsWindowEnabled(controlById(main_, ui::ids::kCmdShow2)));
    EXPECT_TRUE(hiddenIds().empty());

    // The empty row can be chosen, but leaves nothing to act on.
    ASSERT_TRUE(selectRow(4));
    EXPECT_EQ(windowText(title_), "");
    selectAndWaitForButtons("Mail");
    ASSERT_TRUE(selectRow(4));
    EXPECT_TRUE(pollUntil([&] { return !IsWindowEnabled(controlById(main_, ui::ids::kCmdHide2)); },
                          kDeadlineMs, "the hide button to be disabled again"));
}

TEST_F(TrayPageWineTest, HideOneHidesBothNeighboursWithTheText_ShowOneBringsThemBack) {
    selectAndWaitForButtons(kQQ);
    ASSERT_EQ(ask(fake_shell::kResetMoves), 1);
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdHide2)));

    EXPECT_TRUE(waitForHidden({3, 2}))
        << "identifiers 3 and 2 hold the text, not positions 3 and 2";
    Rows marked = kAllRows;
    marked[1] = kMarker + kQQ;
    EXPECT_TRUE(waitForRows(marked));
    EXPECT_EQ(windowText(title_), "");
    EXPECT_TRUE(pollEquals(interiorPoints(), [&] { return ask(fake_shell::kMoveCount); }))
        << "one sweep over the toolbar after the hide";
    EXPECT_EQ(ask(fake_shell::kDistinctInteriorMoves), interiorPoints());

    selectAndWaitForButtons(kMarker + kQQ);
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdShow2)));
    EXPECT_TRUE(waitForHidden({}));
    EXPECT_TRUE(waitForRows(kAllRows));
}

TEST_F(TrayPageWineTest, HideAllHidesEveryIcon_ShowAllBringsThemBack) {
    ASSERT_EQ(ask(fake_shell::kResetMoves), 1);
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdHideAll)));
    // The empty row hides the empty button (50) and, as Wine's toolbar reads a button
    // without a string as empty, that one (60) too.
    EXPECT_TRUE(waitForHidden({40, 3, 2, 1, 0, 50, 60, 7}));
    Rows marked;
    for (const std::string& row : kAllRows)
        marked.push_back(kMarker + row);
    EXPECT_TRUE(waitForRows(marked));
    EXPECT_TRUE(pollEquals(interiorPoints(), [&] { return ask(fake_shell::kMoveCount); }));

    ASSERT_EQ(ask(fake_shell::kResetMoves), 1);
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdShowAll)));
    EXPECT_TRUE(waitForHidden({}));
    EXPECT_TRUE(waitForRows(kAllRows));
    EXPECT_TRUE(pollEquals(interiorPoints(), [&] { return ask(fake_shell::kMoveCount); }));
    EXPECT_EQ(ask(fake_shell::kMoveCount, fake_shell::kNotifyWnd), 0);
}

// Veilor ships as a 32-bit program, and on 64-bit Windows the shell is a 64-bit process
// whose toolbar keeps wider button records. The 32-bit build's run starts the fake shell of
// the 64-bit build beside it (ctest names it), which scripts/check builds first.
class WideShellTrayPageWineTest : public TrayPageWineTest {
  protected:
    void SetUp() override {
        wchar_t path[MAX_PATH * 2] = {};
        DWORD n = GetEnvironmentVariableW(L"VEILOR_WIDE_FAKE_SHELL", path, MAX_PATH * 2);
        if (n == 0 || n >= MAX_PATH * 2) GTEST_SKIP() << "this build's shell is already 64-bit";
        std::wstring shell(path, n);
        std::replace(shell.begin(), shell.end(), L'/', L'\\');
        if (!fileExists(shell)) GTEST_SKIP() << "no 64-bit build beside this one";
        startWith(shell);
    }
};

TEST_F(WideShellTrayPageWineTest, ListsHidesAndShowsTheIconsOfA64BitShell) {
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdHideAll)));
    EXPECT_TRUE(waitForHidden({40, 3, 2, 1, 0, 50, 60, 7}));
    selectAndWaitForButtons(kMarker + kQQ);
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdShow2)));
    EXPECT_TRUE(waitForHidden({40, 1, 0, 50, 60, 7})) << "identifiers 3 and 2 hold the text";
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdShowAll)));
    EXPECT_TRUE(waitForHidden({}));
    EXPECT_TRUE(waitForRows(kAllRows));
}

TEST_F(TrayPageWineTest, RefreshListsWhatTheShellHoldsNow) {
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdHideAll)));
    ASSERT_TRUE(waitForHidden({40, 3, 2, 1, 0, 50, 60, 7}));
    // Someone else shows the icons: the page still remembers which texts it hid.
    ASSERT_EQ(ask(fake_shell::kShowAll), 1);
    ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCmdRefresh2)));
    Rows marked;
    for (const std::string& row : kAllRows)
        marked.push_back(kMarker + row);
    EXPECT_TRUE(waitForRows(marked));
    EXPECT_TRUE(hiddenIds().empty()) << "a refresh only reads";
}

}  // namespace
