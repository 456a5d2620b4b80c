#pragma once
// The main window's skin: its background and the faces of its picture buttons, all
// drawn with GDI and scaled from the 500 x 380 pixel design to the window's real size.
#include <windows.h>

#include "ui/controls.h"

namespace ui::win32::skin {

// Colours the labels and buttons over the skin use, so they stay readable on it.
constexpr COLORREF kHeaderText = RGB(0xE8, 0xEE, 0xF6);
constexpr COLORREF kBodyText = RGB(0x1E, 0x29, 0x3B);
constexpr COLORREF kAccent = RGB(0x3B, 0x82, 0xF6);

// Paints the whole background of the main window's client area.
void paintMainBackground(HDC dc, RECT client);

struct ButtonState {
    bool hot = false;
    bool pressed = false;
    bool disabled = false;
    bool focused = false;
};

// A rounded tile with its label centred on it.
void paintTile(HDC dc, RECT r, const std::wstring& label, HFONT font, ButtonState state);
// One of the small symbols of the window's own commands, on a square that lights up
// under the mouse.
void paintGlyph(HDC dc, RECT r, PictureButton::Face face, ButtonState state);

}  // namespace ui::win32::skin
