#pragma once
// Value types shared by every platform family. Handles are plain integers so the
// logic can keep and compare them without knowing what the system behind them is;
// 0 is "no window" and makes every call that receives it fail quietly.
#include <cstdint>

namespace platform {

using WindowHandle = std::uintptr_t;
constexpr WindowHandle kNoWindow = 0;

// The show states of ShowWindow, with their Win32 values.
enum class ShowCommand : int {
    Hide = 0,
    Normal = 1,
    Minimized = 2,
    Maximized = 3,
    NoActivate = 4,
    Show = 5,
    Minimize = 6,
    MinNoActive = 7,
    ShowNA = 8,
    Restore = 9,
};

// LocalAppData is the user's local application data: it stays on this machine, where
// Documents may be redirected to a share or synced away.
enum class SpecialFolder { MyDocuments, Templates, Desktop, System, Windows, LocalAppData };

// A rectangle of the screen in twips, through the screen's DPI.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

}  // namespace platform
