#pragma once
// The one UI font every control gets explicitly: left on the default GUI font, Chinese
// text shows as boxes on systems (and Wine prefixes) whose default face lacks it.
#include <windows.h>

#include <string>

namespace ui::win32 {

// Pixels per logical inch of the screen, for turning twips into pixels.
int screenDpi();
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);

class UiFonts {
  public:
    UiFonts();
    ~UiFonts();
    UiFonts(const UiFonts&) = delete;
    UiFonts& operator=(const UiFonts&) = delete;

    HFONT font(bool bold) const { return bold ? bold_ : normal_; }
    // The face chosen, for dialogs built from a template.
    const std::wstring& face() const { return face_; }
    int pointSize() const { return pointSize_; }

  private:
    HFONT normal_ = nullptr;
    HFONT bold_ = nullptr;
    std::wstring face_;
    int pointSize_ = 9;
};

// True when a font family of that exact name is installed (or mapped by the system).
bool fontFamilyInstalled(const std::wstring& face);

}  // namespace ui::win32
