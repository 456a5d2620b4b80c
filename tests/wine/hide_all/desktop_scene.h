#pragma once
// The desktop the boss key is tried against: a peer program's windows, a fake shell with
// twenty notification-area icons, a taskbar and a desktop window, and the real Veilor.exe
// started on a settings file of the test's choosing. Shared by the hide-everything and the
// boss-key tests, which check the same things on the same desktop after different input.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "support/driver.h"

namespace scene {

inline const std::string kMarker = "[隐藏] ";
// The titles of Veilor's two restore widgets.
inline constexpr wchar_t kOneKeyWidget[] = L"Veilor 一键还原";
inline constexpr wchar_t kDesktopWidget[] = L"Veilor 还原桌面";

// A settings file with the seven default hotkeys. EndMsg "1" exits without asking.
std::string defaultConfig(const char* endMsg = "1");

// My Documents\Veilor\Config.ini of the test prefix as it is now.
std::string readConfig();

// Puts a settings file in place for one test, with no record of hidden windows left from
// an earlier one, and removes both when the test is done.
class ScopedConfig {
  public:
    explicit ScopedConfig(const std::string& bytes);
    ~ScopedConfig();
    ScopedConfig(const ScopedConfig&) = delete;
    ScopedConfig& operator=(const ScopedConfig&) = delete;
};

struct PeerWindow {
    HWND window = nullptr;
    std::wstring title;  // as the peer opened it
};

// Real input, as the user gives it: once the pointer has arrived (and, when `over` is
// given, is over that window).
::testing::AssertionResult moveMouse(int x, int y);
::testing::AssertionResult clickAt(int x, int y, HWND over = nullptr);

class DesktopScene {
  public:
    static constexpr int kIcons = 20;

    DesktopScene();
    ~DesktopScene();
    DesktopScene(const DesktopScene&) = delete;
    DesktopScene& operator=(const DesktopScene&) = delete;

    // Starts the peer, the fake shell and then Veilor.exe on `config`; use under
    // ASSERT_NO_FATAL_FAILURE.
    void start(const std::string& config);
    // The same without Veilor.exe, for a test that changes the desktop before it starts.
    void prepare(const std::string& config);
    // Starts Veilor.exe again (after it ended) on the settings file as it is now.
    void startVeilor();

    wine_test::Process& veilor() { return veilor_; }
    HWND main() const { return main_; }
    HWND control(int id) const;
    HWND taskbar() const { return tray_; }  // the fake shell's Shell_TrayWnd
    HWND progman() const { return progman_; }

    // The peer windows Veilor's list shows: visible, enabled, titled (duplicates too).
    const std::vector<PeerWindow>& listedPeers() const { return listed_; }
    const PeerWindow& blockingPeer() const { return blocking_; }
    // The blocking peer stops answering until released (or the scene ends).
    ::testing::AssertionResult blockPeer();
    void releasePeer();

    // Each polls until it holds or the deadline passes, and says what it saw.
    ::testing::AssertionResult peersHidden(const std::vector<PeerWindow>& which);
    ::testing::AssertionResult peersShown(const std::vector<PeerWindow>& which);
    ::testing::AssertionResult peersHidden() { return peersHidden(listed_); }
    ::testing::AssertionResult peersShown() { return peersShown(listed_); }
    // The disabled window shown and the self-hidden one hidden, both under their own title.
    ::testing::AssertionResult otherPeersAsOpened();
    ::testing::AssertionResult hiddenIcons(int count);
    ::testing::AssertionResult visibility(HWND window, bool visible, const std::string& what);
    // Still shown after `ms`: for a check that something did not happen.
    ::testing::AssertionResult staysShown(HWND window, DWORD ms, const std::string& what);

    // A restore widget of Veilor's once it is on screen. Its title is its caption after
    // the program's name, which keeps it out of the window list and so out of reach of
    // the one-key hide.
    HWND waitForWidget(const wchar_t* title);
    // Borderless, layered at 160 of 255, 975 x 405 twips, a window of Veilor's own.
    ::testing::AssertionResult widgetLooksRight(HWND widget);
    // Docked at the top edge: only a strip of 30 twips (2 pixels) stays on screen.
    ::testing::AssertionResult dockedAtTop(HWND widget);
    // Moves the pointer onto the docked strip, waits for the widget to slide out to the
    // top edge, and clicks it.
    ::testing::AssertionResult slideOutAndClick(HWND widget);

  private:
    void startPeers();
    LRESULT askShell(UINT message, WPARAM wParam = 0);
    std::string describePeers(const std::vector<PeerWindow>& which);

    HANDLE release_ = nullptr;
    wine_test::Process peer_;
    wine_test::Process shell_;
    wine_test::Process veilor_;
    std::optional<ScopedConfig> config_;
    HWND main_ = nullptr;
    HWND tray_ = nullptr;
    HWND progman_ = nullptr;
    std::vector<PeerWindow> listed_;
    PeerWindow blocking_;
    PeerWindow disabled_;
    PeerWindow selfHidden_;
};

}  // namespace scene
