#pragma once
// A message-only window that hands an object of this thread the messages posted to it
// (from workers, say): never among the desktop's windows, and its messages come through
// any message loop of the thread, a message box's included.
#include <windows.h>

#include <cstdint>

namespace platform::win32 {

// Registers the class and creates the window, which keeps `owner` for ownerOf; nullptr
// when it cannot be created.
HWND createMessageWindow(const wchar_t* className, WNDPROC procedure, void* owner);
// The window's owner, to be asked by its procedure for every message; nullptr for the
// first few, before the owner is known.
void* ownerOf(HWND window, UINT message, LPARAM lp);

// A procedure for such a window that hands the one message its owner posts, with an id
// in lParam, to Deliver. A delivery whose handler throws is lost; the program goes on.
template <class Owner, UINT Message, void (Owner::*Deliver)(std::uint32_t)>
LRESULT CALLBACK deliveringProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* self = static_cast<Owner*>(ownerOf(hwnd, msg, lp));
    if (!self || msg != Message) return DefWindowProcW(hwnd, msg, wp, lp);
    try {
        (self->*Deliver)(static_cast<std::uint32_t>(lp));
    } catch (...) {
        // Lost, as said above.
    }
    return 0;
}

}  // namespace platform::win32
