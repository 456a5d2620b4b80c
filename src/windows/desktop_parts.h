#pragma once
// The shell's taskbar and its desktop icons, each hidden and shown as a whole. The shell
// owns both windows; nothing here waits for the shell's thread.
#include <string_view>

#include "platform/desktop.h"

namespace windows {

inline constexpr std::string_view kTaskbarClass = "Shell_traywnd";
inline constexpr std::string_view kDesktopIconsClass = "Progman";

void HideTaskbar(platform::Desktop& desktop);
void ShowTaskbar(platform::Desktop& desktop);
void HideDesktopIcons(platform::Desktop& desktop);
void ShowDesktopIcons(platform::Desktop& desktop);

}  // namespace windows
