#include "platform/win32/message_window.h"

namespace platform::win32 {

HWND createMessageWindow(const wchar_t* className, WNDPROC procedure, void* owner) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = module;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
    return CreateWindowExW(0, className, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module,
                           owner);
}

void* ownerOf(HWND window, UINT message, LPARAM lp) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    return reinterpret_cast<void*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace platform::win32
