#include "app/autorun.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_registry.h"

namespace {

using platform::RegistryRoot;

constexpr const char* kExe = "C:\\Tools\\Veilor\\Veilor.exe";

class AutoRunTest : public ::testing::Test {
  protected:
    std::optional<std::string> runValue(RegistryRoot root = RegistryRoot::CurrentUser) {
        return registry.readString(root, app::kRunKey, "Veilor");
    }
    std::optional<std::string> machineValue() { return runValue(RegistryRoot::LocalMachine); }
    platform::sim::SimRegistry registry;
};

TEST_F(AutoRunTest, OnWritesTheRunningExecutable_OffDeletesIt) {
    EXPECT_TRUE(app::SetAutoRun(registry, kExe, true));
    EXPECT_EQ(runValue().value_or("<absent>"), kExe);
    EXPECT_TRUE(app::SetAutoRun(registry, kExe, false));
    EXPECT_FALSE(runValue().has_value());
    // Off again with nothing there is still in line with the option.
    EXPECT_TRUE(app::SetAutoRun(registry, kExe, false));
}

TEST_F(AutoRunTest, OffDeletesAnEntryAnotherVersionWrote) {
    registry.writeString(RegistryRoot::CurrentUser, app::kRunKey, "Veilor", "D:\\Old\\Veilor.exe");
    app::SetAutoRun(registry, kExe, false);
    EXPECT_FALSE(runValue().has_value()) << *runValue();
}

// An older version wrote to the machine's key: left there, the program would start twice.
TEST_F(AutoRunTest, TheMachineEntryOfAVeilorGoesEitherWay_AnotherProgramsStays) {
    for (bool on : {true, false}) {
        registry.writeString(RegistryRoot::LocalMachine, app::kRunKey, "Veilor",
                             "\"C:\\Program Files\\Veilor\\VEILOR.EXE\"");
        EXPECT_TRUE(app::SetAutoRun(registry, kExe, on));
        EXPECT_FALSE(machineValue().has_value()) << "on=" << on << ": " << *machineValue();
        EXPECT_EQ(runValue().has_value(), on);
    }
    registry.writeString(RegistryRoot::LocalMachine, app::kRunKey, "Veilor", "C:\\Other\\tool.exe");
    app::SetAutoRun(registry, kExe, false);
    EXPECT_EQ(machineValue().value_or("<absent>"), "C:\\Other\\tool.exe");
}

// A standard user: the machine's key refuses, the user's own key is what counts.
TEST_F(AutoRunTest, WithoutRightsToTheMachineKeyTheUsersEntryStillWorks) {
    registry.writeString(RegistryRoot::LocalMachine, app::kRunKey, "Veilor", "D:\\Old\\Veilor.exe");
    registry.readOnlyRoots.insert(RegistryRoot::LocalMachine);
    EXPECT_TRUE(app::SetAutoRun(registry, kExe, true));
    EXPECT_EQ(runValue().value_or("<absent>"), kExe);
    EXPECT_EQ(machineValue().value_or("<absent>"), "D:\\Old\\Veilor.exe");
    EXPECT_TRUE(app::SetAutoRun(registry, kExe, false));
    EXPECT_FALSE(runValue().has_value());
}

TEST_F(AutoRunTest, MovedExecutableRewritesThePath) {
    app::SetAutoRun(registry, kExe, true);
    app::SetAutoRun(registry, "E:\\Portable\\Veilor.exe", true);
    EXPECT_EQ(runValue().value_or("<absent>"), "E:\\Portable\\Veilor.exe");
}

TEST_F(AutoRunTest, OtherProgramsEntriesStay) {
    registry.writeString(RegistryRoot::CurrentUser, app::kRunKey, "Other", "C:\\o.exe");
    app::SetAutoRun(registry, kExe, true);
    app::SetAutoRun(registry, kExe, false);
    EXPECT_EQ(registry.readString(RegistryRoot::CurrentUser, app::kRunKey, "Other").value_or(""),
              "C:\\o.exe");
}

TEST_F(AutoRunTest, PathWithSpaceIsQuotedSoNoOtherProgramStarts) {
    app::SetAutoRun(registry, "C:\\Program Files\\Veilor\\Veilor.exe", true);
    EXPECT_EQ(runValue().value_or("<absent>"), "\"C:\\Program Files\\Veilor\\Veilor.exe\"");
}

TEST_F(AutoRunTest, AUserKeyThatRefusesIsReportedAndLeftAsItWas) {
    registry.writeString(RegistryRoot::CurrentUser, app::kRunKey, "Veilor", "D:\\Old\\Veilor.exe");
    registry.readOnlyRoots.insert(RegistryRoot::CurrentUser);
    EXPECT_FALSE(app::SetAutoRun(registry, kExe, true));
    EXPECT_EQ(runValue().value_or("<absent>"), "D:\\Old\\Veilor.exe");
    EXPECT_FALSE(app::SetAutoRun(registry, kExe, false));
    EXPECT_EQ(runValue().value_or("<absent>"), "D:\\Old\\Veilor.exe");
}

TEST(SettingIsOn, AnyNonZeroNumberIsOn) {
    EXPECT_TRUE(app::settingIsOn("1"));
    EXPECT_TRUE(app::settingIsOn("-1"));
    EXPECT_TRUE(app::settingIsOn("2"));
    EXPECT_TRUE(app::settingIsOn(" 1"));
    EXPECT_FALSE(app::settingIsOn("0"));
    EXPECT_FALSE(app::settingIsOn(""));
    EXPECT_FALSE(app::settingIsOn("yes"));
}

}  // namespace
