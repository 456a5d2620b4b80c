#pragma once
// A message-only window that hands an object of this thread the messages posted to it
// (from workers, say): never among the desktop's windows, and its messages come through
// any message loop of the thread, a message box's included.
#include <windows.h>

namespace platform::win32 {

// Registers the class and creates the window, which keeps `owner` for ownerOf; nullptr
// when it cannot be created.
HWND createMessageWindow(const wchar_t* className, WNDPROC procedure, void* owner);
// The window's owner, to be asked by its procedure for every message; nullptr for the
// first few, before the owner is known.
void* ownerOf(HWND window, UINT message, LPARAM lp);

}  // namespace platform::win32
