// What Veilor costs while nobody touches it: its processor time, and the Wine server's,
// over 20 idle seconds in each state the user leaves it in, with 50 peer windows open;
// beside them an idle peer program over the same seconds, and the server's time before
// Veilor was started, as the calibration. Shares of one core, measured side by side.
#include <cstdio>
#include <string>

#include "bench_desktop.h"
#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace bench;

constexpr int kWindows = 50;
constexpr DWORD kSettleMs = 2000;
// The host counts processor time in ticks of 10 ms: over 20 s one tick is 0.05% of a core.
constexpr DWORD kIdleMs = 20000;

// The server of this prefix: other prefixes on the machine have servers of their own.
double wineserverMs() {
    wchar_t prefix[MAX_PATH] = {};
    GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    const std::string wanted = "WINEPREFIX=" + wine_test::toUtf8(prefix);
    return hostProcessorMs([&](const std::string& pid) {
        if (hostProcFile(pid, "cmdline").find("wineserver") == std::string::npos) return false;
        const std::string env = hostProcFile(pid, "environ");
        return prefix[0] == 0 || env.find(wanted + '\0') != std::string::npos;
    });
}

// Waits without waking up more than the messages that arrive ask for: the benchmark's own
// polling would otherwise show as the server's time.
void sleepFor(DWORD ms) {
    const double end = nowMs() + ms;
    for (double left = ms; left > 0; left = end - nowMs()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
        pumpFor(0);
    }
}

double share(double ms, double wall) {
    return 100.0 * ms / wall;
}

void idle(const Veilor* veilor, const Peers& peers, const char* state) {
    sleepFor(kSettleMs);
    const double veilorBefore = veilor ? veilor->process.processorMs() : 0;
    const double serverBefore = wineserverMs();
    const double peerBefore = peers.process.processorMs();
    const double start = nowMs();
    sleepFor(kIdleMs);
    const double wall = nowMs() - start;
    const double veilorMs = veilor ? veilor->process.processorMs() - veilorBefore : 0;
    const double serverMs = wineserverMs() - serverBefore;
    const double peerMs = peers.process.processorMs() - peerBefore;
    std::printf("  %-36s %7.0f ms %6.2f%%   %7.0f ms %6.2f%%   %6.0f ms %6.2f%%\n", state, veilorMs,
                share(veilorMs, wall), serverMs, share(serverMs, wall), peerMs,
                share(peerMs, wall));
    std::fflush(stdout);
}

bool waitVisible(HWND window, bool visible) {
    return wine_test::pollUntil([&] { return (IsWindowVisible(window) != FALSE) == visible; },
                                kDeadlineMs);
}

bool pressUntil(HWND focus, WORD key, HWND main, bool visible) {
    SetForegroundWindow(focus);
    pumpFor(200);
    wine_test::pressKeys({VK_MENU, key});
    return waitVisible(main, visible);
}

}  // namespace

int main() {
    SettingsFile settings;
    Shell shell;
    Peers peers;
    HWND focus = wine_test::openKeyboardWindow(L"VeilorIdleBench");
    if (!focus || !shell.start() || !peers.start(kWindows)) {
        std::printf("could not set the desktop up\n");
        return 1;
    }
    std::printf("idle for %lu s with %d peer windows and %d icons, share of one core\n",
                kIdleMs / 1000, kWindows, kIcons);
    std::printf("  %-36s %18s   %18s   %16s\n", "state", "Veilor", "wineserver", "idle peer");
    idle(nullptr, peers, "Veilor not running");
    Veilor veilor;
    if (!veilor.start()) return 1;
    idle(&veilor, peers, "news page");
    if (!veilor.click(ui::ids::kCommand1)) return 1;
    idle(&veilor, peers, "window page");
    if (!veilor.click(ui::ids::kChkVisible)) return 1;
    idle(&veilor, peers, "window page, only visible windows");
    if (!veilor.click(ui::ids::kChkVisible) || !veilor.click(ui::ids::kCommand2)) return 1;
    idle(&veilor, peers, "tray page");
    if (!pressUntil(focus, 'A', veilor.main, false) || !waitAllHidden(peers, shell)) {
        std::printf("  Alt+A did not hide Veilor and the peers\n");
        return 1;
    }
    idle(&veilor, peers, "hidden by Alt+A");
    if (!pressUntil(focus, 'R', veilor.main, true)) {
        std::printf("  Alt+R did not bring Veilor back\n");
        return 1;
    }
    if (!veilor.click(ui::ids::kFrmTray) || !waitVisible(veilor.main, false)) return 1;
    idle(&veilor, peers, "minimised to the notification area");
    return 0;
}
