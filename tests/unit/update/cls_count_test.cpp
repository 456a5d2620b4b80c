// The speed meter on the virtual clock: its sampling rules and a tick counter that wraps.
#include <gtest/gtest.h>

#include "platform/sim/sim_clock.h"
#include "update/cls_count.h"

namespace update {
namespace {

class ClsCountTest : public ::testing::Test {
  protected:
    platform::sim::SimClock clock;
    clsCount counter{clock};
};

TEST_F(ClsCountTest, SpeedIsZeroAfterClearAndRepeatsWithoutANewTick) {
    counter.Clear();
    EXPECT_EQ(counter.Speed(), 0);
    EXPECT_EQ(counter.TotalSpeed(), 0);
    clock.ticks += 500;
    counter.Count(1000);
    EXPECT_EQ(counter.Speed(), 2000);
    counter.Count(1000);  // same tick: the stored sample stands
    EXPECT_EQ(counter.Speed(), 2000);
    clock.ticks += 250;
    counter.Count(1);
    EXPECT_EQ(counter.Speed(), 4004);       // 1001 units in 250 ms since the last sample
    EXPECT_EQ(counter.TotalSpeed(), 2668);  // 2001 units in 750 ms
    EXPECT_EQ(counter.TotalTickCount(), 750);
}

TEST_F(ClsCountTest, NewSpeedOnlyMoreThanASecondAfterTheLastSample) {
    counter.Clear();
    clock.ticks += 1000;
    counter.Count(1);
    EXPECT_FALSE(counter.NewSpeed());
    clock.ticks += 1;
    counter.Count(1);
    EXPECT_TRUE(counter.NewSpeed());
    counter.Speed();
    EXPECT_FALSE(counter.NewSpeed());
}

TEST_F(ClsCountTest, CountStartMovesBothEndsAndTheTotalCountsFromIt) {
    counter.Clear();
    counter.CountStart(500);
    clock.ticks += 200;
    counter.Count(100);
    EXPECT_EQ(counter.CountStart(), 500);
    EXPECT_EQ(counter.CountEnd(), 600);
    EXPECT_EQ(counter.TotalSpeed(), 500);  // 100 units in 0.2 s
}

TEST_F(ClsCountTest, HalvesRoundToEven) {
    counter.Clear();
    clock.ticks += 2000;
    counter.Count(5);  // 2.5 per second
    EXPECT_EQ(counter.TotalSpeed(), 2);
    counter.Count(2);  // 3.5 per second
    EXPECT_EQ(counter.TotalSpeed(), 4);
}

TEST_F(ClsCountTest, TicksAcrossTheSignChangeAndTheWrapStayForward) {
    for (std::uint32_t start : {0x7FFFFF00u, 0xFFFFFF00u}) {
        clock.ticks = start;
        counter.Clear();
        clock.ticks += 0x200;  // 512 ms later, past the boundary
        counter.Count(1024);
        EXPECT_EQ(counter.TotalTickCount(), 512) << start;
        EXPECT_EQ(counter.TotalSpeed(), 2000) << start;
        EXPECT_EQ(counter.Speed(), 2000) << start;
        clock.ticks += 1001;
        counter.Count(0);
        EXPECT_TRUE(counter.NewSpeed()) << start;
    }
}

}  // namespace
}  // namespace update
