#include "windows/desktop_parts.h"

#include <string>

namespace windows {
namespace {

platform::WindowHandle taskbar(platform::Desktop& desktop) {
    return desktop.findWindow(std::string(kTaskbarClass), "");
}

platform::WindowHandle desktopIcons(platform::Desktop& desktop) {
    return desktop.findWindow(std::string(kDesktopIconsClass), "");
}

}  // namespace

// With a show or hide flag the zero position and size are ignored by the system.
void HideTaskbar(platform::Desktop& desktop) {
    desktop.setWindowPos(taskbar(desktop), 0, 0, 0, 0, platform::kSwpHideWindow);
}

void ShowTaskbar(platform::Desktop& desktop) {
    desktop.setWindowPos(taskbar(desktop), 0, 0, 0, 0, platform::kSwpShowWindow);
}

void HideDesktopIcons(platform::Desktop& desktop) {
    desktop.showWindow(desktopIcons(desktop), platform::ShowCommand::Hide);
}

void ShowDesktopIcons(platform::Desktop& desktop) {
    desktop.showWindow(desktopIcons(desktop), platform::ShowCommand::Restore);
}

}  // namespace windows
