#include "core/val.h"

#include <algorithm>
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

// Once the digits read reach this, the next ones are below a double's precision.
constexpr double kEnoughDigits = 1e18;

// 10 to the n, by the same products that build it digit by digit.
double powerOfTen(int n) {
    double p = 1;
    for (int k = 0; k < n; ++k)
        p *= 10;
    return p;
}

// value * 10^shift, in steps that stay finite while the result does.
double timesPowerOfTen(double value, int shift) {
    for (; shift > 300; shift -= 300)
        value *= 1e300;
    for (; shift < -300; shift += 300)
        value /= 1e300;
    return shift >= 0 ? value * powerOfTen(shift) : value / powerOfTen(-shift);
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
    // The digits as a whole number times a power of ten: a long number neither overflows
    // its digits nor its divisor, where inf / inf would give no number at all.
    double digits = 0;
    long long shift = 0;
    bool fraction = false;
    for (; i < t.size(); i = skipBlanks(t, i + 1)) {
        if (isDigit(t[i])) {
            if (digits < kEnoughDigits) {
                digits = digits * 10 + (t[i] - '0');
                shift -= fraction;
            } else {
                shift += !fraction;
            }
        } else if (t[i] == '.' && !fraction) {
            fraction = true;
        } else {
            break;
        }
    }
    double exponent = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        double e = val(t.substr(i + 1));
        if (std::isfinite(e) && std::fabs(e) < 400) exponent = e;
    }
    const double whole = std::trunc(exponent);
    // Beyond a thousand places any number is 0 or infinite.
    const long long total = std::clamp(shift + static_cast<long long>(whole), -1000LL, 1000LL);
    return sign * timesPowerOfTen(digits, static_cast<int>(total)) *
           std::pow(10.0, exponent - whole);
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
