#pragma once
// The date and time rules of the schedule page: the six target boxes, the countdown and
// its text. Pure logic, so both schedules share it and tests need no clock.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/clock.h"

namespace schedule {

// Year, month, day, hour, minute, second, in that order.
using Stamp = std::array<int, 6>;

// The years the system's date functions can hold.
inline constexpr int kMinYear = 1601;
inline constexpr int kMaxYear = 9999;

Stamp stampOf(const platform::LocalTime& t);

// "剩余：" h " 小时" m " 分" s " 秒"; hours are never folded into days.
std::string CountdownText(std::int32_t seconds);

// A plain decimal number with an optional sign and fraction, blanks around it allowed.
bool isNumber(const std::string& text);

// The result of checking the six boxes: the accepted target, or the first box at fault.
struct BoxCheck {
    std::optional<Stamp> target;
    int badBox = -1;
};

// Every box must hold a number; rounded down, the six must form a real date and time.
BoxCheck checkBoxes(const std::array<std::string, 6>& texts);

// Target minus now in whole seconds, held to the 32-bit range.
std::int32_t secondsUntil(const Stamp& target, const Stamp& now);

}  // namespace schedule
