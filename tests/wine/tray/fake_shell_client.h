#pragma once
// What the test drivers ask the fake shell about its own toolbar.
#include <windows.h>

#include <gtest/gtest.h>

namespace fake_shell {

// Sends one of the fake shell's questions; a shell that does not answer fails the test.
inline LRESULT ask(HWND tray, UINT message, WPARAM wParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(tray, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, &result)) {
        ADD_FAILURE() << "the fake shell does not answer message " << message;
    }
    return static_cast<LRESULT>(result);
}

}  // namespace fake_shell
