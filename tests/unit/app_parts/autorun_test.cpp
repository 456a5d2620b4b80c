#include "app/autorun.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_registry.h"

namespace {

using platform::RegistryRoot;

constexpr const char* kExe = "C:\\Tools\\Veilor\\Veilor.exe";

class AutoRunTest : public ::testing::Test {
  protected:
    std::optional<std::string> runValue() {
        return registry.readString(RegistryRoot::LocalMachine, app::kRunKey, "Veilor");
    }
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
    registry.writeString(RegistryRoot::LocalMachine, app::kRunKey, "Veilor", "D:\\Old\\Veilor.exe");
    app::SetAutoRun(registry, kExe, false);
    EXPECT_FALSE(runValue().has_value()) << *runValue();
}

TEST_F(AutoRunTest, MovedExecutableRewritesThePath) {
    app::SetAutoRun(registry, kExe, true);
    app::SetAutoRun(registry, "E:\\Portable\\Veilor.exe", true);
    EXPECT_EQ(runValue().value_or("<absent>"), "E:\\Portable\\Veilor.exe");
}

TEST_F(AutoRunTest, OtherProgramsEntriesStay) {
    registry.writeString(RegistryRoot::LocalMachine, app::kRunKey, "Other", "C:\\o.exe");
    app::SetAutoRun(registry, kExe, true);
    app::SetAutoRun(registry, kExe, false);
    EXPECT_EQ(registry.readString(RegistryRoot::LocalMachine, app::kRunKey, "Other").value_or(""),
              "C:\\o.exe");
}

TEST_F(AutoRunTest, PathWithSpaceIsQuotedSoNoOtherProgramStarts) {
    app::SetAutoRun(registry, "C:\\Program Files\\Veilor\\Veilor.exe", true);
    EXPECT_EQ(runValue().value_or("<absent>"), "\"C:\\Program Files\\Veilor\\Veilor.exe\"");
}

TEST_F(AutoRunTest, WithoutRightsNothingChangesAndNothingThrows) {
    registry.writeString(RegistryRoot::LocalMachine, app::kRunKey, "Veilor", "D:\\Old\\Veilor.exe");
    registry.readOnlyRoots.insert(RegistryRoot::LocalMachine);
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
