#include "windows/window_ops.h"

#include "core/text.h"

namespace windows {

std::string GetWinText(platform::Desktop& desktop, platform::WindowHandle window) {
    if (window == platform::kNoWindow) return {};
    return desktop.windowText(window);
}

bool WinCommand(platform::Desktop& desktop, platform::WindowHandle window, int command) {
    switch (command) {
        case kWinShow:
            return desktop.showWindow(window, platform::ShowCommand::Show);
        case kWinHide:
            return desktop.showWindow(window, platform::ShowCommand::Hide);
        default:
            return false;
    }
}

std::string leftChars(std::string_view text, std::size_t n) {
    std::size_t end = 0;
    for (std::size_t count = 0; end < text.size() && count < n; ++count) {
        ++end;
        // Continuation bytes belong to the character already counted.
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return std::string(text.substr(0, end));
}

bool isOwnTitle(std::string_view title) {
    return core::trim(leftChars(title, 6)) == kAppTitle;
}

bool hasHiddenMarker(std::string_view text) {
    return core::startsWith(text, kHiddenMarker);
}

bool hasFrozenMarker(std::string_view text) {
    return core::startsWith(text, kFrozenMarker);
}

bool isMarkable(std::string_view title) {
    return !isOwnTitle(title) && !hasHiddenMarker(title) && title != kProgramManager;
}

}  // namespace windows
