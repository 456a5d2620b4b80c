// The settings file as the real program writes it through the system's profile functions.
#include <gtest/gtest.h>

#include <memory>

#include "disk_files.h"
#include "platform/win32/win32_profile.h"
#include "settings/config.h"

namespace {

using settings_wine::DiskFiles;
using settings_wine::visible;

struct Boxes {
    std::array<std::unique_ptr<ui::TextBox>, settings::kHotKeyCount> owned;
    settings::HotKeyBoxes boxes{};
    Boxes() {
        for (int i = 0; i < settings::kHotKeyCount; ++i) {
            owned[i] = std::make_unique<ui::TextBox>(nullptr, 100 + i, "txtHotKey");
            boxes[i] = owned[i].get();
        }
    }
};

TEST(LoadConfigOnWindows, FreshPathGetsEveryDefaultInOrder) {
    std::string path = settings::configPath(settings_wine::freshFolder("fresh"));
    platform::win32::Win32Profile profile;
    Boxes boxes;
    settings::Settings loaded;
    settings::LoadConfig(profile, path, boxes.boxes, loaded);

    std::optional<std::string> bytes = DiskFiles().readFile(path);
    ASSERT_TRUE(bytes.has_value()) << path;
    EXPECT_EQ(visible(*bytes),
              visible("[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n2=84,0,-1,0\r\n3=87,0,-1,0\r\n"
                      "4=82,0,-1,0\r\n5=66,0,-1,0\r\n6=73,0,-1,0\r\n[Config]\r\nStartRun=0\r\n"
                      "StartMini=0\r\nEndMini=0\r\nBlackPwd=\r\nEndMsg=0\r\n"));
    EXPECT_EQ(boxes.boxes[0]->text(), "Alt + A");
    EXPECT_EQ(boxes.boxes[6]->tag, "73,0,-1,0");
    EXPECT_EQ(loaded.mStartRun, "0");
    EXPECT_EQ(loaded.mBlackPwd, "");
}

TEST(LoadConfigOnWindows, SavedSettingsComeBackOnTheNextLoad) {
    std::string path = settings::configPath(settings_wine::freshFolder("save"));
    platform::win32::Win32Profile profile;
    Boxes boxes;
    settings::Settings loaded;
    settings::LoadConfig(profile, path, boxes.boxes, loaded);

    boxes.boxes[2]->tag = "116,-1,0,-1";
    ui::CheckBox run(nullptr, 1, "CheckStarRun"), mini(nullptr, 2, "CheckStartMini"),
        endMini(nullptr, 3, "CheckEndMini"), endMsg(nullptr, 4, "EndMsgbox");
    run.setValue(1);
    endMsg.setValue(1);
    ui::TextBox confirm(nullptr, 5, "txtBlackPwd");
    confirm.setText("open sesame");
    settings::SaveConfig(profile, path, boxes.boxes, {run, mini, endMini, endMsg}, confirm);

    Boxes again;
    settings::Settings reloaded;
    settings::LoadConfig(profile, path, again.boxes, reloaded);
    EXPECT_EQ(again.boxes[2]->text(), "Ctrl + Shift + F5");
    EXPECT_EQ(reloaded.mStartRun, "1");
    EXPECT_EQ(reloaded.mEndMsg, "1");
    EXPECT_EQ(reloaded.mBlackPwd, "open sesame");
}

TEST(LoadConfigOnWindows, LongValueIsCutAndTextOfTheAnsiPageRoundTrips) {
    std::string path = settings::configPath(settings_wine::freshFolder("long"));
    platform::win32::Win32Profile profile;
    std::string longValue(200, 'p');
    longValue[142] = 'E';
    ASSERT_TRUE(profile.write(path, "Config", "BlackPwd", longValue));
    Boxes boxes;
    settings::Settings loaded;
    settings::LoadConfig(profile, path, boxes.boxes, loaded);
    EXPECT_EQ(loaded.mBlackPwd, longValue.substr(0, 143));

    // The file is in the ANSI code page: what that page holds comes back as typed.
    std::string typed = GetACP() == 936 ? "密码 Pass" : "Pass word";
    ASSERT_TRUE(profile.write(path, "Config", "BlackPwd", typed));
    settings::LoadConfig(profile, path, boxes.boxes, loaded);
    EXPECT_EQ(loaded.mBlackPwd, typed) << "code page " << GetACP();
}

}  // namespace
