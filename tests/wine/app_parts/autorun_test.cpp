#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/autorun.h"
#include "app_parts_support.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_registry.h"
#include "support/driver.h"

using platform::win32::narrow;
using platform::win32::wide;
using wine_test::putRunValue;
using wine_test::runValue;

namespace {

constexpr wchar_t kRunKeyW[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class AutoRunWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = runValue();
        savedMachine_ = runValue(HKEY_LOCAL_MACHINE);
    }
    void TearDown() override {
        restore(saved_, HKEY_CURRENT_USER);
        restore(savedMachine_, HKEY_LOCAL_MACHINE);
    }
    static void restore(const std::optional<std::wstring>& value, HKEY root) {
        if (value) {
            putRunValue(*value, root);
        } else {
            RegDeleteKeyValueW(root, kRunKeyW, L"Veilor");
        }
    }
    std::optional<std::wstring> saved_;
    std::optional<std::wstring> savedMachine_;
    platform::win32::Win32Registry registry_;
    platform::win32::Win32Environment environment_;
};

TEST_F(AutoRunWineTest, OnNamesTheRunningExecutable_OffDeletesTheValue) {
    const std::string exe = environment_.executablePath();
    ASSERT_TRUE(app::SetAutoRun(registry_, exe, true));
    DWORD type = 0;
    auto value = runValue(HKEY_CURRENT_USER, &type);
    ASSERT_TRUE(value.has_value()) << "no Run value after switching on";
    EXPECT_EQ(narrow(*value), app::autoRunCommand(exe));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    wchar_t self[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    EXPECT_EQ(narrow(*value), app::autoRunCommand(narrow(self)));

    ASSERT_TRUE(app::SetAutoRun(registry_, exe, false));
    EXPECT_FALSE(runValue().has_value()) << narrow(runValue().value_or(L""));
}

TEST_F(AutoRunWineTest, OffDeletesWhatAnotherVersionWrote_OnRewritesAMovedPath) {
    putRunValue(L"C:\\Old Place\\Veilor.exe");
    ASSERT_TRUE(app::SetAutoRun(registry_, "C:\\Other\\Veilor.exe", false));
    EXPECT_FALSE(runValue().has_value());

    putRunValue(L"C:\\Old\\Veilor.exe");
    ASSERT_TRUE(app::SetAutoRun(registry_, "D:\\Moved\\Veilor.exe", true));
    EXPECT_EQ(narrow(runValue().value_or(L"<absent>")), "D:\\Moved\\Veilor.exe");
}

TEST_F(AutoRunWineTest, AnOlderVersionsMachineEntryGoes_AnotherProgramsStays) {
    putRunValue(L"\"C:\\Program Files\\Veilor\\Veilor.exe\"", HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(app::SetAutoRun(registry_, "D:\\New\\Veilor.exe", true));
    EXPECT_FALSE(runValue(HKEY_LOCAL_MACHINE).has_value());
    EXPECT_EQ(narrow(runValue().value_or(L"<absent>")), "D:\\New\\Veilor.exe");

    putRunValue(L"C:\\Tools\\other.exe", HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(app::SetAutoRun(registry_, "D:\\New\\Veilor.exe", false));
    EXPECT_EQ(narrow(runValue(HKEY_LOCAL_MACHINE).value_or(L"<absent>")), "C:\\Tools\\other.exe");
    EXPECT_FALSE(runValue().has_value());
}

}  // namespace
