#include "update/cls_count.h"

#include <cmath>
#include <limits>

namespace update {
namespace {

// Count difference per elapsed milliseconds, as units per second, rounded half to even.
std::int32_t rate(std::int32_t units, std::uint32_t elapsedMs) {
    const double perSecond = static_cast<double>(units) / (static_cast<double>(elapsedMs) / 1000.0);
    const double rounded = std::nearbyint(perSecond);  // the default mode: halves to even
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    if (rounded < low) return std::numeric_limits<std::int32_t>::min();
    if (rounded > high) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}

std::int32_t difference(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace

std::int32_t clsCount::TotalSpeed() const {
    if (mTick == mStartTick) return 0;
    return rate(difference(mCount, mStart), mTick - mStartTick);
}

std::int32_t clsCount::TotalTickCount() const {
    return static_cast<std::int32_t>(mTick - mStartTick);
}

void clsCount::Clear() {
    mStart = mCount = mLastCount = mLastSpeed = 0;
    mStartTick = mTick = mLastTick = clock_.tickCount();
}

void clsCount::Count(std::int32_t lCount) {
    mCount = static_cast<std::int32_t>(static_cast<std::uint32_t>(mCount) +
                                       static_cast<std::uint32_t>(lCount));
    mTick = clock_.tickCount();
}

std::int32_t clsCount::Speed() {
    if (mLastTick == mTick) return mLastSpeed;
    mLastSpeed = rate(difference(mCount, mLastCount), mTick - mLastTick);
    mLastTick = mTick;
    mLastCount = mCount;
    return mLastSpeed;
}

bool clsCount::NewSpeed() const {
    return mTick - mLastTick > 1000;
}

}  // namespace update
