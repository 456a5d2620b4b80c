#pragma once
// A simulated computer with the settings page's controls on one form, as the main window
// hands them to the settings functions.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "platform/sim/sim_system.h"
#include "settings/config.h"
#include "ui/form.h"
#include "ui/sim/sim_dialogs.h"
#include "ui/sim/sim_forms.h"

namespace settings_test {

inline const std::string kDefaultFile =
    "[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n2=84,0,-1,0\r\n3=87,0,-1,0\r\n4=82,0,-1,0\r\n"
    "5=66,0,-1,0\r\n6=73,0,-1,0\r\n[Config]\r\nStartRun=0\r\nStartMini=0\r\nEndMini=0\r\n"
    "BlackPwd=\r\nEndMsg=0\r\n";

class SettingsTest : public ::testing::Test {
  protected:
    SettingsTest() {
        for (int i = 0; i < settings::kHotKeyCount; ++i) {
            owned_[i] = std::make_unique<ui::TextBox>(&form, 200 + i, "txtHotKey");
            boxes[i] = owned_[i].get();
        }
        for (const char* folder : {"C:\\Users", "C:\\Users\\user", "C:\\Users\\user\\Documents",
                                   "C:\\Users\\user\\Documents\\Veilor"}) {
            sim.files.createFolder(folder);
        }
    }

    std::string file() { return sim.files.readFile(path).value_or("<no file>"); }
    void load() { settings::LoadConfig(sim.profile, path, boxes, loaded); }
    void save() {
        settings::SaveConfig(sim.profile, path, boxes,
                             {CheckStarRun, CheckStartMini, CheckEndMini, EndMsgbox}, pwdConfirm);
    }

    platform::sim::SimSystem sim;
    ui::sim::SimForms forms;
    ui::sim::SimDialogs dialogs;
    ui::Form form{forms, 1000, "frmain"};
    settings::HotKeyBoxes boxes{};
    ui::CheckBox CheckStarRun{&form, 300, "CheckStarRun"};
    ui::CheckBox CheckStartMini{&form, 301, "CheckStartMini"};
    ui::CheckBox CheckEndMini{&form, 302, "CheckEndMini"};
    ui::CheckBox EndMsgbox{&form, 303, "EndMsgbox"};
    ui::TextBox pwd{&form, 304, "txtBlackPwd"};
    ui::TextBox pwdConfirm{&form, 305, "txtBlackPwd"};
    settings::Settings loaded;
    const std::string mydoc = "C:\\Users\\user\\Documents\\Veilor";
    const std::string path = settings::configPath(mydoc);

  private:
    std::array<std::unique_ptr<ui::TextBox>, settings::kHotKeyCount> owned_;
};

}  // namespace settings_test
