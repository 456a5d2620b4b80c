// The installer round trip on the real package of this build: msiexec installs it
// silently for the user alone, the installed Veilor starts with Windows through the
// user's own Run key and hides a peer, and a silent removal ends it with the peer back,
// leaving neither the program, its shortcut nor its Run value behind.
#include <windows.h>
#include <msi.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <string>

#include "core/version.h"
#include "support/driver.h"
#include "windows/window_peer_protocol.h"

namespace {

using namespace wine_test;

constexpr wchar_t kUpgradeCode[] = L"{6B0F3C2E-6F1D-4C59-9A52-3F1F0F6A7D21}";
constexpr DWORD kMsiexecDeadlineMs = 120000;

std::wstring folder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring installedExe() {
    return folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Veilor\\Veilor.exe";
}
std::wstring startMenuShortcut() {
    return folder(CSIDL_PROGRAMS) + L"\\Veilor.lnk";
}

std::wstring packagePath() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD n = GetEnvironmentVariableW(L"VEILOR_MSI", path, MAX_PATH * 2);
    std::wstring msi(path, n < MAX_PATH * 2 ? n : 0);
    std::replace(msi.begin(), msi.end(), L'/', L'\\');
    return msi;
}

// The installed product's version as the installed-programs list shows it, if any.
std::optional<std::string> installedVersion() {
    wchar_t product[39] = {};
    if (MsiEnumRelatedProductsW(kUpgradeCode, 0, 0, product) != ERROR_SUCCESS) return std::nullopt;
    wchar_t version[64] = {};
    DWORD size = 64;
    if (MsiGetProductInfoW(product, INSTALLPROPERTY_VERSIONSTRING, version, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return toUtf8(version);
}

// msiexec with these arguments, silently; its exit code, or nullopt when it did not end.
std::optional<DWORD> msiexec(const std::wstring& args) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    Process run = Process::start(std::wstring(system) + L"\\msiexec.exe", args);
    if (!run.valid() || !run.waitExit(kMsiexecDeadlineMs)) return std::nullopt;
    return run.exitCode();
}

std::string settings() {
    return concat("[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n2=84,0,-1,0\r\n3=87,0,-1,0\r\n",
                  "4=82,0,-1,0\r\n5=66,0,-1,0\r\n6=73,0,-1,0\r\n[Config]\r\nStartRun=1\r\n",
                  "StartMini=0\r\nEndMini=0\r\nBlackPwd=\r\nEndMsg=1\r\n");
}

class PackageWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        msi_ = packagePath();
        ASSERT_TRUE(fileExists(msi_)) << "no package at " << toUtf8(msi_);
        // A run that died half-way may have left the product installed.
        if (installedVersion()) msiexec(L"/x \"" + msi_ + L"\" /qn");
    }
    void TearDown() override {
        if (installedVersion()) msiexec(L"/x \"" + msi_ + L"\" /qn");
        DestroyWindow(keyboard_);
    }

    void startPeer() {
        peer_ = Process::start(programPath(L"window_peer"), L"count 1");
        ASSERT_TRUE(peer_.valid());
        peerWindow_ = waitForWindow({L"", window_peer::benchTitle(1), peer_.pid(), true});
        ASSERT_NE(peerWindow_, nullptr);
    }

    // Alt+A as a user presses it, again until it is taken: the installed program shows
    // its window a moment before its hotkeys are armed.
    ::testing::AssertionResult hideWithAltA() {
        return pollUntil(
            [&] {
                if (!IsWindowVisible(peerWindow_)) return true;
                SetForegroundWindow(keyboard_);
                pressKeys({VK_MENU, 'A'});
                return static_cast<bool>(
                    pollUntil([&] { return !IsWindowVisible(peerWindow_); }, 1500));
            },
            kDeadlineMs, "the peer hidden by Alt+A", [&] { return describeWindow(peerWindow_); });
    }

    std::wstring msi_;
    Process peer_;
    HWND peerWindow_ = nullptr;
    HWND keyboard_ = openKeyboardWindow(L"VeilorPackageDriver");
};

TEST_F(PackageWineTest, InstallStartWithWindowsHideThenRemoveBringsEverythingBack) {
    ASSERT_EQ(msiexec(L"/i \"" + msi_ + L"\" /qn"), std::optional<DWORD>(0));
    const std::wstring exe = installedExe();
    ASSERT_TRUE(fileExists(exe)) << toUtf8(exe);
    EXPECT_TRUE(fileExists(startMenuShortcut())) << toUtf8(startMenuShortcut());
    EXPECT_EQ(installedVersion(), std::optional<std::string>(VEILOR_VERSION_TEXT));

    ASSERT_NO_FATAL_FAILURE(startPeer());
    ASSERT_TRUE(putVeilorSettings(settings()));
    Process veilor = Process::start(exe);
    ASSERT_TRUE(veilor.valid());
    ASSERT_NE(waitForWindow({L"", L"Veilor", veilor.pid(), true}), nullptr);
    const std::wstring command = exe.find(L' ') == std::wstring::npos ? exe : L"\"" + exe + L"\"";
    EXPECT_TRUE(pollEquals(toUtf8(command), [] { return toUtf8(runValue().value_or(L"")); }));

    ASSERT_TRUE(hideWithAltA());
    // The marker follows the hide: every hide is posted before any title is written.
    EXPECT_TRUE(pollUntil([&] { return windowText(peerWindow_).rfind("[隐藏] ", 0) == 0; },
                          kDeadlineMs, "the peer's title marked",
                          [&] { return windowText(peerWindow_); }));

    ASSERT_EQ(msiexec(L"/x \"" + msi_ + L"\" /qn"), std::optional<DWORD>(0));
    EXPECT_TRUE(veilor.waitExit(5000)) << "the removal ends a running Veilor";
    EXPECT_TRUE(IsWindowVisible(peerWindow_)) << describeWindow(peerWindow_);
    EXPECT_EQ(windowText(peerWindow_), toUtf8(window_peer::benchTitle(1)));
    EXPECT_FALSE(fileExists(exe));
    EXPECT_FALSE(fileExists(startMenuShortcut()));
    EXPECT_FALSE(runValue().has_value()) << toUtf8(runValue().value_or(L""));
    EXPECT_FALSE(installedVersion().has_value());
    EXPECT_TRUE(fileExists(veilorConfigFile())) << "the user's settings stay";
}

}  // namespace
