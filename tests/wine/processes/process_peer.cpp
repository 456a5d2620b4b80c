// A peer process for the process page: it idles in a message loop (so a driver can wait
// until it is up) until it is ended, or for ten minutes at most.
#include <windows.h>

namespace {

constexpr UINT kLifetimeMs = 10 * 60 * 1000;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    SetTimer(nullptr, 0, kLifetimeMs, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) break;
        DispatchMessageW(&msg);
    }
    return 0;
}
