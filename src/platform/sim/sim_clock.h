#pragma once
// A clock that moves only when the test moves it.
#include <vector>

#include "platform/clock.h"

namespace platform::sim {

class SimClock : public Clock {
  public:
    std::uint32_t tickCount() override { return ticks; }
    LocalTime now() override { return time; }
    std::int64_t bootTime() override { return boot; }
    void sleep(std::uint32_t ms) override {
        ticks += ms;
        sleeps.push_back(ms);
    }
    std::string dateTimeText(const LocalTime& t) override {
        return std::to_string(t.year) + "/" + std::to_string(t.month) + "/" +
               std::to_string(t.day) + " " + std::to_string(t.hour) + ":" +
               (t.minute < 10 ? "0" : "") + std::to_string(t.minute) + ":" +
               (t.second < 10 ? "0" : "") + std::to_string(t.second);
    }
    std::vector<std::uint32_t> sleeps;
    std::uint32_t ticks = 1000;
    LocalTime time{2026, 12, 8, 9, 0, 0};
    std::int64_t boot = 1796720400;  // 2026-12-08 08:00 UTC
};

}  // namespace platform::sim
