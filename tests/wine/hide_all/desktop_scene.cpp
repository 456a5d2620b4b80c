#include "hide_all/desktop_scene.h"

#include <cstdlib>

#include "tray/fake_shell_client.h"
#include "tray/fake_shell_protocol.h"
#include "windows/window_peer_protocol.h"

namespace scene {

using namespace wine_test;

namespace {

constexpr int kWidgetWidthTwips = 975;
constexpr int kWidgetHeightTwips = 405;
constexpr int kStripTwips = 30;
constexpr BYTE kWidgetAlpha = 160;

int twipsPerPixel() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return 1440 / (dpi > 0 ? dpi : 96);
}

std::wstring titleOf(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

std::wstring classOf(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

DWORD pidOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

struct PeerSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK collectPeer(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<PeerSearch*>(param);
    if (pidOf(window) == search->pid && classOf(window) == window_peer::kClass)
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> peerWindows(DWORD pid) {
    PeerSearch search{pid, {}};
    EnumWindows(collectPeer, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string describeRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return concat("(", r.left, ", ", r.top, ") - (", r.right, ", ", r.bottom, ")");
}

}  // namespace

std::string defaultConfig(const char* endMsg) {
    return veilorConfig(endMsg);
}

std::string readConfig() {
    return readFileBytes(veilorConfigFile()).value_or("<missing>");
}

ScopedConfig::ScopedConfig(const std::string& bytes) {
    EXPECT_TRUE(putVeilorSettings(bytes));
}

ScopedConfig::~ScopedConfig() {
    putVeilorSettings(std::nullopt);
}

::testing::AssertionResult moveMouse(int x, int y) {
    return pointerTo({x, y});
}

::testing::AssertionResult clickAt(int x, int y, HWND over) {
    return clickAtPoint({x, y}, over);
}

DesktopScene::DesktopScene()
    : release_(CreateEventW(nullptr, TRUE, FALSE, window_peer::kReleaseEvent)) {}

DesktopScene::~DesktopScene() {
    SetEvent(release_);
    veilor_.terminate();
    peer_.terminate();
    shell_.terminate();
    CloseHandle(release_);
}

void DesktopScene::start(const std::string& config) {
    ASSERT_NO_FATAL_FAILURE(prepare(config));
    ASSERT_NO_FATAL_FAILURE(startVeilor());
}

void DesktopScene::prepare(const std::string& config) {
    ASSERT_NO_FATAL_FAILURE(startPeers());
    config_.emplace(config);
}

void DesktopScene::startVeilor() {
    veilor_ = Process::start(veilorExe());
    ASSERT_TRUE(veilor_.valid());
    // By its class too: a message box of Veilor's bears the same title.
    main_ = waitForWindow(WindowQuery{L"VeilorForm", L"Veilor", veilor_.pid(), true});
    ASSERT_NE(main_, nullptr);
}

void DesktopScene::startPeers() {
    shell_ = Process::start(programPath(L"fake_shell"),
                            L"buttons " + std::to_wstring(kIcons) + L" progman");
    ASSERT_TRUE(shell_.valid());
    tray_ = waitForWindow(WindowQuery{fake_shell::kTrayClass, L"", shell_.pid(), true});
    progman_ = waitForWindow(WindowQuery{fake_shell::kProgmanClass, L"", shell_.pid(), true});
    ASSERT_TRUE(tray_ && progman_);
    // Wine's explorer has windows of both classes; ours must be the ones Veilor meets
    // first, or the test would hide the real ones.
    ASSERT_EQ(FindWindowW(fake_shell::kTrayClass, L""), tray_) << describeTopWindows();
    ASSERT_EQ(FindWindowW(fake_shell::kProgmanClass, nullptr), progman_) << describeTopWindows();
    ASSERT_EQ(askShell(fake_shell::kButtonCount), kIcons);

    peer_ = Process::start(programPath(L"window_peer"));
    ASSERT_TRUE(peer_.valid());
    ASSERT_TRUE(pollUntil([&] { return peerWindows(peer_.pid()).size() == 7; }, kDeadlineMs,
                          "the peer's seven windows", [&] { return describeTopWindows(); }));
    for (HWND window : peerWindows(peer_.pid())) {
        PeerWindow peer{window, titleOf(window)};
        if (peer.title == window_peer::kDisabledTitle) {
            disabled_ = peer;
        } else if (peer.title == window_peer::kSelfHiddenTitle) {
            selfHidden_ = peer;
        } else {
            if (peer.title == window_peer::kHungTitle) blocking_ = peer;
            listed_.push_back(peer);
        }
    }
    ASSERT_EQ(listed_.size(), 5u) << describePeers(listed_);
    ASSERT_TRUE(blocking_.window && disabled_.window && selfHidden_.window);
    ASSERT_TRUE(peersShown());
}

HWND DesktopScene::control(int id) const {
    return controlById(main_, id);
}

LRESULT DesktopScene::askShell(UINT message, WPARAM wParam) {
    return fake_shell::ask(tray_, message, wParam);
}

::testing::AssertionResult DesktopScene::blockPeer() {
    PostMessageW(blocking_.window, window_peer::kBlockMessage, 0, 0);
    return pollUntil(
        [&] {
            DWORD_PTR r = 0;
            return !SendMessageTimeoutW(blocking_.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &r);
        },
        kDeadlineMs, "the blocking peer window to stop answering");
}

void DesktopScene::releasePeer() {
    SetEvent(release_);
}

std::string DesktopScene::describePeers(const std::vector<PeerWindow>& which) {
    std::string text;
    for (const PeerWindow& peer : which)
        text += concat("\n  ", describeWindow(peer.window));
    return text;
}

::testing::AssertionResult DesktopScene::peersHidden(const std::vector<PeerWindow>& which) {
    return pollUntil(
        [&] {
            for (const PeerWindow& peer : which) {
                if (IsWindowVisible(peer.window) ||
                    toUtf8(titleOf(peer.window)) != kMarker + toUtf8(peer.title))
                    return false;
            }
            return true;
        },
        kDeadlineMs, "every peer window marked and hidden", [&] { return describePeers(which); });
}

::testing::AssertionResult DesktopScene::peersShown(const std::vector<PeerWindow>& which) {
    return pollUntil(
        [&] {
            for (const PeerWindow& peer : which) {
                if (!IsWindowVisible(peer.window) || titleOf(peer.window) != peer.title)
                    return false;
            }
            return true;
        },
        kDeadlineMs, "every peer window shown under its own title",
        [&] { return describePeers(which); });
}

::testing::AssertionResult DesktopScene::otherPeersAsOpened() {
    if (IsWindowVisible(disabled_.window) && titleOf(disabled_.window) == disabled_.title &&
        !IsWindowVisible(selfHidden_.window) && titleOf(selfHidden_.window) == selfHidden_.title)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the disabled and the self-hidden peer changed:"
                                         << describePeers({disabled_, selfHidden_});
}

::testing::AssertionResult DesktopScene::hiddenIcons(int count) {
    return pollEquals(static_cast<LRESULT>(count),
                      [&] { return askShell(fake_shell::kHiddenCount); });
}

::testing::AssertionResult DesktopScene::visibility(HWND window, bool visible,
                                                    const std::string& what) {
    return pollUntil([&] { return (IsWindowVisible(window) != FALSE) == visible; }, kDeadlineMs,
                     concat(what, visible ? " to be shown" : " to be hidden"),
                     [&] { return describeWindow(window); });
}

::testing::AssertionResult DesktopScene::staysShown(HWND window, DWORD ms,
                                                    const std::string& what) {
    if (pollUntil([&] { return !IsWindowVisible(window); }, ms))
        return ::testing::AssertionFailure() << what << " was hidden: " << describeWindow(window);
    return ::testing::AssertionSuccess();
}

HWND DesktopScene::waitForWidget(const wchar_t* title) {
    return waitForWindow(WindowQuery{L"VeilorForm", title, veilor_.pid(), true});
}

::testing::AssertionResult DesktopScene::widgetLooksRight(HWND widget) {
    const LONG style = GetWindowLongW(widget, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(widget, GWL_EXSTYLE);
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(widget, nullptr, &alpha, &flags);
    RECT client{};
    GetClientRect(widget, &client);
    const int tpp = twipsPerPixel();
    const bool borderless = (style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME)) == 0;
    const bool layered = (exStyle & WS_EX_LAYERED) && (flags & LWA_ALPHA) && alpha == kWidgetAlpha;
    const bool sized =
        client.right == kWidgetWidthTwips / tpp && client.bottom == kWidgetHeightTwips / tpp;
    if (borderless && layered && sized) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << describeWindow(widget) << ": style 0x" << std::hex << style << " ex-style 0x"
           << exStyle << std::dec << " alpha " << int(alpha) << " flags " << flags << " client "
           << client.right << " x " << client.bottom;
}

::testing::AssertionResult DesktopScene::dockedAtTop(HWND widget) {
    const int strip = kStripTwips / twipsPerPixel();
    return pollUntil(
        [&] {
            RECT r{};
            GetWindowRect(widget, &r);
            return r.top < 0 && r.bottom == strip;
        },
        kDeadlineMs, concat("the widget docked with a ", strip, "-pixel strip at the top"),
        [&] { return describeRect(widget); });
}

::testing::AssertionResult DesktopScene::slideOutAndClick(HWND widget) {
    RECT r{};
    GetWindowRect(widget, &r);
    const int x = (r.left + r.right) / 2, y = r.bottom - 1;
    // From somewhere else first, so that reaching the strip is a move.
    auto away = moveMouse(x, 400);
    if (!away) return away;
    auto onStrip = moveMouse(x, y);
    if (!onStrip) return onStrip;
    auto out = pollUntil(
        [&] {
            RECT now{};
            GetWindowRect(widget, &now);
            return now.top == 0;
        },
        kDeadlineMs, "the widget to slide out to the top edge",
        [&] { return describeRect(widget); });
    if (!out) return out;
    return clickAt(x, y, widget);
}

}  // namespace scene
