// A peer program for the rig's own test: one window titled with its whole command line,
// holding two buttons that show their clicks in the title and in a file.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "rig/rig_protocol.h"

namespace {

HFONT uiFont() {
    static HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH, L"Microsoft YaHei UI");
    return font;
}

void addButton(HWND parent, int id, const wchar_t* text, int y) {
    HWND button = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, y,
                                  200, 32, parent, reinterpret_cast<HMENU>(INT_PTR{id}),
                                  GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont()), TRUE);
}

bool writeClickFile() {
    wchar_t docs[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, docs))) {
        return false;
    }
    std::wstring path = std::wstring(docs) + L"\\" + rig::kClickFilePrefix +
                        std::to_wstring(GetCurrentProcessId()) + L".txt";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok =
        WriteFile(file, rig::kClickFileText, sizeof rig::kClickFileText - 1, &written, nullptr);
    CloseHandle(file);
    return ok && written == sizeof rig::kClickFileText - 1;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_CREATE:
            addButton(window, rig::kWriteButtonId, L"写入文件", 20);
            addButton(window, rig::kTitleButtonId, L"更改标题", 70);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == rig::kWriteButtonId && writeClickFile()) {
                SetWindowTextW(window, rig::kClickedTitleA);
            } else if (LOWORD(wParam) == rig::kTitleButtonId) {
                SetWindowTextW(window, rig::kClickedTitleB);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = rig::kPeerClass;
    if (!RegisterClassW(&windowClass)) return 2;
    HWND window = CreateWindowExW(0, rig::kPeerClass, commandLine, WS_OVERLAPPEDWINDOW, 100, 100,
                                  360, 200, nullptr, nullptr, instance, nullptr);
    if (!window) return 3;
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
