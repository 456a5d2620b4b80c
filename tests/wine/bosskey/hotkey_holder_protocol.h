#pragma once
// A peer program that takes one system-wide hotkey before Veilor can, shared by the peer
// and its driver.
//
//   hotkey_holder.exe MODIFIERS KEY   RegisterHotKey(MOD_* bits, virtual-key code)
//
// Once the combination is its own it opens one untitled window of kClass (untitled, so
// Veilor's window list leaves it alone). It ends with exit code kTaken when the
// combination was already taken. The window answers kPressCount with the number of
// WM_HOTKEY messages it has received.
#include <windows.h>

namespace hotkey_holder {

inline constexpr wchar_t kClass[] = L"VeilorHotKeyHolder";
inline constexpr UINT kPressCount = WM_APP + 1;
inline constexpr DWORD kTaken = 3;

}  // namespace hotkey_holder
