// Times 1000 letter keys sent with SendInput until a window of this process has them all,
// with Veilor running and no black screen, then with its black screen (and so its
// keyboard hook) up; rounds alternate, and the medians and their ratio are printed.
#include <cstdio>
#include <functional>
#include <vector>

#include "bench_desktop.h"
#include "ui/control_ids.h"

namespace {

using namespace bench;

constexpr int kKeys = 1000;
constexpr int kBatch = 100;
constexpr int kRounds = 5;
int gReceived = 0;

LRESULT CALLBACK countKeys(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN) ++gReceived;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND openCounter() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = countKeys;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VeilorKeyCounter";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 600, 300, 200, 120,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

bool waitFor(const std::function<bool()>& done) {
    const double deadline = nowMs() + kDeadlineMs;
    while (!done()) {
        if (nowMs() > deadline) return false;
        pumpFor(1);
    }
    return true;
}

// Milliseconds until all the keys have arrived; negative when some never did.
double typeLetters(HWND counter) {
    SetForegroundWindow(counter);
    if (!waitFor([&] { return GetForegroundWindow() == counter; })) return -1;
    pumpFor(100);
    gReceived = 0;
    const double start = nowMs();
    for (int sent = 0; sent < kKeys; sent += kBatch) {
        std::vector<INPUT> inputs;
        for (int i = 0; i < kBatch; ++i) {
            for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
                INPUT in{};
                in.type = INPUT_KEYBOARD;
                in.ki.wVk = static_cast<WORD>('A' + i % 26);
                in.ki.dwFlags = up;
                inputs.push_back(in);
            }
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        if (!waitFor([&] { return gReceived >= sent + kBatch; })) return -1;
    }
    return nowMs() - start;
}

HWND shownWindow(DWORD pid, const wchar_t* title) {
    HWND found = nullptr;
    waitFor([&] {
        found = FindWindowW(nullptr, title);
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        return found && owner == pid && IsWindowVisible(found);
    });
    return found;
}

// A click on the black window and OK on the empty entry: the settings hold no password.
bool unlock(HWND black, DWORD pid) {
    PostMessageW(black, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(black, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    HWND prompt = shownWindow(pid, L"Veilor 黑屏密码");
    if (!prompt) return false;
    SendMessageW(GetDlgItem(prompt, ui::ids::kPwdCommand1), BM_CLICK, 0, 0);
    return waitFor([&] { return !IsWindowVisible(black); });
}

}  // namespace

int main() {
    SettingsFile settings;
    Veilor veilor;
    HWND counter = openCounter();
    if (!counter || !veilor.start()) {
        std::printf("could not start Veilor.exe or open the counting window\n");
        return 1;
    }
    std::vector<double> plain, locked, ratio;
    for (int round = 0; round <= kRounds; ++round) {
        const double without = typeLetters(counter);
        if (!veilor.click(ui::ids::kCommand6)) return 1;
        HWND black = shownWindow(veilor.process.pid(), L"Veilor 黑屏");
        const double with = black ? typeLetters(counter) : -1;
        if (without < 0 || with < 0) {
            std::printf("keys went missing (without %.0f, with %.0f)\n", without, with);
            return 1;
        }
        if (!unlock(black, veilor.process.pid())) {
            std::printf("the black screen did not end\n");
            return 1;
        }
        if (round == 0) continue;  // warm-up
        plain.push_back(without);
        locked.push_back(with);
        ratio.push_back(with / without);
    }
    std::printf("%d letter keys: %.1f ms without the black screen, %.1f ms with it; ratio %.2fx\n",
                kKeys, median(plain), median(locked), median(ratio));
    return 0;
}
