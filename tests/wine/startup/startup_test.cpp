// The real Veilor.exe under Wine: what a user sees at the first start, at a second
// start, and when a system component is missing.
#include <windows.h>

#include "support/driver.h"
#include "ui/control_ids.h"

namespace {

using namespace wine_test;

constexpr const char* kDefaultConfig =
    "[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n2=84,0,-1,0\r\n3=87,0,-1,0\r\n4=82,0,-1,0\r\n"
    "5=66,0,-1,0\r\n6=73,0,-1,0\r\n[Config]\r\nStartRun=0\r\nStartMini=0\r\nEndMini=0\r\n"
    "BlackPwd=\r\nEndMsg=0\r\n";

void removeSettings() {
    ASSERT_TRUE(putVeilorSettings(std::nullopt));
    RemoveDirectoryW(veilorFolder().c_str());
    ASSERT_FALSE(fileExists(veilorConfigFile()));
}

HWND waitForMainWindow(const Process& veilor) {
    return waitForWindow({L"", L"Veilor", veilor.pid(), true});
}

// Sets an environment variable for the programs this test starts, and puts it back.
class ScopedVariable {
  public:
    ScopedVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
        wchar_t buf[1024];
        DWORD n = GetEnvironmentVariableW(name, buf, 1024);
        if (n > 0 && n < 1024) old_ = std::wstring(buf, n);
        SetEnvironmentVariableW(name, value);
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }

  private:
    const wchar_t* name_;
    std::optional<std::wstring> old_;
};

TEST(Startup, FirstStartCreatesTheSettingsFileWithTheDefaults) {
    removeSettings();
    Process veilor = Process::start(veilorExe());
    ASSERT_TRUE(veilor.valid());
    HWND main = waitForMainWindow(veilor);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(pollEquals(std::string(kDefaultConfig),
                           [] { return readFileBytes(veilorConfigFile()).value_or("<missing>"); }));
    HWND version = controlById(main, ui::ids::kVLabel);
    EXPECT_EQ(windowText(version), "版本：V1.0 正式版");
    // The news page is the first one the user sees.
    EXPECT_TRUE(IsWindowVisible(controlById(main, ui::ids::kFrame3)));
    EXPECT_FALSE(IsWindowVisible(controlById(main, ui::ids::kFrame1)));
}

TEST(Startup, SecondStartBringsTheMinimisedFirstBackAndEndsWithoutAWindow) {
    ASSERT_TRUE(putVeilorSettings(veilorConfig()));
    Process first = Process::start(veilorExe());
    HWND main = waitForMainWindow(first);
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(pollUntil([&] { return IsIconic(main) || !IsWindowVisible(main); }, kDeadlineMs,
                          "the first copy to be minimised"));

    Process second = Process::start(veilorExe());
    ASSERT_TRUE(second.waitExit());
    EXPECT_EQ(second.exitCode().value_or(99), 0u);
    EXPECT_TRUE(pollUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }, kDeadlineMs,
                          "the first copy's window to be back in normal state",
                          [&] { return describeWindow(main); }));
    EXPECT_TRUE(first.running());
}

class MissingComponent : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(putVeilorSettings(veilorConfig())); }
    // A Windows folder without the system components the program loads.
    ScopedVariable windir{L"windir", L"C:\\veilor-no-windows"};
};

TEST_F(MissingComponent, PromptShowsInsteadOfTheMainWindowAndForceStartContinues) {
    Process veilor = Process::start(veilorExe());
    HWND prompt = waitForWindow({L"", L"修复提示", veilor.pid(), true});
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(findTopWindow({L"", L"Veilor", veilor.pid(), true}), nullptr);
    EXPECT_EQ(windowText(controlById(prompt, ui::ids::kDownCancelButton)), "强行启动");

    ASSERT_TRUE(clickButton(controlById(prompt, ui::ids::kDownCancelButton)));
    HWND main = waitForMainWindow(veilor);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(prompt));
    EXPECT_TRUE(veilor.running());
}

TEST_F(MissingComponent, RepairEndsTheProgram) {
    Process veilor = Process::start(veilorExe());
    HWND prompt = waitForWindow({L"", L"修复提示", veilor.pid(), true});
    ASSERT_NE(prompt, nullptr);
    ASSERT_TRUE(clickButton(controlById(prompt, ui::ids::kDownOKButton)));
    EXPECT_TRUE(veilor.waitExit());
}

}  // namespace

namespace {

using namespace wine_test;

TEST(MainWindow, EveryPageButtonLeavesExactlyOnePageVisible) {
    ASSERT_TRUE(putVeilorSettings(veilorConfig()));
    Process veilor = Process::start(veilorExe());
    HWND main = waitForWindow({L"", L"Veilor", veilor.pid(), true});
    ASSERT_NE(main, nullptr);
    const int pages[] = {ui::ids::kFrame1, ui::ids::kFrame2, ui::ids::kFrame3,
                         ui::ids::kFrame4, ui::ids::kFrame8, ui::ids::kFrame9};
    const std::pair<int, int> buttons[] = {
        {ui::ids::kCommand1, ui::ids::kFrame1}, {ui::ids::kCommand2, ui::ids::kFrame2},
        {ui::ids::kCommand3, ui::ids::kFrame8}, {ui::ids::kCommand9, ui::ids::kFrame9},
        {ui::ids::kCommand5, ui::ids::kFrame4}, {ui::ids::kCommand4, ui::ids::kFrame3},
    };
    for (const auto& [button, page] : buttons) {
        ASSERT_TRUE(clickButton(controlById(main, button)));
        auto shownPages = [&] {
            std::string shown;
            for (int id : pages) {
                if (IsWindowVisible(GetDlgItem(main, id))) shown += std::to_string(id) + " ";
            }
            return shown;
        };
        EXPECT_TRUE(pollEquals(std::to_string(page) + " ", shownPages))
            << "after button " << button;
    }
}

}  // namespace
