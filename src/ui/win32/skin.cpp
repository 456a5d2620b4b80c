// A quiet two-tone design: a dark header band carrying the version, the name and the
// window's own commands, and a light body with a raised card behind the pages and a
// rail behind the page buttons. Everything is measured on the 500 x 380 pixel design
// and scaled to the client area, so it follows the screen's DPI.
#include "ui/win32/skin.h"

#include <algorithm>
#include <cmath>

namespace ui::win32::skin {
namespace {

constexpr double kDesignWidth = 500.0;
// No colour: leaves a fill or a border out.
constexpr COLORREF kNone = 0xFFFFFFFF;
constexpr int kHeaderBottom = 80;

constexpr COLORREF kHeaderTop = RGB(0x1B, 0x25, 0x36);
constexpr COLORREF kHeaderBottomColor = RGB(0x2A, 0x3A, 0x52);
constexpr COLORREF kBodyTop = RGB(0xF1, 0xF4, 0xF8);
constexpr COLORREF kBodyBottom = RGB(0xDE, 0xE5, 0xEE);
constexpr COLORREF kCard = RGB(0xFB, 0xFC, 0xFE);
constexpr COLORREF kCardBorder = RGB(0xC9, 0xD3, 0xE0);
constexpr COLORREF kShadow = RGB(0xD2, 0xDA, 0xE5);
constexpr COLORREF kRail = RGB(0xE3, 0xE9, 0xF1);

// Design pixels to device pixels.
struct Scale {
    double factor;
    int operator()(double design) const { return static_cast<int>(std::lround(design * factor)); }
    RECT rect(double l, double t, double r, double b) const {
        return {(*this)(l), (*this)(t), (*this)(r), (*this)(b)};
    }
};

Scale scaleFor(RECT client) {
    double f = client.right > 0 ? client.right / kDesignWidth : 1.0;
    return {f};
}

TRIVERTEX vertex(LONG x, LONG y, COLORREF c) {
    TRIVERTEX v{};
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>(GetRValue(c) << 8);
    v.Green = static_cast<COLOR16>(GetGValue(c) << 8);
    v.Blue = static_cast<COLOR16>(GetBValue(c) << 8);
    return v;
}

void verticalGradient(HDC dc, RECT r, COLORREF top, COLORREF bottom) {
    TRIVERTEX v[2] = {vertex(r.left, r.top, top), vertex(r.right, r.bottom, bottom)};
    GRADIENT_RECT g{0, 1};
    GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
}

void fillSolid(HDC dc, RECT r, COLORREF c) {
    HBRUSH brush = CreateSolidBrush(c);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// A rounded rectangle; kNone leaves the fill or the border out.
void roundedBox(HDC dc, RECT r, int radius, COLORREF fill, COLORREF border) {
    HGDIOBJ brush = fill == kNone ? GetStockObject(NULL_BRUSH) : CreateSolidBrush(fill);
    HGDIOBJ pen = border == kNone ? GetStockObject(NULL_PEN) : CreatePen(PS_SOLID, 1, border);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    // Without a pen the filled area ends one pixel short on the right and at the bottom.
    int grow = border == kNone ? 1 : 0;
    RoundRect(dc, r.left, r.top, r.right + grow, r.bottom + grow, radius, radius);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    if (fill != kNone) DeleteObject(brush);
    if (border != kNone) DeleteObject(pen);
}

HFONT wordmarkFont(const Scale& s) {
    LOGFONTW lf{};
    lf.lfHeight = -s(24);
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    wcscpy(lf.lfFaceName, L"Microsoft YaHei UI");
    return CreateFontIndirectW(&lf);
}

void paintHeader(HDC dc, const Scale& s, RECT client) {
    RECT band{0, 0, client.right, s(kHeaderBottom)};
    verticalGradient(dc, band, kHeaderTop, kHeaderBottomColor);
    // Two faint rings at the right end keep the band from looking empty.
    // Clipped in logical units: controls that show their parent's background ask for it
    // with the origin moved to where they sit.
    int saved = SaveDC(dc);
    IntersectClipRect(dc, band.left, band.top, band.right, band.bottom);
    roundedBox(dc, s.rect(330, -40, 470, 100), s(140), kNone, RGB(0x34, 0x46, 0x62));
    roundedBox(dc, s.rect(380, 10, 560, 190), s(180), kNone, RGB(0x31, 0x42, 0x5C));
    RestoreDC(dc, saved);
    fillSolid(dc, {0, s(kHeaderBottom), client.right, s(kHeaderBottom + 2)}, kAccent);

    HFONT font = wordmarkFont(s);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
    RECT mark = s.rect(16, 36, 300, 74);
    DrawTextW(dc, L"Veilor", -1, &mark, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
}

void paintBody(HDC dc, const Scale& s, RECT client) {
    verticalGradient(dc, {0, s(kHeaderBottom + 2), client.right, client.bottom}, kBodyTop,
                     kBodyBottom);
    // The rail behind the page buttons.
    roundedBox(dc, s.rect(8, 100, 99, 374), s(10), kRail, kNone);
    // The card behind the pages (which sit at 104, 96, 377 x 225): a soft shadow first.
    roundedBox(dc, s.rect(103, 94, 487, 327), s(10), kShadow, kNone);
    roundedBox(dc, s.rect(101, 91, 485, 325), s(10), kCard, kCardBorder);
}

}  // namespace

void paintMainBackground(HDC dc, RECT client) {
    Scale s = scaleFor(client);
    int saved = SaveDC(dc);
    paintBody(dc, s, client);
    paintHeader(dc, s, client);
    RestoreDC(dc, saved);
}

void paintTile(HDC dc, RECT r, const std::wstring& label, HFONT font, ButtonState state) {
    COLORREF fill = RGB(0xFF, 0xFF, 0xFF), border = kCardBorder, text = kBodyText;
    if (state.disabled) {
        fill = RGB(0xF1, 0xF5, 0xF9);
        border = RGB(0xE2, 0xE8, 0xF0);
        text = RGB(0x94, 0xA3, 0xB8);
    } else if (state.pressed) {
        fill = RGB(0xDB, 0xEA, 0xFE);
        border = RGB(0x25, 0x63, 0xEB);
        text = RGB(0x1E, 0x3A, 0x8A);
    } else if (state.hot) {
        fill = RGB(0xEF, 0xF6, 0xFF);
        border = kAccent;
        text = RGB(0x1D, 0x4E, 0xD8);
    }
    int radius = std::max(4, static_cast<int>(r.bottom - r.top) / 4);
    roundedBox(dc, r, radius, fill, border);

    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    RECT box = r;
    if (state.pressed) OffsetRect(&box, 1, 1);
    DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (oldFont) SelectObject(dc, oldFont);
    if (state.focused) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        SetTextColor(dc, kBodyText);
        DrawFocusRect(dc, &focus);
    }
}

namespace {

struct GlyphColours {
    COLORREF square;  // kNone: the header shows through
    COLORREF line;
};

GlyphColours glyphColours(PictureButton::Face face, ButtonState state) {
    bool close = face == PictureButton::Face::CloseGlyph;
    if (state.disabled) return {kNone, RGB(0x64, 0x74, 0x8B)};
    if (state.pressed)
        return {close ? RGB(0xB9, 0x1C, 0x1C) : RGB(0x0F, 0x17, 0x2A), RGB(0xFF, 0xFF, 0xFF)};
    if (state.hot)
        return {close ? RGB(0xDC, 0x26, 0x26) : RGB(0x3A, 0x4D, 0x69), RGB(0xFF, 0xFF, 0xFF)};
    return {kNone, RGB(0xCB, 0xD5, 0xE1)};
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// g is the glyph's size, about half the button's; (x, y) its centre.
void drawSymbol(HDC dc, PictureButton::Face face, int x, int y, int g) {
    int h = g / 2;
    switch (face) {
        case PictureButton::Face::HideGlyph: {
            // An eye, struck through.
            int eh = std::max(3, g * 3 / 10);
            Ellipse(dc, x - h, y - eh, x + h + 1, y + eh + 1);
            int p = std::max(1, g / 7);
            Ellipse(dc, x - p, y - p, x + p + 1, y + p + 1);
            line(dc, x - h, y + h, x + h, y - h);
            break;
        }
        case PictureButton::Face::TrayGlyph: {
            // An arrow going down into a tray.
            int q = g / 4;
            line(dc, x, y - h, x, y + q / 2);
            line(dc, x - q, y + q / 2 - q, x, y + q / 2);
            line(dc, x + q, y + q / 2 - q, x, y + q / 2);
            POINT tray[] = {{x - h, y + q / 2}, {x - h, y + h}, {x + h, y + h}, {x + h, y + q / 2}};
            Polyline(dc, tray, 4);
            break;
        }
        case PictureButton::Face::MinimizeGlyph:
            line(dc, x - h, y + h / 2, x + h, y + h / 2);
            break;
        case PictureButton::Face::CloseGlyph:
            line(dc, x - h, y - h, x + h, y + h);
            line(dc, x - h, y + h, x + h, y - h);
            break;
        case PictureButton::Face::Tile:
            break;
    }
}

}  // namespace

void paintGlyph(HDC dc, RECT r, PictureButton::Face face, ButtonState state) {
    GlyphColours c = glyphColours(face, state);
    int w = static_cast<int>(r.right - r.left), h = static_cast<int>(r.bottom - r.top);
    if (c.square != kNone) roundedBox(dc, r, std::max(2, h / 5), c.square, kNone);
    // Thin lines, as the caption buttons of the system draw them: one pixel at 96 DPI.
    int g = std::max(6, std::min(w, h) * 11 / 20);
    int width = std::max(1, std::min(w, h) / 16);
    LOGBRUSH lb{BS_SOLID, c.line, 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                            static_cast<DWORD>(width), &lb, 0, nullptr);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    int x = r.left + w / 2, y = r.top + h / 2;
    if (state.pressed) ++y;
    drawSymbol(dc, face, x, y, g);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    if (state.focused) {
        RECT focus = r;
        InflateRect(&focus, -2, -2);
        SetTextColor(dc, c.line);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace ui::win32::skin
