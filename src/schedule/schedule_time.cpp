#include "schedule/schedule_time.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace schedule {
namespace {

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 in the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::int64_t secondsOf(const Stamp& s) {
    return daysFromCivil(s[0], static_cast<unsigned>(s[1]), static_cast<unsigned>(s[2])) * 86400 +
           s[3] * 3600 + s[4] * 60 + s[5];
}

// Index of the first part that makes the date impossible, or -1.
int firstImpossible(const std::array<double, 6>& v) {
    if (v[0] < kMinYear || v[0] > kMaxYear) return 0;
    if (v[1] < 1 || v[1] > 12) return 1;
    if (v[2] < 1 || v[2] > daysInMonth(static_cast<int>(v[0]), static_cast<int>(v[1]))) return 2;
    if (v[3] < 0 || v[3] > 23) return 3;
    if (v[4] < 0 || v[4] > 59) return 4;
    if (v[5] < 0 || v[5] > 59) return 5;
    return -1;
}

}  // namespace

Stamp stampOf(const platform::LocalTime& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

std::string CountdownText(std::int32_t n) {
    const std::int32_t s = n % 60, m = (n / 60) % 60, h = n / 3600;
    return "剩余：" + std::to_string(h) + " 小时" + std::to_string(m) + " 分" + std::to_string(s) +
           " 秒";
}

bool isNumber(const std::string& text) {
    size_t i = text.find_first_not_of(' ');
    const size_t end = text.find_last_not_of(' ');
    if (i == std::string::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    size_t digits = 0;
    bool point = false;
    for (; i <= end; ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

BoxCheck checkBoxes(const std::array<std::string, 6>& texts) {
    std::array<double, 6> values{};
    for (int i = 0; i < 6; ++i) {
        if (!isNumber(texts[i])) return {std::nullopt, i};
        // Plain decimal only reaches here, so strtod cannot read more than the box shows.
        const double v = std::floor(std::strtod(texts[i].c_str(), nullptr));
        values[i] = std::isfinite(v) ? v : -1;
    }
    if (const int bad = firstImpossible(values); bad >= 0) return {std::nullopt, bad};
    Stamp target{};
    for (int i = 0; i < 6; ++i)
        target[i] = static_cast<int>(values[i]);
    return {target, -1};
}

std::int32_t secondsUntil(const Stamp& target, const Stamp& now) {
    const std::int64_t d = secondsOf(target) - secondsOf(now);
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(d > kMax ? kMax : d < kMin ? kMin : d);
}

}  // namespace schedule
