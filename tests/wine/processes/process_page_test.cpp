// The process page of the real Veilor.exe against peer processes: the rows it lists for a
// peer of its own bitness and one of the other (a 64-bit peer under the 32-bit product),
// and ending a peer through the list, the button and the real question.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/driver.h"
#include "support/list_view.h"
#include "ui/control_ids.h"

using namespace wine_test;

namespace {

constexpr int kColumns = 3;

std::string idText(DWORD pid) {
    char text[32];
    std::snprintf(text, sizeof text, "%lu(&H%lX)", static_cast<unsigned long>(pid),
                  static_cast<unsigned long>(pid));
    return text;
}

// The path as the system spells it: backslashes, nothing relative. Letter case may differ
// between what the loader and the file system report, so compare folded.
std::string fullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH * 2] = {};
    GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    CharLowerW(full);
    return toUtf8(full);
}

std::string folded(const std::string& text) {
    std::wstring wide = toWide(text);
    CharLowerW(wide.data());
    return toUtf8(wide);
}

// Set by the scripts where the kernel refuses 32-bit code: Wine cannot start a 32-bit peer.
bool machineRunsNo32BitCode() {
    return GetEnvironmentVariableW(L"VEILOR_NO_I386", nullptr, 0) != 0;
}

// The other build's peer, when that build sits beside this one and can run here.
std::optional<std::wstring> otherBitnessPeer() {
    if (sizeof(void*) == 8 && machineRunsNo32BitCode()) return std::nullopt;
    wchar_t path[MAX_PATH * 2] = {};
    DWORD n = GetEnvironmentVariableW(L"VEILOR_OTHER_PROCESS_PEER", path, MAX_PATH * 2);
    if (n == 0 || n >= MAX_PATH * 2) return std::nullopt;
    std::wstring peer(path, n);
    std::replace(peer.begin(), peer.end(), L'/', L'\\');
    if (!fileExists(peer)) return std::nullopt;
    return peer;
}

struct Peer {
    Process process;
    std::wstring path;
};

class ProcessPageWineTest : public ::testing::Test {
  protected:
    Peer startPeer(const std::wstring& path) {
        Peer peer{Process::start(path), path};
        EXPECT_TRUE(peer.process.valid());
        // Up and idle: its modules are loaded by the time Veilor takes its snapshot.
        EXPECT_EQ(WaitForInputIdle(peer.process.handle(), kDeadlineMs), 0u);
        return peer;
    }

    void startVeilor() {
        ASSERT_TRUE(putVeilorSettings(veilorConfig()));
        veilor_ = Process::start(veilorExe());
        ASSERT_TRUE(veilor_.valid());
        main_ = waitForWindow(WindowQuery{L"", L"Veilor", veilor_.pid(), true});
        ASSERT_NE(main_, nullptr);
        list_ = controlById(main_, ui::ids::kListView1);
        end_ = controlById(main_, ui::ids::kCommand12);
        ASSERT_TRUE(list_ && end_);
        ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCommand3)));
        ASSERT_TRUE(pollUntil([&] { return IsWindowVisible(list_) != FALSE; }, kDeadlineMs,
                              "the process list to be shown"));
    }

    void TearDown() override { veilor_.terminate(); }

    std::vector<ListViewRow> rows() { return listViewRows(list_, kColumns); }

    // The row of the process with that id; fails the test when there is none.
    std::optional<int> rowOf(DWORD pid) {
        const std::vector<ListViewRow> all = rows();
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i][1] == idText(pid)) return static_cast<int>(i);
        }
        return std::nullopt;
    }

    void expectListed(const Peer& peer) {
        std::optional<int> row = rowOf(peer.process.pid());
        ASSERT_TRUE(row) << "no row for " << idText(peer.process.pid()) << " among "
                         << ::testing::PrintToString(rows());
        const ListViewRow cells = rows()[*row];
        EXPECT_EQ(cells[0], "process_peer.exe");
        EXPECT_EQ(folded(cells[2]), fullPath(peer.path)) << "as listed: " << cells[2];
    }

    Process veilor_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    HWND end_ = nullptr;
};

TEST_F(ProcessPageWineTest, ListsPeersOfBothBitnessesWithIdsAndFullPaths) {
    Peer own = startPeer(programPath(L"process_peer"));
    std::optional<std::wstring> otherPath = otherBitnessPeer();
    Peer other;
    if (otherPath) other = startPeer(*otherPath);
    ASSERT_NO_FATAL_FAILURE(startVeilor());

    EXPECT_EQ(listViewColumns(list_), std::vector<std::string>({"进程名", "进程ID", "路径"}));
    EXPECT_EQ(windowText(controlById(main_, ui::ids::kCommand11)), "刷新");
    EXPECT_EQ(windowText(end_), "结束进程");
    EXPECT_FALSE(IsWindowEnabled(end_)) << "nothing picked yet";
    ASSERT_NO_FATAL_FAILURE(expectListed(own));
    std::optional<int> self = rowOf(veilor_.pid());
    ASSERT_TRUE(self);
    EXPECT_EQ(rows()[*self][0], "Veilor.exe");
    if (!otherPath) {
        GTEST_SKIP() << "no peer of the other bitness that can run here (not built beside "
                        "this one, or a 32-bit peer where the machine cannot run 32-bit code)";
    }
    ASSERT_NO_FATAL_FAILURE(expectListed(other));
}

TEST_F(ProcessPageWineTest, PickingThePeerAndAnsweringYesEndsIt) {
    Peer peer = startPeer(programPath(L"process_peer"));
    ASSERT_NO_FATAL_FAILURE(startVeilor());
    std::optional<int> row = rowOf(peer.process.pid());
    ASSERT_TRUE(row);
    std::optional<POINT> point = listViewRowPoint(list_, *row);
    ASSERT_TRUE(point);
    ASSERT_TRUE(clickAtPoint(*point, list_));
    ASSERT_TRUE(pollUntil([&] { return IsWindowEnabled(end_) != FALSE; }, kDeadlineMs,
                          "the end button to be enabled by the click"));

    // Posted: the click opens a modal question and returns only once it is answered.
    PostMessageW(end_, BM_CLICK, 0, 0);
    HWND box = waitForWindow(WindowQuery{L"#32770", L"Veilor", veilor_.pid(), true});
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(windowText(GetDlgItem(box, 0xFFFF)), "确实要结束进程[process_peer.exe]吗？");
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "Yes and No only";
    ASSERT_TRUE(clickButton(GetDlgItem(box, IDYES)));

    EXPECT_TRUE(peer.process.waitExit());
    EXPECT_EQ(peer.process.exitCode(), std::optional<DWORD>(0));
    HWND label = controlById(main_, ui::ids::kLabel10);
    EXPECT_TRUE(pollEquals(std::string("进程[process_peer.exe]已经被终止！"),
                           [&] { return windowText(label); }));
    EXPECT_FALSE(rowOf(peer.process.pid())) << "the refill no longer lists it";
    EXPECT_FALSE(IsWindowEnabled(end_));
    EXPECT_TRUE(rowOf(veilor_.pid()));
    holdForScreenshot();
}

}  // namespace
