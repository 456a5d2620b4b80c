#include "app/frm_about.h"

#include <gtest/gtest.h>

#include "parts_fixture.h"

namespace {

using platform::RegistryRoot;

constexpr const char* kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kToolPath =
    "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
constexpr const char* kToolFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";

class FrmAboutTest : public ::testing::Test {
  protected:
    void setValue(const char* key, const char* name, const std::string& data) {
        p.sim.registry.writeString(RegistryRoot::LocalMachine, key, name, data);
    }
    void expectUnavailableMessageOnly() {
        ASSERT_EQ(p.dialogs.messages().size(), 1u);
        EXPECT_EQ(p.dialogs.messages()[0].text, "此时系统信息不可用");
        EXPECT_EQ(p.dialogs.messages()[0].title, "Veilor");
        EXPECT_EQ(p.dialogs.messages()[0].style, 0);
    }

    app_parts_test::SimParts p;
    app::FrmAbout about{p.ctx};
};

TEST_F(FrmAboutTest, ShowsTitleVersionAndButtons) {
    about.show();
    EXPECT_EQ(about.text(), "关于 Veilor");
    EXPECT_EQ(about.lblTitle.text(), "Veilor");
    EXPECT_EQ(about.lblVersion.text(), "版本 V1.0 正式版");
    EXPECT_EQ(about.cmdOK.text(), "确定");
    EXPECT_EQ(about.cmdSysInfo.text(), "系统信息(&S)...");
    EXPECT_FALSE(about.lblDisclaimer.text().empty());
    EXPECT_TRUE(about.lblDisclaimer.shownOnScreen());
}

TEST_F(FrmAboutTest, OkHidesAndShowingAgainBringsBackTheSameBox) {
    about.show();
    platform::WindowHandle first = about.handle();
    about.cmdOK.raiseClick();
    EXPECT_FALSE(about.visible());
    EXPECT_TRUE(about.loaded());
    about.show();
    EXPECT_TRUE(about.visible());
    EXPECT_EQ(about.handle(), first);
    EXPECT_EQ(p.forms.attachCount(), 1);
}

TEST_F(FrmAboutTest, NeitherValue_ShowsTheMessageAndStartsNothing) {
    about.show();
    about.cmdSysInfo.raiseClick();
    expectUnavailableMessageOnly();
    EXPECT_TRUE(p.sim.shell.started.empty());
}

TEST_F(FrmAboutTest, MsinfoPath_StartsTheToolInANormalWindow) {
    setValue(kMsInfoKey, "PATH", kToolPath);
    about.show();
    about.cmdSysInfo.raiseClick();
    ASSERT_EQ(p.sim.shell.started.size(), 1u);
    EXPECT_EQ(p.sim.shell.started[0].commandLine, std::string("\"") + kToolPath + "\"");
    EXPECT_EQ(p.sim.shell.started[0].show, platform::ShowCommand::Normal);
    EXPECT_TRUE(p.dialogs.messages().empty());
}

TEST_F(FrmAboutTest, ToolsLocation_StartsTheToolOnlyWhenTheFileIsThere) {
    setValue(kLocationKey, "MSINFO", kToolFolder);
    EXPECT_FALSE(about.StartSysInfo());
    expectUnavailableMessageOnly();
    EXPECT_TRUE(p.sim.shell.started.empty());

    p.dialogs.clear();
    p.sim.files.put(std::string(kToolFolder) + "\\MSINFO32.EXE", "MZ");
    EXPECT_TRUE(about.StartSysInfo());
    ASSERT_EQ(p.sim.shell.started.size(), 1u);
    EXPECT_EQ(p.sim.shell.started[0].commandLine,
              std::string("\"") + kToolFolder + "\\MSINFO32.EXE\"");
    EXPECT_TRUE(p.dialogs.messages().empty());
}

TEST_F(FrmAboutTest, AnEmptyPathFallsBackToTheToolsLocation) {
    setValue(kMsInfoKey, "PATH", "");
    setValue(kLocationKey, "MSINFO", kToolFolder);
    p.sim.files.put(std::string(kToolFolder) + "\\MSINFO32.EXE", "MZ");
    EXPECT_TRUE(about.StartSysInfo());
    ASSERT_EQ(p.sim.shell.started.size(), 1u);
}

TEST_F(FrmAboutTest, ToolThatFailsToStart_ShowsTheMessage) {
    setValue(kMsInfoKey, "PATH", kToolPath);
    p.sim.shell.failRuns = true;
    EXPECT_FALSE(about.StartSysInfo());
    expectUnavailableMessageOnly();
}

TEST_F(FrmAboutTest, GetKeyValueClearsTheOutputWhenTheValueIsMissing) {
    std::string value = "stale";
    EXPECT_FALSE(about.GetKeyValue(RegistryRoot::LocalMachine, kMsInfoKey, "PATH", value));
    EXPECT_EQ(value, "");
    setValue(kMsInfoKey, "PATH", kToolPath);
    EXPECT_TRUE(about.GetKeyValue(RegistryRoot::LocalMachine, kMsInfoKey, "PATH", value));
    EXPECT_EQ(value, kToolPath);
}

}  // namespace
