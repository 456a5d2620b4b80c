// How fast the screen clears: from a real Alt+A to the last of 100 peer windows, spread over
// 10 programs as on a real desktop, invisible. Beside it, in turn within one run:
//   the floor: a bare loop that marks each window's title and posts its hide, one by one;
//   the limit: a hide posted to every window at once, the programs hiding their own windows
//   side by side, without any title written.
// Prints the medians and Veilor's time over the limit.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench_desktop.h"
#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace bench;

constexpr int kPrograms = 10;
constexpr int kWindowsEach = 10;
int rounds = 7;  // the first argument may ask for more

using Programs = std::vector<std::unique_ptr<Peers>>;

template <typename Each>
bool every(const Programs& programs, Each each) {
    for (const auto& peers : programs) {
        if (!each(*peers)) return false;
    }
    return true;
}

bool allInvisible(const Programs& programs) {
    return every(programs, [](const Peers& p) { return p.allHidden(); });
}

bool allMarked(const Programs& programs) {
    return every(programs, [](const Peers& p) { return p.allMarked(); });
}

double timed(const Programs& programs, const std::function<void()>& hide) {
    const double start = nowMs();
    hide();
    if (!waitUntil([&] { return allInvisible(programs); })) return -1;
    return nowMs() - start;
}

double floorRound(const Programs& programs) {
    return timed(programs, [&] {
        for (const auto& peers : programs) {
            for (HWND window : peers->windows)
                markAndHide(window);
        }
    });
}

double limitRound(const Programs& programs) {
    return timed(programs, [&] {
        for (const auto& peers : programs) {
            for (HWND window : peers->windows)
                ShowWindowAsync(window, SW_HIDE);
        }
    });
}

double veilorRound(const Programs& programs, HWND focus) {
    SetForegroundWindow(focus);
    pumpFor(300);
    return timed(programs, [] { wine_test::pressKeys({VK_MENU, 'A'}); });
}

bool restoreAll(Programs& programs, Shell& shell) {
    shell.showAll();
    bool ok = true;
    for (auto& peers : programs)
        ok = peers->restore() && ok;
    // Veilor's widget docks a moment after a hide and pauses its thread while it does.
    pumpFor(2500);
    return ok;
}

struct Figures {
    std::vector<double> floors, limits, veilors, ratios;
};

bool failed(const char* what) {
    std::printf("  %s did not end in time\n", what);
    return false;
}

// The first round of each only warms up. A round that times out ends the run.
bool runRounds(Programs& programs, Shell& shell, HWND focus, Figures& out) {
    for (int i = 0; i <= rounds; ++i) {
        const double floor = floorRound(programs);
        if (floor < 0) return failed("the floor's hide");
        if (!restoreAll(programs, shell)) return failed("the restore after the floor");
        const double limit = limitRound(programs);
        if (limit < 0) return failed("the limit's hide");
        if (!restoreAll(programs, shell)) return failed("the restore after the limit");
        const double veilor = veilorRound(programs, focus);
        if (veilor < 0) return failed("Veilor's hide");
        // Veilor marks the titles once the windows are on their way out; a restore before
        // it has done so would have its titles overwritten.
        if (!waitUntil([&] { return allMarked(programs); })) return failed("Veilor's marking");
        if (!restoreAll(programs, shell)) return failed("the restore after Veilor");
        if (i == 0) continue;
        out.floors.push_back(floor);
        out.limits.push_back(limit);
        out.veilors.push_back(veilor);
        out.ratios.push_back(veilor / limit);
        std::printf("  round %d: floor %7.1f ms  limit %7.1f ms  Veilor %7.1f ms  (%.2fx)\n", i,
                    floor, limit, veilor, veilor / limit);
        std::fflush(stdout);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) rounds = std::max(1, std::atoi(argv[1]));
    SettingsFile settings;
    settings.write();
    Shell shell;
    Programs programs;
    HWND focus = wine_test::openKeyboardWindow(L"VeilorScreenClearBench");
    bool ready = focus && shell.start();
    for (int i = 0; ready && i < kPrograms; ++i) {
        programs.push_back(std::make_unique<Peers>());
        ready = programs.back()->start(kWindowsEach);
    }
    Veilor veilor;
    if (!ready || !veilor.start() || !veilor.click(ui::ids::kCommand1)) {
        std::printf("could not set the desktop up\n");
        return 1;
    }
    pumpFor(3000);  // the hotkeys are armed a moment after the window shows
    std::printf("screen clear: %d windows in %d programs, %d icons\n", kPrograms * kWindowsEach,
                kPrograms, kIcons);
    Figures f;
    if (!runRounds(programs, shell, focus, f)) {
        return 1;
    }
    std::printf("  medians of %d rounds: floor %.1f ms  limit %.1f ms  Veilor %.1f ms\n", rounds,
                median(f.floors), median(f.limits), median(f.veilors));
    std::printf("  Veilor / limit %.2f (median of the rounds' ratios %.2f)  floor / limit %.2f\n",
                median(f.veilors) / median(f.limits), median(f.ratios),
                median(f.floors) / median(f.limits));
    return 0;
}
