#pragma once
// Time as the program sees it.
#include <cstdint>

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
    // Holds the calling thread; nothing else of the program runs meanwhile.
    virtual void sleep(std::uint32_t ms) = 0;
};

}  // namespace platform
