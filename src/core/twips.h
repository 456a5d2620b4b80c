#pragma once
// Layout is kept in twips (1440 to the inch) and turned into pixels for the screen's DPI.

namespace core {

constexpr int kTwipsPerInch = 1440;

constexpr int twipsToPixels(int twips, int dpi) {
    return (twips * dpi + (twips >= 0 ? kTwipsPerInch / 2 : -kTwipsPerInch / 2)) / kTwipsPerInch;
}

constexpr int pixelsToTwips(int pixels, int dpi) {
    return dpi > 0 ? pixels * kTwipsPerInch / dpi : 0;
}

}  // namespace core
