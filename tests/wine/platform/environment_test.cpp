#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <utility>

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
    for (SpecialFolder f : {SpecialFolder::MyDocuments, SpecialFolder::Templates,
                            SpecialFolder::Desktop, SpecialFolder::LocalAppData}) {
        std::string path = env.specialFolder(f);
        SCOPED_TRACE("folder " + std::to_string(static_cast<int>(f)) + ": " + path);
        ASSERT_FALSE(path.empty());
        EXPECT_NE(path.back(), '\\');
        EXPECT_TRUE(files.folderExists(path));
    }
    EXPECT_NE(env.specialFolder(SpecialFolder::MyDocuments),
              env.specialFolder(SpecialFolder::Desktop));
    const std::string local = env.specialFolder(SpecialFolder::LocalAppData);
    EXPECT_FALSE(core::startsWith(core::toLowerAscii(local), core::toLowerAscii(env.specialFolder(
                                                                 SpecialFolder::MyDocuments))))
        << local << " lies in Documents";
}

// The identity of a file or folder on its volume; empty when it cannot be opened.
std::optional<std::pair<DWORD, DWORD>> fileIndex(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    BOOL ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (!ok) return std::nullopt;
    return std::pair(info.nFileIndexHigh, info.nFileIndexLow);
}

// Wine links these folders to the home of whoever runs it; the tests' prefix has folders of
// its own, so no test reads or writes that person's files. Wine shows a link to a folder
// as a reparse point, so a folder inside the prefix is one reached from the prefix's
// drive_c without passing any.
TEST(Win32Environment, UserFoldersLieInsideTheTestPrefixWithoutLinksLeadingOut) {
    wchar_t unixPrefix[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(L"WINEPREFIX", unixPrefix, MAX_PATH);
    ASSERT_TRUE(n > 0 && n < MAX_PATH) << "WINEPREFIX is not set: run the test through ctest";
    std::wstring driveC = L"Z:" + std::wstring(unixPrefix) + L"/drive_c";
    std::replace(driveC.begin(), driveC.end(), L'/', L'\\');
    ASSERT_TRUE(fileIndex(driveC).has_value()) << platform::win32::narrow(driveC);
    ASSERT_EQ(fileIndex(L"C:\\"), fileIndex(driveC)) << "C: is not the drive_c of the prefix";

    Win32Environment env;
    for (SpecialFolder f : {SpecialFolder::MyDocuments, SpecialFolder::Desktop,
                            SpecialFolder::Templates, SpecialFolder::LocalAppData}) {
        const std::string path = env.specialFolder(f);
        SCOPED_TRACE("folder " + std::to_string(static_cast<int>(f)) + ": " + path);
        ASSERT_TRUE(core::startsWith(path, "C:\\") || core::startsWith(path, "c:\\"));
        for (std::size_t end = path.find('\\', 3);; end = path.find('\\', end + 1)) {
            const std::string part = path.substr(0, end);
            DWORD attributes = GetFileAttributesW(platform::win32::wide(part).c_str());
            ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << part;
            EXPECT_FALSE(attributes & FILE_ATTRIBUTE_REPARSE_POINT)
                << part << " is a link out of the prefix";
            if (end == std::string::npos) break;
        }
    }
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
