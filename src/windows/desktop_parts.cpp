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

// The system applies a zero rectangle even together with a show or hide flag, and a
// restore would un-maximise the desktop window and take the focus: both parts keep
// their place, size, z-order and activation, and only come and go.
constexpr std::uint32_t kKeepPlace =
    platform::kSwpNoMove | platform::kSwpNoSize | platform::kSwpNoZOrder | platform::kSwpNoActivate;

void setShown(platform::Desktop& desktop, platform::WindowHandle window, bool shown) {
    desktop.setWindowPos(
        window, 0, 0, 0, 0,
        kKeepPlace | (shown ? platform::kSwpShowWindow : platform::kSwpHideWindow));
}

}  // namespace

void HideTaskbar(platform::Desktop& desktop) {
    setShown(desktop, taskbar(desktop), false);
}

void ShowTaskbar(platform::Desktop& desktop) {
    setShown(desktop, taskbar(desktop), true);
}

void HideDesktopIcons(platform::Desktop& desktop) {
    setShown(desktop, desktopIcons(desktop), false);
}

void ShowDesktopIcons(platform::Desktop& desktop) {
    setShown(desktop, desktopIcons(desktop), true);
}

}  // namespace windows
