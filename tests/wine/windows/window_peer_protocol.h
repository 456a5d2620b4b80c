#pragma once
// What the window peer program opens, shared by the peer and its drivers.
//
//   window_peer.exe            the window set below
//   window_peer.exe count N    N plain visible windows titled "Bench peer 0001".."N"
//   window_peer.exe retitle    one window that rewrites its own title every 300 ms, as
//                              chat and mail programs do: "(1) Retitling Peer", "(2) ..."
//   window_peer.exe slowtitle  one window that takes kSlowTitleMs over every new title
#include <string>

namespace window_peer {

inline constexpr wchar_t kClass[] = L"VeilorWindowPeer";

inline constexpr wchar_t kLatinTitle[] = L"Latin Peer Window";
inline constexpr wchar_t kChineseTitle[] = L"中文窗口 · 同伴程序";
inline constexpr wchar_t kDuplicateTitle[] = L"Duplicate Peer";
inline constexpr wchar_t kDisabledTitle[] = L"Disabled Peer";
inline constexpr wchar_t kSelfHiddenTitle[] = L"Self-hidden Peer";
// This window's thread stops answering messages when it receives kBlockMessage, until
// the named event kReleaseEvent is set (or a minute has passed).
inline constexpr wchar_t kHungTitle[] = L"Blocking Peer";
inline constexpr unsigned kBlockMessage = 0x8000 + 0x42;  // WM_APP + 0x42
inline constexpr wchar_t kReleaseEvent[] = L"VeilorWindowPeerRelease";

inline constexpr wchar_t kRetitlingName[] = L"Retitling Peer";
inline constexpr unsigned kRetitleMs = 300;

// Longer than Veilor waits for a title to be taken: the title changes after it gave up.
inline constexpr wchar_t kSlowTitleName[] = L"Slow Title Peer";
inline constexpr unsigned kSlowTitleMs = 1500;

inline std::wstring benchTitle(int index) {
    wchar_t digits[8] = {};
    for (int i = 3, n = index; i >= 0; --i, n /= 10)
        digits[i] = static_cast<wchar_t>(L'0' + n % 10);
    return std::wstring(L"Bench peer ") + digits;
}

}  // namespace window_peer
