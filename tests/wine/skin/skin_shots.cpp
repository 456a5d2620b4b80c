// Takes pictures of the running Veilor.exe for a person to look at: every page, every
// settings tab, and the notification-area icon's menu. Not a test: it checks nothing.
// Usage (under Wine, Veilor running): skin_shots.exe <folder>; writes NN-name.bmp there.
#include <windows.h>

#include <string>

#include "ui/control_ids.h"

namespace {

std::wstring folder;

void settle(DWORD ms) {
    DWORD until = GetTickCount() + ms;
    while (GetTickCount() < until) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
}

// Writes the screen rectangle r as a 24-bit bottom-up BMP.
void capture(RECT r, const std::wstring& name) {
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u), size = stride * static_cast<DWORD>(h);
    DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file{0x4D42, headers + size, 0, 0, headers};
    std::wstring path = folder + L"\\" + name + L".bmp";
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(out, &file, sizeof(file), &n, nullptr);
    WriteFile(out, &info.bmiHeader, sizeof(BITMAPINFOHEADER), &n, nullptr);
    WriteFile(out, bits, size, &n, nullptr);
    CloseHandle(out);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

void captureWindow(HWND window, const std::wstring& name) {
    RECT r{};
    GetWindowRect(window, &r);
    InflateRect(&r, 8, 8);
    capture(r, name);
}

void click(HWND main, int id) {
    SendMessageW(GetDlgItem(main, id), BM_CLICK, 0, 0);
    settle(700);
}

void mouseClick(int x, int y, bool right = false) {
    SetCursorPos(x, y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    settle(700);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR args, int) {
    folder = args && *args ? args : L".";
    HWND main = nullptr;
    for (int i = 0; i < 200 && !main; ++i) {
        main = FindWindowW(L"VeilorForm", L"Veilor");
        settle(100);
    }
    if (!main) return 1;
    SetForegroundWindow(main);
    settle(1000);
    captureWindow(main, L"01-start-news");
    const std::pair<int, const wchar_t*> pages[] = {
        {ui::ids::kCommand1, L"02-windows"},   {ui::ids::kCommand2, L"03-tray"},
        {ui::ids::kCommand3, L"04-processes"}, {ui::ids::kCommand9, L"05-schedule"},
        {ui::ids::kCommand4, L"06-news"},      {ui::ids::kCommand5, L"07-settings-general"},
    };
    for (const auto& [id, name] : pages) {
        click(main, id);
        captureWindow(main, name);
    }
    // The settings tabs, clicked where their headers sit.
    RECT tabs{};
    GetWindowRect(GetDlgItem(main, ui::ids::kTabStrip1), &tabs);
    mouseClick(tabs.left + 100, tabs.top + 10);
    captureWindow(main, L"08-settings-hotkeys");
    mouseClick(tabs.left + 160, tabs.top + 10);
    captureWindow(main, L"09-settings-blackscreen");
    mouseClick(tabs.left + 225, tabs.top + 10);
    captureWindow(main, L"09b-settings-rules");
    // Hover over a tile and a symbol button.
    RECT tile{}, close{};
    GetWindowRect(GetDlgItem(main, ui::ids::kCommand2), &tile);
    SetCursorPos((tile.left + tile.right) / 2, (tile.top + tile.bottom) / 2);
    settle(500);
    captureWindow(main, L"10-hover-tile");
    GetWindowRect(GetDlgItem(main, ui::ids::kFrmUnload), &close);
    SetCursorPos((close.left + close.right) / 2, (close.top + close.bottom) / 2);
    settle(500);
    captureWindow(main, L"11-hover-close");
    // Into the notification area, then the icon's right-click menu.
    click(main, ui::ids::kFrmTray);
    HWND icon = FindWindowW(L"VeilorNotifyIconWindow", nullptr);
    SetCursorPos(600, 400);
    if (icon) PostMessageW(icon, 2025, 0, WM_RBUTTONUP);
    settle(1500);
    capture({300, 200, 900, 600}, L"12-tray-menu");
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    settle(300);
    return 0;
}
