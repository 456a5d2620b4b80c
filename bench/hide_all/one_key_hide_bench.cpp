// Times one one-key hide of the real Veilor.exe (its button clicked, until the last peer
// window and the last icon are hidden) with 20 and with 100 peer windows and 20 icons,
// and once more with one peer window whose thread has stopped answering; beside the
// floor, a bare loop that marks and hides the same windows and icons.
#include <cstdio>

#include "bench_desktop.h"
#include "ui/control_ids.h"

namespace {

using namespace bench;

constexpr int kRounds = 5;

struct Figures {
    std::vector<double> floor, veilor, clickReturn, ratio;
};

bool round(Veilor& veilor, Peers& peers, const FrozenWindow* frozen, Shell& shell,
           Figures* figures) {
    const double floor = floorHide(peers, frozen, shell);
    if (floor < 0 || !restoreAll(peers, shell)) return false;
    const double start = nowMs();
    if (!veilor.click(ui::ids::kCommand7)) return false;
    const double returned = nowMs() - start;
    if (!waitAllHidden(peers, shell)) return false;
    const double hidden = nowMs() - start;
    if (!restoreAll(peers, shell)) return false;
    if (figures) {
        figures->floor.push_back(floor);
        figures->veilor.push_back(hidden);
        figures->clickReturn.push_back(returned);
        figures->ratio.push_back(hidden / floor);
    }
    return true;
}

bool measure(Veilor& veilor, Shell& shell, int windows, bool withFrozen) {
    Peers peers;
    FrozenWindow frozen;
    if (!peers.start(windows) || (withFrozen && !frozen.open())) {
        std::printf("could not open %d peer windows\n", windows);
        return false;
    }
    if (withFrozen) frozen.freeze();
    const FrozenWindow* frozenOne = withFrozen ? &frozen : nullptr;
    Figures figures;
    // The first round warms both sides up and is not counted.
    bool ok = round(veilor, peers, frozenOne, shell, nullptr);
    for (int i = 0; ok && i < kRounds; ++i)
        ok = round(veilor, peers, frozenOne, shell, &figures);
    if (!ok) {
        std::printf("%3d windows%s: a hide did not finish within %lu ms\n", windows,
                    withFrozen ? " + 1 frozen" : "", kDeadlineMs);
        return false;
    }
    std::printf(
        "%3d peer windows%-11s %2d icons: floor %8.2f ms  Veilor %8.2f ms"
        " (click returned after %8.2f ms)  ratio %6.2f\n",
        windows, withFrozen ? " + 1 frozen" : "", kIcons, median(figures.floor),
        median(figures.veilor), median(figures.clickReturn), median(figures.ratio));
    std::fflush(stdout);
    return true;
}

}  // namespace

int main() {
    std::printf("one-key hide until the last window and icon are hidden, median of %d rounds\n",
                kRounds);
    std::fflush(stdout);
    SettingsFile settings;
    Shell shell;
    Veilor veilor;
    if (!shell.start() || !veilor.start()) {
        std::printf("could not start the fake shell and Veilor.exe\n");
        return 1;
    }
    bool ok = measure(veilor, shell, 20, false);
    ok = measure(veilor, shell, 100, false) && ok;
    ok = measure(veilor, shell, 100, true) && ok;
    return ok ? 0 : 1;
}
