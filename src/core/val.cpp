#include "core/val.h"

#include <cmath>
#include <limits>

namespace core {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks are skipped everywhere in the number, as the classic reader does ("1 2" is 12).
std::string_view::size_type skipBlanks(std::string_view t, std::string_view::size_type i) {
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\n' || t[i] == '\r'))
        ++i;
    return i;
}

double hexValue(std::string_view t, size_t i) {
    double v = 0;
    for (; i < t.size(); ++i) {
        char c = t[i];
        int d = isDigit(c)               ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : -1;
        if (d < 0) break;
        v = v * 16 + d;
    }
    return v;
}

}  // namespace

double val(std::string_view t) {
    size_t i = skipBlanks(t, 0);
    if (i + 1 < t.size() && t[i] == '&' && (t[i + 1] == 'H' || t[i + 1] == 'h'))
        return hexValue(t, i + 2);
    double sign = 1;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
        if (t[i] == '-') sign = -1;
        i = skipBlanks(t, i + 1);
    }
    double v = 0, scale = 0;
    for (; i < t.size(); i = skipBlanks(t, i + 1)) {
        if (isDigit(t[i])) {
            v = v * 10 + (t[i] - '0');
            if (scale > 0) scale *= 10;
        } else if (t[i] == '.' && scale == 0) {
            scale = 1;
        } else {
            break;
        }
    }
    if (scale > 0) v /= scale;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        double e = val(t.substr(i + 1));
        if (std::isfinite(e) && std::fabs(e) < 400) v *= std::pow(10.0, e);
    }
    return sign * v;
}

std::int32_t valInt(std::string_view text) {
    double v = std::nearbyint(val(text));
    if (!(v >= std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

}  // namespace core
