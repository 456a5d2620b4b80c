// Times one one-key hide of the real Veilor.exe (its button clicked, until the last peer
// window and the last icon are hidden) with 20 and with 100 peer windows and 20 icons,
// and once more with one peer window whose thread has stopped answering; beside the
// floor, a bare loop that marks and hides the same windows and icons. Then, for scale,
// the icons alone through the tray page.
#include <cstdio>
#include <utility>

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

// For scale: the icons alone, through the tray page's hide-all and show-all buttons,
// beside the floor hiding and showing the same buttons one message each; the one-key
// hide and restore do the same per icon.
bool measureIconsAlone(Veilor& veilor, Shell& shell) {
    Figures hide, show;
    for (int i = 0; i <= kRounds; ++i) {
        double start = nowMs();
        shell.setAllHidden(true);
        if (!shell.waitHidden(kIcons)) return false;
        const double floorHide = nowMs() - start;
        start = nowMs();
        shell.setAllHidden(false);
        if (!shell.waitHidden(0)) return false;
        const double floorShow = nowMs() - start;
        start = nowMs();
        if (!veilor.click(ui::ids::kCmdHideAll) || !shell.waitHidden(kIcons)) return false;
        const double hidden = nowMs() - start;
        start = nowMs();
        if (!veilor.click(ui::ids::kCmdShowAll) || !shell.waitHidden(0)) return false;
        const double shown = nowMs() - start;
        if (i == 0) continue;  // warming up
        hide.floor.push_back(floorHide);
        hide.veilor.push_back(hidden);
        hide.ratio.push_back(hidden / floorHide);
        show.floor.push_back(floorShow);
        show.veilor.push_back(shown);
        show.ratio.push_back(shown / floorShow);
    }
    for (const auto& [what, figures] : {std::pair{"hide-all", &hide}, std::pair{"show-all", &show}})
        std::printf(
            "tray page %s alone,    %2d icons: floor %8.2f ms  Veilor %8.2f ms"
            "  ratio %6.2f\n",
            what, kIcons, median(figures->floor), median(figures->veilor), median(figures->ratio));
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
    if (!measureIconsAlone(veilor, shell)) {
        std::printf("the tray page's buttons did not finish within %lu ms\n", kDeadlineMs);
        ok = false;
    }
    return ok ? 0 : 1;
}
