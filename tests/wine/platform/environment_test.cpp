#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_files.h"
#include "platform_test_support.h"

using platform::SpecialFolder;
using platform::win32::Win32Environment;

namespace {

TEST(Win32Environment, VariablesAreFoundIgnoringCaseAndMissingOnesAreNot) {
    Win32Environment env;
    std::optional<std::string> windir = env.variable("windir");
    ASSERT_TRUE(windir.has_value());
    EXPECT_FALSE(windir->empty());
    EXPECT_EQ(env.variable("WINDIR"), windir);
    EXPECT_EQ(env.variable("VEILOR_NO_SUCH_VARIABLE"), std::nullopt);
    EXPECT_EQ(env.variable(""), std::nullopt);
}

TEST(Win32Environment, LongChineseAndEmptyValuesComeBackWhole) {
    Win32Environment env;
    std::string longValue;
    for (int i = 0; i < 400; ++i)
        longValue += "隐藏";
    ASSERT_TRUE(
        SetEnvironmentVariableW(L"VEILOR_TEST_LONG", platform::win32::wide(longValue).c_str()));
    EXPECT_EQ(env.variable("veilor_test_long"), longValue);

    ASSERT_TRUE(SetEnvironmentVariableW(L"VEILOR_TEST_EMPTY", L""));
    EXPECT_EQ(env.variable("VEILOR_TEST_EMPTY"), std::optional<std::string>(""))
        << "set but empty is not missing";
    SetEnvironmentVariableW(L"VEILOR_TEST_LONG", nullptr);
    SetEnvironmentVariableW(L"VEILOR_TEST_EMPTY", nullptr);
    EXPECT_EQ(env.variable("VEILOR_TEST_LONG"), std::nullopt);
}

TEST(Win32Environment, SpecialFoldersAreExistingFoldersWithoutTrailingBackslash) {
    Win32Environment env;
    platform::win32::Win32Files files;
    for (SpecialFolder f :
         {SpecialFolder::MyDocuments, SpecialFolder::Templates, SpecialFolder::Desktop}) {
        std::string path = env.specialFolder(f);
        SCOPED_TRACE("folder " + std::to_string(static_cast<int>(f)) + ": " + path);
        ASSERT_FALSE(path.empty());
        EXPECT_NE(path.back(), '\\');
        EXPECT_TRUE(files.folderExists(path));
    }
    EXPECT_NE(env.specialFolder(SpecialFolder::MyDocuments),
              env.specialFolder(SpecialFolder::Desktop));
}

TEST(Win32Environment, ExecutablePathNamesThisProgram) {
    Win32Environment env;
    std::string exe = env.executablePath();
    EXPECT_TRUE(core::endsWithNoCase(exe, "\\platform_wine_test.exe")) << exe;
    EXPECT_TRUE(platform::win32::Win32Files().fileExists(exe)) << exe;
}

TEST(Win32Clock, TicksAdvanceAndLocalTimeIsTheSystemsLocalTime) {
    platform::win32::Win32Clock clock;
    std::uint32_t before = clock.tickCount();
    Sleep(120);
    std::uint32_t elapsed = clock.tickCount() - before;
    EXPECT_GE(elapsed, 100u);
    EXPECT_LT(elapsed, 10000u);

    // Worked out independently: UTC from the system, moved into the local time zone.
    SYSTEMTIME utc{}, local{};
    GetSystemTime(&utc);
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
    platform::LocalTime now = clock.now();
    EXPECT_EQ(now.year, local.wYear);
    EXPECT_EQ(now.month, local.wMonth);
    EXPECT_EQ(now.day, local.wDay);
    EXPECT_EQ(now.hour, local.wHour);
    int minutesApart = (now.minute - local.wMinute + 60) % 60;
    EXPECT_LE(minutesApart, 1) << now.minute << " vs " << local.wMinute;
    EXPECT_GE(now.second, 0);
    EXPECT_LE(now.second, 59);
}

}  // namespace
