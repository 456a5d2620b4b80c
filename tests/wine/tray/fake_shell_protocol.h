#pragma once
// What the fake shell program holds and how its drivers ask it about it.
//
// fake_shell.exe opens Shell_TrayWnd > TrayNotifyWnd > SysPager > a real ToolbarWindow32
// in its own process, with the buttons below; behind each button, as in the real shell,
// a record that begins with the owning program's window (here its own Shell_TrayWnd). Its
// Shell_TrayWnd is topmost, so that FindWindow meets it before Wine's own explorer's Shell_TrayWnd
// (which is not topmost, and has no TrayNotifyWnd inside). It answers the questions below sent to
// its Shell_TrayWnd, and leaves by itself after kLifetimeMs in case its driver died.
#include <windows.h>

namespace fake_shell {

struct Button {
    int commandId;
    const wchar_t* text;  // nullptr: the button has no text string at all
};

// Identifiers differ from positions on purpose; identifier 0 sits at position 4, so a
// program that sends positions for identifiers reads "Mail" for the first icon.
inline constexpr Button kButtons[] = {
    {40, L"Volume 音量"}, {3, L"QQ 好友在线"}, {2, L"QQ 好友在线"}, {1, L"网络连接 Network"},
    {0, L"Mail"},         {50, L""},           {60, nullptr},       {7, L"volume 音量"},
};

// The toolbar's client area: a refresh posts (W - 1) x (H - 1) moves to it.
inline constexpr int kToolbarWidth = 100;
inline constexpr int kToolbarHeight = 20;

inline constexpr wchar_t kNotifyClass[] = L"TrayNotifyWnd";
inline constexpr wchar_t kPagerClass[] = L"SysPager";
inline constexpr wchar_t kTrayClass[] = L"Shell_TrayWnd";

// Sent to Shell_TrayWnd. Window selector in wParam: kToolbar or kNotifyWnd.
inline constexpr WPARAM kToolbar = 0;
inline constexpr WPARAM kNotifyWnd = 1;
// Mouse moves the window received since the last reset.
inline constexpr UINT kMoveCount = WM_APP + 1;
// Of those, how many went to distinct interior points (x in 1..W-1, y in 1..H-1).
inline constexpr UINT kDistinctInteriorMoves = WM_APP + 2;
inline constexpr UINT kResetMoves = WM_APP + 3;
// The toolbar's own TB_ISBUTTONHIDDEN for the identifier in wParam: 1 hidden, 0 shown,
// -1 when the toolbar has no such button.
inline constexpr UINT kIsHidden = WM_APP + 4;
// Shows every button again.
inline constexpr UINT kShowAll = WM_APP + 5;

// Posted: the shell's thread stops answering for wParam milliseconds, as a shell that
// has hung.
inline constexpr UINT kBlock = WM_APP + 6;

// Answered with the toolbar's button count, and with how many of them are hidden.
inline constexpr UINT kButtonCount = WM_APP + 7;
inline constexpr UINT kHiddenCount = WM_APP + 8;

inline constexpr wchar_t kProgmanClass[] = L"Progman";
inline constexpr wchar_t kProgmanTitle[] = L"Program Manager";

// Button `index` of a generated set: identifiers from 100, distinct texts.
inline int generatedButtonId(int index) {
    return 100 + index;
}
inline std::wstring generatedButtonText(int index) {
    wchar_t digits[3] = {static_cast<wchar_t>(L'0' + index / 10 % 10),
                         static_cast<wchar_t>(L'0' + index % 10), 0};
    return std::wstring(L"托盘图标 ") + digits + L" Icon";
}

inline constexpr DWORD kLifetimeMs = 10 * 60 * 1000;

}  // namespace fake_shell
