// The schedule page's six date boxes, as the user may type anything into them, and the
// countdown to an accepted date. Input: the target's six boxes, then the clock's six, one
// box a line.
#include <array>
#include <cstdlib>

#include "fuzz_check.h"
#include "schedule/schedule_time.h"

namespace {

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

void checkRealDate(const schedule::Stamp& s) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    FUZZ_CHECK(s[0] >= schedule::kMinYear && s[0] <= schedule::kMaxYear);
    FUZZ_CHECK(s[1] >= 1 && s[1] <= 12);
    FUZZ_CHECK(s[2] >= 1 && s[2] <= kDays[s[1] - 1] + (s[1] == 2 && isLeap(s[0]) ? 1 : 0));
    FUZZ_CHECK(s[3] >= 0 && s[3] <= 23 && s[4] >= 0 && s[4] <= 59 && s[5] >= 0 && s[5] <= 59);
}

// A box accepted as a number is read whole by the C library.
void checkNumber(const std::string& text) {
    if (!schedule::isNumber(text)) return;
    const char* start = text.c_str();
    char* end = nullptr;
    std::strtod(start, &end);
    const std::size_t last = text.find_last_not_of(' ');
    FUZZ_CHECK(last != std::string::npos && static_cast<std::size_t>(end - start) == last + 1);
}

std::optional<schedule::Stamp> check(const std::array<std::string, 6>& boxes) {
    for (const std::string& box : boxes)
        checkNumber(box);
    const schedule::BoxCheck result = schedule::checkBoxes(boxes);
    FUZZ_CHECK(result.target.has_value() == (result.badBox == -1));
    if (result.target) {
        checkRealDate(*result.target);
    } else {
        FUZZ_CHECK(result.badBox >= 0 && result.badBox < 6);
        // Every box before the one at fault holds a number.
        for (int i = 0; i < result.badBox; ++i)
            FUZZ_CHECK(schedule::isNumber(boxes[i]));
    }
    return result.target;
}

// The countdown's text says the same number of seconds.
void checkCountdown(std::int32_t seconds) {
    const std::string text = schedule::CountdownText(seconds);
    long long h = 0, m = 0, s = 0;
    FUZZ_CHECK(std::sscanf(text.c_str(), "剩余：%lld 小时%lld 分%lld 秒", &h, &m, &s) == 3);
    FUZZ_CHECK(h * 3600 + m * 60 + s == seconds);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = fuzz::fields(fuzz::text(data, size), '\n');
    std::array<std::string, 6> target, now;
    for (std::size_t i = 0; i < 12 && i < lines.size(); ++i)
        (i < 6 ? target[i] : now[i - 6]) = lines[i];
    const std::optional<schedule::Stamp> t = check(target);
    const std::optional<schedule::Stamp> n = check(now);
    if (!t || !n) return 0;

    FUZZ_CHECK(schedule::secondsUntil(*t, *t) == 0);
    const std::int32_t ahead = schedule::secondsUntil(*t, *n);
    const std::int32_t back = schedule::secondsUntil(*n, *t);
    if (ahead != INT32_MAX && ahead != INT32_MIN) FUZZ_CHECK(back == -ahead);
    FUZZ_CHECK((ahead > 0) == (*t > *n) && (ahead == 0) == (*t == *n));
    checkCountdown(ahead);
    checkCountdown(back);
    return 0;
}
