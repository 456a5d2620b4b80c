// How long the real Veilor.exe takes from its start to its main window on screen, beside
// a bare program that opens one window, started and watched the same way: alternated,
// five of each, with 40 other programs running (each a process with a window of its
// own, as a desktop in use has). Prints the medians and their ratio.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench_desktop.h"
#include "support/driver.h"
#include "windows/window_peer_protocol.h"

namespace {

using namespace bench;

constexpr int kOthers = 40;
constexpr int kRounds = 5;
constexpr DWORD kQuietMs = 1000;

struct Launch {
    const wchar_t* program;
    const wchar_t* args;
    const wchar_t* windowClass;
    const wchar_t* title;  // empty: any title
};

bool shownBy(DWORD pid, const Launch& launch) {
    return wine_test::findTopWindow({launch.windowClass, launch.title, pid, true}) != nullptr;
}

// From CreateProcess to the program's window visible; -1 when it never came.
double launchToWindow(const Launch& launch) {
    Child child;
    const double start = nowMs();
    if (!child.start(launch.program, launch.args)) return -1;
    const bool shown =
        wine_test::pollUntil([&] { return shownBy(child.pid(), launch); }, kDeadlineMs);
    const double elapsed = nowMs() - start;
    return shown ? elapsed : -1;
}

bool startOthers(std::vector<std::unique_ptr<Child>>& others) {
    for (int i = 0; i < kOthers; ++i) {
        others.push_back(std::make_unique<Child>());
        if (!others.back()->start(L"window_peer.exe", L"count 1")) return false;
    }
    return wine_test::pollUntil(
        [&] {
            for (const auto& other : others) {
                if (!shownBy(other->pid(), {L"", L"", window_peer::kClass, L""})) return false;
            }
            return true;
        },
        60000);
}

}  // namespace

int main() {
    SettingsFile settings;
    std::vector<std::unique_ptr<Child>> others;
    if (!startOthers(others)) {
        std::printf("could not start the %d other programs\n", kOthers);
        return 1;
    }
    const Launch bare{L"window_peer.exe", L"count 1", window_peer::kClass, L""};
    const Launch veilor{L"Veilor.exe", L"", L"VeilorForm", L"Veilor"};
    std::vector<double> bareMs, veilorMs;
    std::printf("launch to the main window visible, %d other programs running\n", kOthers);
    for (int round = 0; round < kRounds; ++round) {
        pumpFor(kQuietMs);
        bareMs.push_back(launchToWindow(bare));
        pumpFor(kQuietMs);
        settings.write();
        veilorMs.push_back(launchToWindow(veilor));
        std::printf("  round %d: bare program %6.0f ms   Veilor %6.0f ms\n", round + 1,
                    bareMs.back(), veilorMs.back());
        std::fflush(stdout);
        if (bareMs.back() < 0 || veilorMs.back() < 0) return 1;
    }
    const double bareMedian = median(bareMs), veilorMedian = median(veilorMs);
    std::printf("median of %d: bare program %.0f ms, Veilor %.0f ms, ratio %.2fx\n", kRounds,
                bareMedian, veilorMedian, veilorMedian / bareMedian);
    return 0;
}
