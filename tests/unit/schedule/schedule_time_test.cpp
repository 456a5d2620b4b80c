// The schedule's date rules: the countdown text, the box check with its write-back
// numbers, impossible dates, and the remaining seconds across month and year ends.
#include <gtest/gtest.h>

#include "schedule/schedule_time.h"

namespace schedule {
namespace {

using Boxes = std::array<std::string, 6>;

TEST(ScheduleCountdown, HoursAreNeverFoldedIntoDays) {
    EXPECT_EQ(CountdownText(0), "剩余：0 小时0 分0 秒");
    EXPECT_EQ(CountdownText(3725), "剩余：1 小时2 分5 秒");
    EXPECT_EQ(CountdownText(25 * 3600), "剩余：25 小时0 分0 秒");
}

TEST(ScheduleBoxes, LeadingZerosAndFractionsAreAcceptedAsWholeNumbers) {
    const BoxCheck c = checkBoxes(Boxes{"2026", "08", "09", "07", "05", "00"});
    ASSERT_TRUE(c.target);
    EXPECT_EQ(*c.target, (Stamp{2026, 8, 9, 7, 5, 0}));
    const BoxCheck f = checkBoxes(Boxes{"2026", "8", "9", "7.9", "5 ", " 0"});
    ASSERT_TRUE(f.target);
    EXPECT_EQ((*f.target)[3], 7);
}

TEST(ScheduleBoxes, TheFirstBoxThatIsNotANumberIsNamed) {
    EXPECT_EQ(checkBoxes(Boxes{"", "8", "9", "7", "5", "0"}).badBox, 0);
    EXPECT_EQ(checkBoxes(Boxes{"2026", "8", "x", "", "5", "0"}).badBox, 2);
    EXPECT_EQ(checkBoxes(Boxes{"2026", "8", "9", "7", "5", "1e1"}).badBox, 5);
    EXPECT_EQ(checkBoxes(Boxes{"2026", "8", "9", "7", ".", "0"}).badBox, 4);
    EXPECT_FALSE(checkBoxes(Boxes{"2026", "8", "9", "7", "5", "   "}).target);
}

TEST(ScheduleBoxes, NumbersThatAreNoRealDateAreRefusedAtTheFirstBoxAtFault) {
    EXPECT_EQ(checkBoxes(Boxes{"2026", "13", "1", "0", "0", "0"}).badBox, 1);
    EXPECT_EQ(checkBoxes(Boxes{"2026", "11", "31", "0", "0", "0"}).badBox, 2);
    EXPECT_EQ(checkBoxes(Boxes{"2026", "2", "29", "0", "0", "0"}).badBox, 2);
    EXPECT_TRUE(checkBoxes(Boxes{"2028", "2", "29", "0", "0", "0"}).target);
    EXPECT_EQ(checkBoxes(Boxes{"2026", "1", "1", "24", "0", "0"}).badBox, 3);
    EXPECT_EQ(checkBoxes(Boxes{"2026", "1", "1", "0", "-1", "0"}).badBox, 4);
    EXPECT_EQ(checkBoxes(Boxes{"99999", "1", "1", "0", "0", "0"}).badBox, 0);
    EXPECT_EQ(checkBoxes(Boxes{"0", "1", "1", "0", "0", "0"}).badBox, 0);
}

TEST(ScheduleRemaining, CountsAcrossMonthAndYearEndsAndHoldsTo32Bits) {
    EXPECT_EQ(secondsUntil({2027, 1, 1, 0, 0, 0}, {2026, 12, 31, 23, 59, 59}), 1);
    EXPECT_EQ(secondsUntil({2028, 3, 1, 0, 0, 0}, {2028, 2, 28, 0, 0, 0}), 2 * 86400);
    EXPECT_EQ(secondsUntil({2026, 8, 9, 7, 5, 0}, {2026, 8, 9, 7, 5, 1}), -1);
    EXPECT_EQ(secondsUntil({2026, 8, 9, 8, 7, 5}, {2026, 8, 9, 7, 5, 0}), 3725);
    EXPECT_EQ(secondsUntil({9999, 12, 31, 23, 59, 59}, {2026, 1, 1, 0, 0, 0}), 2147483647);
}

}  // namespace
}  // namespace schedule
