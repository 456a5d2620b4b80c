#pragma once
// Reading, marking and showing other programs' windows. A window that Veilor hid is
// known only by the hidden marker at the front of its own title, so every rule that
// tells a marked, frozen or own title apart lives here.
#include <string>
#include <string_view>

#include "platform/desktop.h"

namespace windows {

// Written in front of the title of a window that Veilor hid.
inline constexpr std::string_view kHiddenMarker = "[隐藏] ";
// Put in front of the list row of a disabled window; never written into a title.
inline constexpr std::string_view kFrozenMarker = "[Frozen] ";
inline constexpr std::string_view kProgramManager = "Program Manager";
// The program's own name, with which every title of its own windows begins.
inline constexpr std::string_view kAppTitle = "Veilor";

// WinCommand's codes.
inline constexpr int kWinShow = 1;
inline constexpr int kWinHide = 2;

// The title of a window; empty for anything that is no window.
std::string GetWinText(platform::Desktop& desktop, platform::WindowHandle window);
// Shows (kWinShow) or hides (kWinHide) a window without waiting for its program;
// any other code does nothing and answers false.
bool WinCommand(platform::Desktop& desktop, platform::WindowHandle window, int command);

// The first n characters (code points) of a UTF-8 text.
std::string leftChars(std::string_view text, std::size_t n);
// A title of Veilor's own windows: its first six characters, spaces trimmed, are the
// program's name.
bool isOwnTitle(std::string_view title);
bool hasHiddenMarker(std::string_view text);
bool hasFrozenMarker(std::string_view text);
// A title that may receive the hidden marker: not Veilor's, not already marked and not
// the desktop's.
bool isMarkable(std::string_view title);

}  // namespace windows
