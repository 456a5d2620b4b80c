// The boss key as the user meets it: from a real Alt+A (SendInput) to the moment the last
// of 100 peer windows is hidden, and to the moment the last of them is also marked (what
// Veilor does after hiding), beside the floor (a bare loop marking and hiding the same
// windows and icons); and what Veilor costs while it sits idle with the window list open: its
// processor time over 10 s, beside an idle program's (the fake shell's) over the same
// 10 s.
#include <cstdio>

#include "bench_desktop.h"
#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace bench;

constexpr int kRounds = 5;
constexpr int kWindows = 100;
constexpr DWORD kIdleMs = 10000;

void idle(const Veilor& veilor, const Shell& shell, const char* what) {
    pumpFor(2000);
    const double veilorBefore = veilor.process.processorMs();
    const double shellBefore = shell.process.processorMs();
    const double start = nowMs();
    pumpFor(kIdleMs);
    const double wall = nowMs() - start;
    const double veilorMs = veilor.process.processorMs() - veilorBefore;
    const double shellMs = shell.process.processorMs() - shellBefore;
    std::printf("  idle %-38s Veilor %8.1f ms (%5.2f%% of one core)  idle peer %6.1f ms\n", what,
                veilorMs, 100.0 * veilorMs / wall, shellMs);
    std::fflush(stdout);
}

bool hotkeyRounds(Peers& peers, Shell& shell, HWND focus) {
    std::vector<double> floors, keys, ratios, markedKeys, markedRatios;
    for (int i = 0; i <= kRounds; ++i) {
        const double floor = floorHide(peers, nullptr, shell);
        if (floor < 0 || !restoreAll(peers, shell)) return false;
        SetForegroundWindow(focus);
        pumpFor(200);
        const double start = nowMs();
        wine_test::pressKeys({VK_MENU, 'A'});
        if (!waitAllHidden(peers, shell)) return false;
        const double hidden = nowMs() - start;
        if (!waitAllMarked(peers)) return false;
        const double marked = nowMs() - start;
        if (!restoreAll(peers, shell)) return false;
        if (i == 0) continue;  // warming up
        floors.push_back(floor);
        keys.push_back(hidden);
        ratios.push_back(hidden / floor);
        markedKeys.push_back(marked);
        markedRatios.push_back(marked / floor);
    }
    std::printf(
        "  Alt+A to the last of %d windows hidden: floor %8.2f ms  Veilor %8.2f ms"
        "  ratio %6.2f  (median of %d rounds)\n",
        kWindows, median(floors), median(keys), median(ratios), kRounds);
    std::printf(
        "  Alt+A to the last of them also marked:   floor %8.2f ms  Veilor %8.2f ms"
        "  ratio %6.2f\n",
        median(floors), median(markedKeys), median(markedRatios));
    std::fflush(stdout);
    return true;
}

}  // namespace

int main() {
    SettingsFile settings;
    Shell shell;
    Peers peers;
    Veilor veilor;
    HWND focus = wine_test::openKeyboardWindow(L"VeilorBossKeyBench");
    if (!focus || !shell.start() || !peers.start(kWindows) || !veilor.start()) {
        std::printf("could not set the desktop up\n");
        return 1;
    }
    std::printf("boss key with %d peer windows and %d icons\n", kWindows, kIcons);
    if (!veilor.click(ui::ids::kCommand1)) return 1;
    idle(veilor, shell, "with the window list open:");
    if (!veilor.click(ui::ids::kChkVisible)) return 1;
    idle(veilor, shell, "the same, only visible windows listed:");
    if (!veilor.click(ui::ids::kChkVisible)) return 1;
    if (!hotkeyRounds(peers, shell, focus)) {
        std::printf("  Alt+A did not hide every window within %lu ms\n", kDeadlineMs);
        return 1;
    }
    return 0;
}
