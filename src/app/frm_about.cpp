#include "app/frm_about.h"

#include "app/constants.h"

namespace app {
namespace {

constexpr const char* kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kToolsLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

}  // namespace

FrmAbout::FrmAbout(Context& ctx) : ui::Form(ctx.forms, ui::ids::kFrmAbout, "frmAbout"), ctx_(ctx) {
    layout();
    onLoad = [this] { Form_Load(); };
    cmdOK.onClick = [this] { hide(); };
    cmdSysInfo.onClick = [this] { StartSysInfo(); };
}

void FrmAbout::layout() {
    setBounds(0, 0, 5760, 3480);
    lblTitle.setBold(true);
    lblTitle.setBounds(240, 240, 5280, 420);
    lblVersion.setBounds(240, 720, 5280, 300);
    Frame1.setBounds(240, 1140, 5280, 1080);
    lblDisclaimer.setText(
        "本软件按现状提供，不附带任何明示或默示的担保。因使用本软件而产生的一切后果，"
        "由使用者自行承担。");
    lblDisclaimer.setBounds(120, 240, 5040, 720);
    Label1.setText("© 2026 Veilor 开发者，保留所有权利。");
    Label1.setBounds(240, 2400, 3480, 600);
    cmdOK.setText("确定");
    cmdOK.setBounds(3960, 2340, 1560, 380);
    cmdSysInfo.setText("系统信息(&S)...");
    cmdSysInfo.setBounds(3960, 2820, 1560, 380);
}

void FrmAbout::Form_Load() {
    setText(std::string("关于 ") + kTitle);
    lblVersion.setText(std::string("版本 ") + kVersion);
    lblTitle.setText(kTitle);
}

bool FrmAbout::GetKeyValue(platform::RegistryRoot keyRoot, const std::string& keyName,
                           const std::string& subKeyRef, std::string& keyVal) {
    auto value = ctx_.sys.registry.readString(keyRoot, keyName, subKeyRef);
    keyVal = value.value_or("");
    return value.has_value();
}

std::string FrmAbout::sysInfoPath() {
    using platform::RegistryRoot;
    std::string path;
    if (GetKeyValue(RegistryRoot::LocalMachine, kMsInfoKey, "PATH", path) && !path.empty()) {
        return path;
    }
    std::string folder;
    if (GetKeyValue(RegistryRoot::LocalMachine, kToolsLocationKey, "MSINFO", folder) &&
        !folder.empty()) {
        std::string tool = folder + "\\MSINFO32.EXE";
        if (ctx_.sys.files.fileExists(tool)) return tool;
    }
    return "";
}

bool FrmAbout::StartSysInfo() {
    std::string path = sysInfoPath();
    if (!path.empty() &&
        ctx_.sys.shell.run(platform::quotedPath(path), platform::ShowCommand::Normal)) {
        return true;
    }
    ctx_.dialogs.messageBox(kSysInfoUnavailable, kTitle, ui::mb::kOk);
    return false;
}

}  // namespace app
