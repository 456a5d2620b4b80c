#pragma once
// The About box: title, version, a rights notice, and a way into Windows' own
// system-information tool. It is hidden, not unloaded, by its OK button, so opening it
// again shows the same box.
#include <string>

#include "app/context.h"
#include "platform/registry.h"
#include "ui/control_ids.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace app {

inline constexpr const char* kSysInfoUnavailable = "此时系统信息不可用";

class FrmAbout : public ui::Form {
  public:
    explicit FrmAbout(Context& ctx);

    // Starts the system-information tool in a normal, focused window, or tells the user
    // it is not available. True when the tool started.
    bool StartSysInfo();
    // Reads a string value; false (and an empty value) when it cannot be read.
    bool GetKeyValue(platform::RegistryRoot keyRoot, const std::string& keyName,
                     const std::string& subKeyRef, std::string& keyVal);

    ui::Label lblTitle{this, ui::ids::kAboutLblTitle, "lblTitle"};
    ui::Label lblVersion{this, ui::ids::kAboutLblVersion, "lblVersion"};
    ui::Frame Frame1{this, ui::ids::kAboutFrame1, "Frame1"};
    ui::Label lblDisclaimer{&Frame1, ui::ids::kAboutLblDisclaimer, "lblDisclaimer"};
    ui::Label Label1{this, ui::ids::kAboutLabel1, "Label1"};
    ui::Button cmdOK{this, ui::ids::kAboutCmdOK, "cmdOK"};
    ui::Button cmdSysInfo{this, ui::ids::kAboutCmdSysInfo, "cmdSysInfo"};

  private:
    void layout();
    void Form_Load();
    // The tool's full path from the registry, empty when no value leads to it.
    std::string sysInfoPath();

    Context& ctx_;
};

}  // namespace app
