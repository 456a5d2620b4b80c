#pragma once
// Counts transferred bytes against the tick counter and turns them into a speed.
#include <cstdint>

#include "platform/clock.h"

namespace update {

class clsCount {
  public:
    explicit clsCount(platform::Clock& clock) : clock_(clock) {}

    std::int32_t CountStart() const { return mStart; }
    std::int32_t CountEnd() const { return mCount; }
    // Units per second since Clear.
    std::int32_t TotalSpeed() const;
    std::int32_t TotalTickCount() const;
    void Clear();
    void CountStart(std::int32_t lStart) { mStart = mCount = lStart; }
    void Count(std::int32_t lCount);
    // Units per second since the previous sample that saw a new tick; a read without a
    // new tick gives the stored value again.
    std::int32_t Speed();
    bool NewSpeed() const;

  private:
    platform::Clock& clock_;
    std::int32_t mStart = 0;
    std::int32_t mCount = 0;
    std::int32_t mLastCount = 0;
    std::int32_t mLastSpeed = 0;
    // Ticks wrap after 49.7 days; every difference is taken modulo 2^32, so it stays
    // right across the wrap (and across the sign change of a signed tick at 24.8 days).
    std::uint32_t mStartTick = 0;
    std::uint32_t mTick = 0;
    std::uint32_t mLastTick = 0;
};

}  // namespace update
