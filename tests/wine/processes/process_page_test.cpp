// The process page of the real Veilor.exe against peer processes: the rows it lists for a
// peer of its own bitness and one of the other (a 64-bit peer under the 32-bit product),
// the same paths the module walk gives, ending a peer through the list, the button and
// the real question, and the boss key answering while the list is read.
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/win32/win32_processes.h"
#include "processes/process_rows.h"
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
    // With a title, the peer shows a window so titled.
    Peer startPeer(const std::wstring& path, const std::wstring& title = L"") {
        Peer peer{Process::start(path, title), path};
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
        // Every fill lists Veilor itself.
        ASSERT_TRUE(pollUntil([&] { return rowOf(veilor_.pid()).has_value(); }, kDeadlineMs,
                              "the first rows", [&] { return ::testing::PrintToString(rows()); }));
    }

    // A peer of this build's bitness and, where one can run here, one of the other; then
    // Veilor.
    void startPeersAndVeilor() {
        own_ = startPeer(programPath(L"process_peer"));
        otherPath_ = otherBitnessPeer();
        if (otherPath_) other_ = startPeer(*otherPath_);
        ASSERT_NO_FATAL_FAILURE(startVeilor());
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
    Peer own_;
    Peer other_;
    std::optional<std::wstring> otherPath_;
};

TEST_F(ProcessPageWineTest, ListsPeersOfBothBitnessesWithIdsAndFullPaths) {
    ASSERT_NO_FATAL_FAILURE(startPeersAndVeilor());

    EXPECT_EQ(listViewColumns(list_), std::vector<std::string>({"进程名", "进程ID", "路径"}));
    EXPECT_EQ(windowText(controlById(main_, ui::ids::kCommand11)), "刷新");
    EXPECT_EQ(windowText(end_), "结束进程");
    EXPECT_FALSE(IsWindowEnabled(end_)) << "nothing picked yet";
    ASSERT_NO_FATAL_FAILURE(expectListed(own_));
    std::optional<int> self = rowOf(veilor_.pid());
    ASSERT_TRUE(self);
    EXPECT_EQ(rows()[*self][0], "Veilor.exe");
    if (!otherPath_) {
        GTEST_SKIP() << "no peer of the other bitness that can run here (not built beside "
                        "this one, or a 32-bit peer where the machine cannot run 32-bit code)";
    }
    ASSERT_NO_FATAL_FAILURE(expectListed(other_));
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
    EXPECT_TRUE(pollUntil([&] { return !rowOf(peer.process.pid()) && rowOf(veilor_.pid()); },
                          kDeadlineMs, "the refill to list Veilor but no longer the peer",
                          [&] { return ::testing::PrintToString(rows()); }));
    EXPECT_FALSE(IsWindowEnabled(end_));
    EXPECT_EQ(windowText(label), "进程[process_peer.exe]已经被终止！") << "kept by the refill";
    holdForScreenshot();
}

// The rows take each image path first and walk the modules only where it does not name the
// process; every row must read as the module walk of a program of Veilor's bitness reads
// it (this driver is one), for the prefix's own processes and peers of both bitnesses.
TEST_F(ProcessPageWineTest, EveryPathIsTheOneTheModuleWalkGives) {
    ASSERT_NO_FATAL_FAILURE(startPeersAndVeilor());

    platform::win32::Win32Processes system;
    std::map<std::string, platform::ProcessEntry> entries;
    for (const platform::ProcessEntry& entry : system.processes())
        entries[idText(entry.processId)] = entry;
    size_t compared = 0;
    for (const ListViewRow& row : rows()) {
        auto entry = entries.find(row[1]);
        // A process that ended or began between the two snapshots.
        if (entry == entries.end() || processes::processName(entry->second.exeFile) != row[0]) {
            continue;
        }
        EXPECT_EQ(row[2], processes::moduleWalkPath(system, entry->second)) << row[0];
        ++compared;
    }
    EXPECT_GE(compared, otherPath_ ? 4u : 3u) << ::testing::PrintToString(rows());
    ASSERT_NO_FATAL_FAILURE(expectListed(own_));
    if (!otherPath_) GTEST_SKIP() << "no peer of the other bitness that can run here";
    ASSERT_NO_FATAL_FAILURE(expectListed(other_));
}

// While the list is read the user-interface thread stays free: the one-key hide answers a
// press made right after 刷新 at once.
TEST_F(ProcessPageWineTest, AltARightAfterRefreshHidesThirtyPeersAtOnce) {
    constexpr int kPeers = 30;
    constexpr ULONGLONG kAtOnceMs = 500;
    std::vector<Peer> peers;
    std::vector<HWND> windows;
    for (int i = 0; i < kPeers; ++i) {
        const std::wstring title = L"进程同伴 " + std::to_wstring(i);
        peers.push_back(startPeer(programPath(L"process_peer"), title));
        windows.push_back(waitForWindow(WindowQuery{L"", title, peers.back().process.pid(), true}));
        ASSERT_NE(windows.back(), nullptr);
    }
    ASSERT_NO_FATAL_FAILURE(startVeilor());
    // Started after the first fill: listed only once the refresh has been read.
    Peer late = startPeer(programPath(L"process_peer"));
    ASSERT_TRUE(pollUntil(
        [] {
            if (!RegisterHotKey(nullptr, 1, MOD_ALT, 'A')) return true;
            UnregisterHotKey(nullptr, 1);
            return false;
        },
        kDeadlineMs, "Veilor to hold Alt+A"));
    auto hiddenCount = [&] {
        return std::count_if(windows.begin(), windows.end(),
                             [](HWND w) { return IsWindowVisible(w) == FALSE; });
    };
    // Posted, so the click is taken before the hotkey the keys post after it.
    ASSERT_TRUE(PostMessageW(controlById(main_, ui::ids::kCommand11), BM_CLICK, 0, 0));
    ASSERT_EQ(pressKeys({VK_MENU, 'A'}), 4u);
    const ULONGLONG pressed = GetTickCount64();
    ASSERT_TRUE(pollUntil([&] { return hiddenCount() == kPeers; }, kDeadlineMs,
                          "the peers' windows to be hidden",
                          [&] { return concat(hiddenCount(), " of ", kPeers); }));
    const ULONGLONG took = GetTickCount64() - pressed;
    EXPECT_LE(took, kAtOnceMs) << "Alt+A took " << took << " ms to hide " << kPeers << " peers";
    EXPECT_TRUE(pollUntil([&] { return rowOf(late.process.pid()).has_value(); }, kDeadlineMs,
                          "the refresh's rows", [&] { return ::testing::PrintToString(rows()); }));
}

}  // namespace
