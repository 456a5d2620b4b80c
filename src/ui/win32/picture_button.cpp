// The face of a picture button: a flat, quiet tile with its label in the middle, lighter
// under the mouse and darker while pressed.
#include "ui/win32/form_view.h"
#include "ui/win32/skin.h"

namespace ui::win32 {
namespace {

struct Palette {
    COLORREF face;
    COLORREF border;
    COLORREF text;
};

Palette paletteFor(const DRAWITEMSTRUCT& item, bool hot) {
    if (item.itemState & ODS_DISABLED)
        return {RGB(0xF0, 0xF0, 0xF0), RGB(0xC8, 0xC8, 0xC8), GetSysColor(COLOR_GRAYTEXT)};
    if (item.itemState & ODS_SELECTED)
        return {RGB(0xC9, 0xDC, 0xF5), RGB(0x4A, 0x7E, 0xC2), RGB(0x10, 0x24, 0x40)};
    if (hot) return {RGB(0xE2, 0xEE, 0xFC), RGB(0x6E, 0x9A, 0xD6), RGB(0x10, 0x24, 0x40)};
    return {RGB(0xF5, 0xF8, 0xFC), RGB(0xA7, 0xBC, 0xD8), RGB(0x1E, 0x2E, 0x44)};
}

// On a skinned form the button's corners show the skin under it, so it is painted into
// the button first, shifted to where the button sits.
void paintSkinUnder(const FormView& view, const DRAWITEMSTRUCT& item) {
    RECT client{}, at{};
    GetClientRect(view.hwnd, &client);
    GetWindowRect(item.hwndItem, &at);
    MapWindowPoints(nullptr, view.hwnd, reinterpret_cast<POINT*>(&at), 2);
    int saved = SaveDC(item.hDC);
    IntersectClipRect(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right,
                      item.rcItem.bottom);
    OffsetViewportOrgEx(item.hDC, -at.left, -at.top, nullptr);
    guarded([&] { view.painter(item.hDC, client); });
    RestoreDC(item.hDC, saved);
}

void drawSkinned(const FormView& view, const DRAWITEMSTRUCT& item, const PictureButton& button) {
    skin::ButtonState state;
    state.hot = view.hotButton == item.hwndItem;
    state.pressed = (item.itemState & ODS_SELECTED) != 0;
    state.disabled = (item.itemState & ODS_DISABLED) != 0;
    state.focused = (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT);
    if (view.painter) {
        paintSkinUnder(view, item);
    } else {
        HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
        FillRect(item.hDC, &item.rcItem, face);
    }
    if (button.face() != PictureButton::Face::Tile) {
        if (!view.painter) state.hot = true;  // the light symbol needs a dark square here
        skin::paintGlyph(item.hDC, item.rcItem, button.face(), state);
        return;
    }
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    skin::paintTile(item.hDC, item.rcItem, windowText(item.hwndItem), font, state);
}

}  // namespace

void drawPictureButton(const FormView& view, const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_BUTTON) return;
    const Control* control = view.controlOf(item.hwndItem);
    if (control && control->kind() == ControlKind::PictureButton) {
        const auto& button = static_cast<const PictureButton&>(*control);
        if (view.painter || button.face() != PictureButton::Face::Tile)
            return drawSkinned(view, item, button);
    }
    Palette p = paletteFor(item, view.hotButton == item.hwndItem);
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    HBRUSH face = CreateSolidBrush(p.face);
    HPEN pen = CreatePen(PS_SOLID, 1, p.border);
    HGDIOBJ oldBrush = SelectObject(dc, face);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(face);

    std::wstring label = windowText(item.hwndItem);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, p.text);
    RECT text = r;
    if (item.itemState & ODS_SELECTED) OffsetRect(&text, 1, 1);
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (oldFont) SelectObject(dc, oldFont);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace ui::win32
