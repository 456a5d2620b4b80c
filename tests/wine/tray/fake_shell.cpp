// A stand-in for the Windows shell's taskbar: the window chain a notification-area
// client walks, a real toolbar with text buttons in its own process, and counters for
// the pointer moves posted to it.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tray/fake_shell_protocol.h"

namespace {

using namespace fake_shell;

struct Moves {
    long count = 0;
    std::set<std::pair<int, int>> interior;
    void reset() {
        count = 0;
        interior.clear();
    }
    void add(LPARAM lp, int width, int height) {
        ++count;
        int x = static_cast<short>(LOWORD(lp));
        int y = static_cast<short>(HIWORD(lp));
        if (x >= 1 && x < width && y >= 1 && y < height) interior.insert({x, y});
    }
};

HWND gToolbar = nullptr;
HWND gNotify = nullptr;
WNDPROC gToolbarProc = nullptr;
Moves gToolbarMoves;
Moves gNotifyMoves;

int clientWidth(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return r.right;
}

int clientHeight(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return r.bottom;
}

LRESULT CALLBACK toolbarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEMOVE) gToolbarMoves.add(lp, clientWidth(hwnd), clientHeight(hwnd));
    return CallWindowProcW(gToolbarProc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK notifyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEMOVE) gNotifyMoves.add(lp, clientWidth(hwnd), clientHeight(hwnd));
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT isHidden(WPARAM id) {
    if (SendMessageW(gToolbar, TB_COMMANDTOINDEX, id, 0) < 0) return -1;
    return SendMessageW(gToolbar, TB_ISBUTTONHIDDEN, id, 0) ? 1 : 0;
}

int buttonCount() {
    return static_cast<int>(SendMessageW(gToolbar, TB_BUTTONCOUNT, 0, 0));
}

// Every button by position, whatever set the shell was started with.
std::vector<int> allButtonIds() {
    std::vector<int> ids;
    for (int i = 0; i < buttonCount(); ++i) {
        TBBUTTON button{};
        if (SendMessageW(gToolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)))
            ids.push_back(button.idCommand);
    }
    return ids;
}

LRESULT hiddenCount() {
    LRESULT hidden = 0;
    for (int id : allButtonIds())
        hidden += isHidden(static_cast<WPARAM>(id)) == 1;
    return hidden;
}

LRESULT CALLBACK trayProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Moves& moves = wp == kNotifyWnd ? gNotifyMoves : gToolbarMoves;
    switch (msg) {
        case kMoveCount:
            return moves.count;
        case kDistinctInteriorMoves:
            return static_cast<LRESULT>(moves.interior.size());
        case kResetMoves:
            gToolbarMoves.reset();
            gNotifyMoves.reset();
            return 1;
        case kIsHidden:
            return isHidden(wp);
        case kShowAll:
            for (int id : allButtonIds())
                SendMessageW(gToolbar, TB_HIDEBUTTON, id, FALSE);
            return 1;
        case kButtonCount:
            return buttonCount();
        case kHiddenCount:
            return hiddenCount();
        case kBlock:
            Sleep(static_cast<DWORD>(wp));
            return 0;
        case WM_COPYDATA:
            return TRUE;  // a notification icon from some program: taken, and ignored
        case WM_TIMER:
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void registerClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

// What the shell keeps behind each icon's button: the record begins with the window of
// the program the icon belongs to. Every icon here is the fake shell's own.
struct IconRecord {
    HWND owner;
    UINT id;
};
IconRecord gIconRecord{};

void addButton(int commandId, const wchar_t* text) {
    TBBUTTON button{};
    button.dwData = reinterpret_cast<DWORD_PTR>(&gIconRecord);
    button.iBitmap = I_IMAGENONE;
    button.idCommand = commandId;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    button.iString = text ? reinterpret_cast<INT_PTR>(text) : -1;
    SendMessageW(gToolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
}

// Kept for the toolbar's lifetime, whatever it does with the pointers it is given.
std::vector<std::wstring> gGeneratedTexts;

void addButtons(int generated) {
    SendMessageW(gToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (generated < 0) {
        for (const Button& b : kButtons)
            addButton(b.commandId, b.text);
        return;
    }
    for (int i = 0; i < generated; ++i)
        gGeneratedTexts.push_back(generatedButtonText(i));
    for (int i = 0; i < generated; ++i)
        addButton(generatedButtonId(i), gGeneratedTexts[i].c_str());
}

struct Options {
    int generatedButtons = -1;  // -1: the fixed set
    bool progman = false;
};

Options parseOptions(const std::wstring& args) {
    Options options;
    std::size_t at = args.find(L"buttons ");
    if (at != std::wstring::npos) options.generatedButtons = _wtoi(args.c_str() + at + 8);
    options.progman = args.find(L"progman") != std::wstring::npos;
    return options;
}

// The desktop window the desktop-icon toggle hides. Topmost, like our Shell_TrayWnd, and
// small, in the bottom-left corner away from the widgets and the pointer.
bool openProgman(HINSTANCE instance) {
    registerClass(kProgmanClass, DefWindowProcW);
    HWND progman = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                   kProgmanClass, kProgmanTitle, WS_POPUP | WS_BORDER, 0, 724, 120,
                                   40, nullptr, nullptr, instance, nullptr);
    if (!progman) return false;
    ShowWindow(progman, SW_SHOWNOACTIVATE);
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const Options options = parseOptions(commandLine ? commandLine : L"");
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    registerClass(kTrayClass, trayProc);
    registerClass(kNotifyClass, notifyProc);
    registerClass(kPagerClass, DefWindowProcW);

    // Bottom right of Wine's 1024 x 768 desktop, away from the middle where the pointer
    // rests and where programs open their windows.
    HWND tray =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTrayClass, L"", WS_POPUP | WS_BORDER,
                        600, 724, 420, 40, nullptr, nullptr, instance, nullptr);
    gNotify = CreateWindowExW(0, kNotifyClass, L"", WS_CHILD | WS_VISIBLE, 200, 4, 210, 30, tray,
                              nullptr, instance, nullptr);
    HWND pager = CreateWindowExW(0, kPagerClass, L"", WS_CHILD | WS_VISIBLE, 4, 2, kToolbarWidth,
                                 kToolbarHeight, gNotify, nullptr, instance, nullptr);
    gToolbar =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE |
                            CCS_NOPARENTALIGN | CCS_NODIVIDER,
                        0, 0, kToolbarWidth, kToolbarHeight, pager, nullptr, instance, nullptr);
    if (!tray || !gNotify || !pager || !gToolbar) return 1;
    gToolbarProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(gToolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(toolbarProc)));
    gIconRecord.owner = tray;
    addButtons(options.generatedButtons);
    if (options.progman && !openProgman(instance)) return 1;
    SetTimer(tray, 1, kLifetimeMs, nullptr);
    ShowWindow(tray, SW_SHOWNOACTIVATE);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
