#pragma once
// Time as the program sees it.
#include <cstdint>
#include <string>

namespace platform {

struct LocalTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start, wrapping like GetTickCount.
    virtual std::uint32_t tickCount() = 0;
    virtual LocalTime now() = 0;
    // When the system started, in seconds since 1970 (UTC). Read from the wall clock and
    // the time since start, so two readings in one boot may differ by a second or so.
    virtual std::int64_t bootTime() = 0;
    // Holds the calling thread; nothing else of the program runs meanwhile.
    virtual void sleep(std::uint32_t ms) = 0;
    // The date in the system's short date form, a blank, and the time in its time form.
    virtual std::string dateTimeText(const LocalTime& t) = 0;
};

}  // namespace platform
