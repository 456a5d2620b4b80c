#pragma once
// What the platform tests and their peer program agree on.
#include <windows.h>

namespace peer {

// The class of every window the peer opens.
constexpr const wchar_t* kWindowClass = L"VeilorPlatformPeer";
// Sent or posted to a peer window: its thread sleeps for wParam milliseconds, as a
// program whose user-interface thread is stuck.
constexpr UINT kHangMessage = WM_APP + 7;

// Exit codes of "instance" mode: the sender's result plus the milliseconds it took.
constexpr DWORD kDelivered = 1000000;
constexpr DWORD kNotDelivered = 2000000;
constexpr DWORD kWasFirst = 3000000;

}  // namespace peer
