// The update check and the server notice on a copy of the real Veilor.exe built to talk
// to this driver's own HTTP server on 127.0.0.1: a new version taken, a download
// cancelled, an executable the server does not have, a mandatory notice at start, and the
// boss key while the server holds an answer back.
#include <windows.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <random>
#include <set>

#include "hide_all/boss_keys.h"
#include "hide_all/desktop_scene.h"
#include "support/driver.h"
#include "ui/control_ids.h"
#include "update/loopback_server.h"

namespace {

using namespace wine_test;
using scene::DesktopScene;
using update_wine::Answer;

constexpr wchar_t kKeyboardClass[] = L"VeilorUpdateDriver";
constexpr char kExeName[] = "VeilorSetup.exe";
constexpr wchar_t kLocalName[] = L"\\Veilor1.01.exe";

std::wstring folder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string randomBytes(size_t size) {
    std::mt19937 random(15);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

std::wstring lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::set<DWORD> processIds(const wchar_t* exeName) {
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (lower(entry.szExeFile) == lower(exeName)) ids.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

std::wstring imagePathOf(HANDLE process) {
    wchar_t path[MAX_PATH * 4] = {};
    DWORD size = MAX_PATH * 4;
    return QueryFullProcessImageNameW(process, 0, path, &size) ? path : L"";
}

// Text in this system's ANSI code page, as the maker's server writes it.
std::string ansi(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

class UpdateWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // DesktopScene starts VEILOR_EXE: here the copy that knows the loopback server.
        wchar_t exe[MAX_PATH] = {};
        ASSERT_GT(GetEnvironmentVariableW(L"VEILOR_UPDATE_EXE", exe, MAX_PATH), 0u);
        SetEnvironmentVariableW(L"VEILOR_EXE", exe);
        std::wstring dir(exe);
        const std::wstring bin = dir.substr(0, dir.find_last_of(L"\\/"));
        started_ = bin + L"\\explorer.started";
        DeleteFileW(started_.c_str());
        // A second planted explorer.exe in the current folder, which Veilor inherits.
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        plantedHere_ = std::wstring(current) + L"\\explorer.exe";
        ASSERT_TRUE(CopyFileW((bin + L"\\explorer.exe").c_str(), plantedHere_.c_str(), FALSE));
        startedHere_ = std::wstring(current) + L"\\explorer.started";
        DeleteFileW(startedHere_.c_str());
        ASSERT_TRUE(server_.listening()) << "port " << update_wine::kPort << " is taken";
        server_.serve("/", {200, "<html>Veilor</html>"});
        server_.serve("/softs/veilsp/Pass.txt", {200, "1.00\r\n\r\n0\r\n"});
        server_.serve("/softs/veilsp/Update.txt",
                      {200, std::string("1.01\r\n") + kExeName + "\r\n300 KB"});
        for (const std::wstring& path : {templatesCopy(), desktopCopy()})
            DeleteFileW(path.c_str());
    }
    void TearDown() override {
        server_.release();
        DestroyWindow(keyboard_);
        DeleteFileW(plantedHere_.c_str());
        DeleteFileW(startedHere_.c_str());
    }

    std::wstring templatesCopy() const { return folder(CSIDL_TEMPLATES) + kLocalName; }
    std::wstring desktopCopy() const { return folder(CSIDL_DESKTOPDIRECTORY) + kLocalName; }
    HWND control(int id) const { return desk_.control(id); }

    // Waits for Veilor's message box with this title, checks its text, presses a button.
    void answerBox(const wchar_t* title, const std::string& text, int button) {
        HWND box = waitForWindow(WindowQuery{L"#32770", title, desk_.veilor().pid(), true});
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(windowText(GetDlgItem(box, 0xFFFF)), text);
        ASSERT_NE(GetDlgItem(box, button), nullptr) << text;
        holdForScreenshot();
        ASSERT_TRUE(clickButton(GetDlgItem(box, button)));
        EXPECT_TRUE(desk_.visibility(box, false, "the message box"));
    }
    // Presses "检查更新" and says yes to the new version.
    void checkAndAccept() {
        // Posted: the check ends in modal message boxes.
        PostMessageW(control(ui::ids::kCmdStart), BM_CLICK, 0, 0);
        ASSERT_NO_FATAL_FAILURE(answerBox(
            L"在线升级", "发现新的版本：1.01 文件大小：300 KB 是否进行在线升级 ？", IDYES));
    }
    std::string label() { return windowText(control(ui::ids::kLblCount)); }
    ::testing::AssertionResult noCopies() {
        if (fileExists(templatesCopy()) || fileExists(desktopCopy()))
            return ::testing::AssertionFailure() << "a copy of the executable was left";
        return ::testing::AssertionSuccess();
    }

    update_wine::LoopbackServer server_;
    DesktopScene desk_;
    HWND keyboard_ = openKeyboardWindow(kKeyboardClass);
    scene::BossKeys keys_{desk_, keyboard_};
    std::wstring started_;
    std::wstring plantedHere_;
    std::wstring startedHere_;
};

TEST_F(UpdateWineTest, YesLeavesTheSameBytesInTemplatesAndOnTheDesktop) {
    const std::string exe = randomBytes(300 * 1024);
    server_.serve(std::string("/softs/veilsp/") + kExeName, {200, exe, 16384, 30});
    ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig()));
    ASSERT_NO_FATAL_FAILURE(checkAndAccept());
    EXPECT_TRUE(pollUntil([&] { return IsWindowVisible(control(ui::ids::kCmdStop)) != FALSE; }));
    EXPECT_FALSE(IsWindowVisible(control(ui::ids::kCmdStart)));
    EXPECT_TRUE(pollUntil([&] { return label().rfind("已下载 ", 0) == 0; }, kDeadlineMs,
                          "the progress text", [&] { return label(); }));
    holdForScreenshot();
    ASSERT_NO_FATAL_FAILURE(answerBox(L"Veilor", kExeName, IDOK));
    ASSERT_NO_FATAL_FAILURE(answerBox(L"更新完毕", "最新版已成功更新到 \"桌面\"", IDOK));
    EXPECT_EQ(readFileBytes(templatesCopy()), exe);
    EXPECT_EQ(readFileBytes(desktopCopy()), exe);
    EXPECT_EQ(label(), "共下载 307200 字节");
    // Once the last box has closed, the check is over.
    EXPECT_TRUE(pollUntil([&] { return IsWindowEnabled(control(ui::ids::kCmdStart)) != FALSE; },
                          kDeadlineMs, "检查更新 enabled again"));
    EXPECT_TRUE(IsWindowVisible(control(ui::ids::kCmdStart)));
    EXPECT_FALSE(IsWindowVisible(control(ui::ids::kCmdStop)));
    holdForScreenshot();
}

TEST_F(UpdateWineTest, CancelDuringASlowDownloadLeavesNeitherCopy) {
    server_.serve(std::string("/softs/veilsp/") + kExeName,
                  {200, randomBytes(300 * 1024), 2048, 100});
    ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig()));
    ASSERT_NO_FATAL_FAILURE(checkAndAccept());
    ASSERT_TRUE(pollUntil([&] { return label().rfind("已下载 ", 0) == 0; }, kDeadlineMs,
                          "the progress text", [&] { return label(); }));
    PostMessageW(control(ui::ids::kCmdStop), BM_CLICK, 0, 0);
    ASSERT_NO_FATAL_FAILURE(answerBox(L"Veilor", kExeName, IDOK));
    ASSERT_NO_FATAL_FAILURE(answerBox(L"更新失败", "更新已取消！", IDOK));
    EXPECT_TRUE(noCopies());
    EXPECT_TRUE(IsWindowVisible(control(ui::ids::kCmdStart)));
}

TEST_F(UpdateWineTest, ClosingTheProgramDuringTheDownloadEndsItAndLeavesNeitherCopy) {
    server_.serve(std::string("/softs/veilsp/") + kExeName,
                  {200, randomBytes(300 * 1024), 2048, 200});
    ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig()));  // exits without asking
    ASSERT_NO_FATAL_FAILURE(checkAndAccept());
    ASSERT_TRUE(pollUntil([&] { return label().rfind("已下载 ", 0) == 0; }, kDeadlineMs,
                          "the progress text", [&] { return label(); }));
    PostMessageW(control(ui::ids::kFrmUnload), BM_CLICK, 0, 0);
    // Promptly, although the server is far from done.
    EXPECT_TRUE(desk_.veilor().waitExit(5000));
    EXPECT_TRUE(noCopies());
}

TEST_F(UpdateWineTest, AnExecutableTheServerDoesNotHaveIsAFailureAndNoFile) {
    ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig()));
    ASSERT_NO_FATAL_FAILURE(checkAndAccept());  // the server answers 404 for it
    ASSERT_NO_FATAL_FAILURE(answerBox(L"Veilor", "无法连接到服务器 请稍后再试！", IDOK));
    EXPECT_TRUE(noCopies());
    EXPECT_EQ(label(), "打开URL错误");
    EXPECT_TRUE(IsWindowVisible(control(ui::ids::kCmdStart)));
}

TEST_F(UpdateWineTest, AMandatoryNoticeAtStartRestoresOpensTheProductPageAndEnds) {
    // In the system's ANSI code page (a Western one on this test's system).
    const std::wstring notice = L"Please update: déjà 1.01.";
    // Held back until the boss key has hidden the peer windows.
    server_.serve("/softs/veilsp/Pass.txt",
                  {200, "1.01\r\n" + ansi(notice) + "\r\n1\r\n", 0, 0, true});
    const std::set<DWORD> explorersBefore = processIds(L"explorer.exe");
    ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig()));
    ASSERT_NO_FATAL_FAILURE(keys_.waitUntilHotKeysAnswer());
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('A'));
    ASSERT_TRUE(desk_.peersHidden());
    ASSERT_TRUE(pollUntil([&] { return server_.stalling(); }, kDeadlineMs, "the notice asked for"));
    server_.release();
    ASSERT_NO_FATAL_FAILURE(answerBox(L"Veilor", toUtf8(notice), IDOK));
    ASSERT_TRUE(desk_.veilor().waitExit());
    EXPECT_TRUE(desk_.peersShown());

    // The page opens in the Windows folder's explorer, named by its full path; the
    // explorer.exe files planted beside Veilor and in its current folder never run.
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    HANDLE opened = nullptr;
    EXPECT_TRUE(pollUntil(
        [&] {
            for (DWORD id : processIds(L"explorer.exe")) {
                if (explorersBefore.count(id)) continue;
                opened =
                    OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, id);
                if (opened) return true;
            }
            return false;
        },
        kDeadlineMs, "a new explorer process"));
    if (opened) {
        // Wine runs the Windows folder's explorer.exe from its system folder.
        const std::wstring image = lower(imagePathOf(opened));
        EXPECT_EQ(image.rfind(lower(std::wstring(windows) + L"\\"), 0), 0u) << toUtf8(image);
        TerminateProcess(opened, 0);
        CloseHandle(opened);
    }
    EXPECT_FALSE(fileExists(started_)) << "the explorer.exe beside Veilor ran";
    EXPECT_FALSE(fileExists(startedHere_)) << "the explorer.exe in the current folder ran";
}

TEST_F(UpdateWineTest, WhileTheServerStallsAltAStillHidesAtOnce) {
    server_.serve("/softs/veilsp/Update.txt", {200, "1.01\r\n", 0, 0, true});
    ASSERT_NO_FATAL_FAILURE(desk_.start(scene::defaultConfig()));
    ASSERT_NO_FATAL_FAILURE(keys_.waitUntilHotKeysAnswer());
    PostMessageW(control(ui::ids::kCmdStart), BM_CLICK, 0, 0);
    ASSERT_TRUE(pollUntil([&] { return server_.stalling(); }, kDeadlineMs, "Update.txt held"));
    const DWORD pressed = GetTickCount();
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('A'));
    ASSERT_TRUE(desk_.peersHidden());
    const DWORD took = GetTickCount() - pressed;
    EXPECT_TRUE(server_.stalling()) << "the answer is still held back";
    EXPECT_LT(took, 3000u) << "Alt+A waited on the server";
    ASSERT_NO_FATAL_FAILURE(keys_.pressAlt('R'));
    EXPECT_TRUE(desk_.peersShown());
    server_.release();  // one line end: not a file the check can use
    ASSERT_NO_FATAL_FAILURE(answerBox(L"Veilor", "无法连接到服务器 请稍后再试！", IDOK));
}

}  // namespace
