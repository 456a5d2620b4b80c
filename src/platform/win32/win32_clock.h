#pragma once
// The system's tick counter and local time.
#include "platform/clock.h"

namespace platform::win32 {

class Win32Clock : public Clock {
  public:
    std::uint32_t tickCount() override;
    LocalTime now() override;
    std::int64_t bootTime() override;
    void sleep(std::uint32_t ms) override;
    std::string dateTimeText(const LocalTime& t) override;
};

}  // namespace platform::win32
