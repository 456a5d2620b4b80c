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
    // Veilor may still be taking the front from a start or an unlock: settle first.
    for (int i = 0; i < 10 && GetForegroundWindow() != counter; ++i) {
        SetForegroundWindow(counter);
        pumpFor(300);
    }
    if (GetForegroundWindow() != counter) {
        std::printf("the counting window did not come to the front\n");
        return -1;
    }
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
        if (!waitFor([&] { return gReceived >= sent + kBatch; })) {
            std::printf("%d of %d keys arrived\n", gReceived, sent + kBatch);
            return -1;
        }
    }
    return nowMs() - start;
}

// The floor of any keyboard hook here: one that only hands every key on, on a thread of
// this process's own.
struct BareHook {
    HANDLE thread = nullptr;
    DWORD id = 0;
    static LRESULT CALLBACK pass(int code, WPARAM wp, LPARAM lp) {
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static DWORD WINAPI run(LPVOID) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, pass, GetModuleHandleW(nullptr), 0);
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
        UnhookWindowsHookEx(hook);
        return 0;
    }
    BareHook() {
        thread = CreateThread(nullptr, 0, run, nullptr, 0, &id);
        pumpFor(200);
    }
    ~BareHook() {
        PostThreadMessageW(id, WM_QUIT, 0, 0);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
};

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
    // As the black screen leaves it, so that the hook is all that differs between the two.
    if (!veilor.click(ui::ids::kFrmTray)) return 1;
    std::vector<double> plain, locked, bare, ratio, bareRatio;
    for (int round = 0; round <= kRounds; ++round) {
        const double without = typeLetters(counter);
        double floor = -1;
        {
            BareHook hook;
            floor = typeLetters(counter);
        }
        if (!veilor.click(ui::ids::kCommand6)) return 1;
        HWND black = shownWindow(veilor.process.pid(), L"Veilor 黑屏");
        const double with = black ? typeLetters(counter) : -1;
        if (without < 0 || with < 0 || floor < 0) {
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
        bare.push_back(floor);
        ratio.push_back(with / without);
        bareRatio.push_back(floor / without);
    }
    std::printf("%d letter keys: %.1f ms without the black screen, %.1f ms with it; ratio %.2fx\n",
                kKeys, median(plain), median(locked), median(ratio));
    std::printf("floor, a hook that only hands keys on: %.1f ms; ratio %.2fx\n", median(bare),
                median(bareRatio));
    return 0;
}
