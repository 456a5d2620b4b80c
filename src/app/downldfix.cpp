#include "app/downldfix.h"

#include <string>

#include "app/constants.h"

namespace app {

DownLDFIX::DownLDFIX(Context& ctx) : ui::Form(ctx.forms, 2000, "DownLDFIX"), ctx_(ctx) {
    layout();
    OKButton.onClick = [this] { OKButton_Click(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    onUnload = [this](bool&) {
        if (onEnd) onEnd();
    };
}

void DownLDFIX::layout() {
    setText("修复提示");
    setBounds(0, 0, 6000, 2900);
    Label1.setText("您的系统中缺少软件运行所需的必要组件。修复后才能正常使用Veilor。");
    Label1.setBounds(240, 240, 5520, 500);
    Label2.setText("是否立即下载修复补丁？");
    Label2.setBold(true);
    Label2.setBounds(240, 840, 5520, 300);
    Label3.setText("点击\"修复\"进入修复补丁下载页面，修复后再运行Veilor。");
    Label3.setBounds(240, 1200, 5520, 300);
    Label4.setText("点击\"强行启动\"尝试运行Veilor。(可能会运行失败)");
    Label4.setBounds(240, 1560, 5520, 300);
    OKButton.setText("修复");
    OKButton.setBounds(2760, 2160, 1300, 420);
    CancelButton.setText("强行启动");
    CancelButton.setBounds(4320, 2160, 1440, 420);
}

void DownLDFIX::OKButton_Click() {
    ctx_.sys.shell.run(
        platform::webPageCommand(ctx_.sys.environment, std::string(kServerBase) + kRepairPath),
        platform::ShowCommand::Maximized);
    if (onEnd) onEnd();
}

void DownLDFIX::CancelButton_Click() {
    hide();
    if (onForceStart) onForceStart();
}

}  // namespace app
