// The schedule page on the real Veilor.exe: a program chosen by a path with a blank starts
// minimised at the second set a few seconds ahead, while the shutdown counts down beside it;
// the scheduled shutdown runs the system folder's shutdown.exe (replaced in this prefix by a
// recorder), never the cmd.exe or shutdown.exe planted in Veilor's current folder.
#include <windows.h>

#include <string>
#include <vector>

#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace wine_test;

// A folder with a blank, and in it a decoy at the point where an unquoted command line
// would be cut: "C:\veilor schedule\run me.exe" read unquoted starts "...\run.exe".
constexpr wchar_t kWork[] = L"C:\\veilor schedule";
const std::wstring kProgram = std::wstring(kWork) + L"\\run me.exe";
const std::wstring kCutDecoy = std::wstring(kWork) + L"\\run.exe";
const std::wstring kCmdDecoy = std::wstring(kWork) + L"\\cmd.exe";
const std::wstring kShutdownDecoy = std::wstring(kWork) + L"\\shutdown.exe";
constexpr wchar_t kPeerTitle[] = L"Veilor schedule peer";

// The first box, enable box and countdown label of each group.
struct Group {
    int firstBox, enable, countdown;
};
constexpr Group kRun{ui::ids::kFrame10 + 2, ui::ids::kFrame10 + 15, ui::ids::kFrame10 + 16};
constexpr Group kOff{ui::ids::kFrame11 + 2, ui::ids::kFrame11 + 15, ui::ids::kFrame11 + 16};

std::wstring ran(const std::wstring& exe) {
    return exe + L".ran";
}

std::wstring systemFile(const std::wstring& name) {
    wchar_t dir[MAX_PATH] = {};
    GetSystemDirectoryW(dir, MAX_PATH);
    return std::wstring(dir) + L"\\" + name;
}

ULONGLONG toTicks(const SYSTEMTIME& t) {
    FILETIME f;
    SystemTimeToFileTime(&t, &f);
    return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

// Local time `seconds` from now, to the whole second.
SYSTEMTIME localIn(int seconds) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    ULONGLONG t = toTicks(now) + static_cast<ULONGLONG>(seconds) * 10000000ULL;
    FILETIME f{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
    SYSTEMTIME out;
    FileTimeToSystemTime(&f, &out);
    return out;
}

class ScheduleWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateDirectoryW(kWork, nullptr);
        const std::wstring peer = programPath(L"schedule_peer");
        for (const auto& f : {kProgram, kCutDecoy, kCmdDecoy, kShutdownDecoy}) {
            // A peer from the test before may still be on its way out.
            ASSERT_TRUE(pollUntil([&] { return CopyFileW(peer.c_str(), f.c_str(), FALSE); },
                                  kDeadlineMs, "copying the peer to " + toUtf8(f)));
            DeleteFileW(ran(f).c_str());
        }
        ASSERT_TRUE(putVeilorSettings(veilorConfig()));
        veilor_ = Process::start(veilorExe(), L"", kWork);
        ASSERT_TRUE(veilor_.valid());
        main_ = waitForWindow(WindowQuery{L"", L"Veilor", veilor_.pid(), true});
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(clickButton(controlById(main_, ui::ids::kCommand9)));
    }

    void TearDown() override {
        veilor_.terminate();
        for (HWND w : findTopWindows(WindowQuery{L"", kPeerTitle}))
            PostMessageW(w, WM_CLOSE, 0, 0);
    }

    void setText(int id, const std::wstring& text) {
        SendMessageTimeoutW(controlById(main_, id), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000,
                            nullptr);
    }

    void setTarget(const Group& g, const SYSTEMTIME& t) {
        const WORD parts[] = {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
        for (int i = 0; i < 6; ++i)
            setText(g.firstBox + i, std::to_wstring(parts[i]));
    }

    bool checked(const Group& g) {
        DWORD_PTR state = 0;
        SendMessageTimeoutW(controlById(main_, g.enable), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000,
                            &state);
        return state == BST_CHECKED;
    }

    std::string countdown(const Group& g) { return windowText(controlById(main_, g.countdown)); }

    Process veilor_;
    HWND main_ = nullptr;
};

TEST_F(ScheduleWineTest, TheChosenProgramStartsMinimisedAtItsSecondWhileTheShutdownCountsDown) {
    EXPECT_EQ(SendMessageW(controlById(main_, kRun.firstBox), EM_GETLIMITTEXT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(controlById(main_, kOff.firstBox + 5), EM_GETLIMITTEXT, 0, 0), 2);
    setText(ui::ids::kText7, kProgram);
    const SYSTEMTIME at = localIn(4);
    setTarget(kRun, at);
    setTarget(kOff, localIn(3600));
    ASSERT_TRUE(clickButton(controlById(main_, kRun.enable)));
    ASSERT_TRUE(clickButton(controlById(main_, kOff.enable)));
    ASSERT_TRUE(checked(kRun));
    EXPECT_TRUE(pollUntil([&] { return countdown(kRun).rfind("剩余：0 小时0 分", 0) == 0; },
                          kDeadlineMs, "the launch countdown", [&] { return countdown(kRun); }));
    EXPECT_TRUE(pollUntil(
        [&] {
            return countdown(kOff).rfind("剩余：1 小时0 分", 0) == 0 ||
                   countdown(kOff).rfind("剩余：0 小时59 分", 0) == 0;
        },
        kDeadlineMs, "the shutdown countdown", [&] { return countdown(kOff); }));
    holdForScreenshot();

    HWND peer = waitForWindow(WindowQuery{L"", kPeerTitle}, 15000);
    ASSERT_NE(peer, nullptr);
    SYSTEMTIME seen;
    GetLocalTime(&seen);
    EXPECT_GE(toTicks(seen), toTicks(at)) << "started before its second";
    EXPECT_LE(toTicks(seen), toTicks(at) + 30000000ULL) << "started over 2 s late";
    EXPECT_TRUE(pollUntil([&] { return IsIconic(peer) != FALSE; }, kDeadlineMs, "minimised"));
    EXPECT_TRUE(pollUntil([&] { return !checked(kRun); }, kDeadlineMs, "Check1 cleared"));
    EXPECT_TRUE(checked(kOff));
    EXPECT_EQ(readFileBytes(ran(kProgram)).value_or("").rfind("show=2 ", 0), 0u);
    EXPECT_FALSE(fileExists(ran(kCutDecoy))) << "the command line was cut at its blank";
}

// The system's programs stood in for by recorders are this prefix's own: each is kept as
// "<name>.orig" until it is put back, so a run that dies half-way never leaves a recorder
// to be taken for the original by the next.
class ScheduledShutdownWineTest : public ScheduleWineTest {
  protected:
    void TearDown() override {
        ScheduleWineTest::TearDown();
        HKEY key = nullptr;
        RegOpenKeyExW(HKEY_CURRENT_USER, kOverrides, 0, KEY_SET_VALUE, &key);
        for (const std::wstring& real : replaced_) {
            const std::wstring orig = real + L".orig";
            // The recorder may still be ending one of its runs.
            EXPECT_TRUE(pollUntil([&] { return CopyFileW(orig.c_str(), real.c_str(), FALSE); },
                                  kDeadlineMs, "putting back " + toUtf8(real)));
            DeleteFileW(orig.c_str());
            DeleteFileW(ran(real).c_str());
            if (key) RegDeleteValueW(key, baseName(real).c_str());
        }
        if (key) RegCloseKey(key);
    }
    // Replaces the system folder's program by a recorder; returns the record's path.
    std::wstring standIn(const std::wstring& name, const wchar_t* recorder) {
        const std::wstring real = systemFile(name), orig = real + L".orig";
        if (!fileExists(orig)) {
            EXPECT_TRUE(CopyFileW(real.c_str(), orig.c_str(), TRUE));
        }
        replaced_.push_back(real);
        EXPECT_TRUE(CopyFileW(programPath(recorder).c_str(), real.c_str(), FALSE));
        DeleteFileW(ran(real).c_str());
        // Wine prefers its built-in programs to files in the system folder unless told;
        // every process started from now on reads this.
        const wchar_t native[] = L"native";
        EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, name.c_str(), REG_SZ, native,
                                  sizeof native),
                  ERROR_SUCCESS);
        return ran(real);
    }
    static std::wstring baseName(const std::wstring& path) {
        return path.substr(path.find_last_of(L'\\') + 1);
    }
    static constexpr wchar_t kOverrides[] = L"Software\\Wine\\DllOverrides";
    std::vector<std::wstring> replaced_;

    // Sets the shutdown a few seconds ahead and waits for the record it leaves.
    std::string shutDownInto(const std::wstring& record) {
        setTarget(kOff, localIn(3));
        EXPECT_TRUE(clickButton(controlById(main_, kOff.enable)));
        EXPECT_TRUE(pollUntil([&] { return fileExists(record); }, 15000, "the shutdown to run"));
        EXPECT_TRUE(checked(kOff)) << "the shutdown schedule stays set";
        EXPECT_TRUE(clickButton(controlById(main_, kOff.enable)));
        return readFileBytes(record).value_or("");
    }
};

TEST_F(ScheduledShutdownWineTest, RunsTheSystemFoldersShutdownHiddenAndNeverAPlantedOne) {
    // The real cmd.exe runs the stand-in shutdown.exe with the arguments as written...
    const std::string run = shutDownInto(standIn(L"shutdown.exe", L"schedule_console_peer"));
    EXPECT_NE(run.find(toUtf8(systemFile(L"shutdown.exe")) + " /s /f\r\n"), std::string::npos)
        << run;
    // ...and cmd.exe itself, stood in for too, is started hidden by its full path.
    const std::string cmd = shutDownInto(standIn(L"cmd.exe", L"schedule_peer"));
    EXPECT_EQ(cmd.rfind("show=0 ", 0), 0u) << cmd;
    EXPECT_NE(cmd.find("\\shutdown.exe\" /s /f\r\n"), std::string::npos) << cmd;
    EXPECT_FALSE(fileExists(ran(kCmdDecoy)));
    EXPECT_FALSE(fileExists(ran(kShutdownDecoy)));
}

}  // namespace
