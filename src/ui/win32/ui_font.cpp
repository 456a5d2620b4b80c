#include "ui/win32/ui_font.h"

#include <cwchar>

#include "core/twips.h"

namespace ui::win32 {
namespace {

constexpr wchar_t kPreferredFace[] = L"Microsoft YaHei UI";

int CALLBACK noteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

LOGFONTW messageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        LOGFONTW fallback{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(fallback), &fallback);
        return fallback;
    }
    return metrics.lfMessageFont;
}

}  // namespace

int screenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int twipsToPixels(int twips) {
    return core::twipsToPixels(twips, screenDpi());
}

int pixelsToTwips(int pixels) {
    return core::pixelsToTwips(pixels, screenDpi());
}

bool fontFamilyInstalled(const std::wstring& face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(query.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    EnumFontFamiliesExW(screen, &query, noteFamily, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

UiFonts::UiFonts() {
    LOGFONTW lf{};
    if (fontFamilyInstalled(kPreferredFace)) {
        wcsncpy(lf.lfFaceName, kPreferredFace, LF_FACESIZE - 1);
        lf.lfHeight = -MulDiv(pointSize_, screenDpi(), 72);
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = CLEARTYPE_QUALITY;
    } else {
        lf = messageFont();
        if (lf.lfHeight != 0)
            pointSize_ = MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, screenDpi());
    }
    face_ = lf.lfFaceName;
    normal_ = CreateFontIndirectW(&lf);
    lf.lfWeight = FW_BOLD;
    bold_ = CreateFontIndirectW(&lf);
}

UiFonts::~UiFonts() {
    if (normal_) DeleteObject(normal_);
    if (bold_) DeleteObject(bold_);
}

}  // namespace ui::win32
