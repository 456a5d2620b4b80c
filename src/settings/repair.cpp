#include "settings/repair.h"

#include "settings/config.h"

namespace settings {

void Command13(ui::Dialogs& dialogs, platform::Files& files, platform::Shell& shell,
               const std::string& mydoc, const std::function<void()>& restore) {
    int answer = dialogs.messageBox(
        "修复快捷键会造成其他设置恢复为默认状态，同时会清空黑屏密码，您确定要继续修复？", "提示",
        ui::mb::kOkCancel | ui::mb::kIconQuestion);
    if (answer != ui::mb::kAnswerOk) return;
    const std::string path = configPath(mydoc);
    if (!files.fileExists(path)) return;
    files.deleteFile(path);
    if (files.fileExists(path)) {
        dialogs.messageBox("请手动删除\"我的文档\\Veilor\\Config.ini\"文件后，重新启动Veilor。",
                           "修复失败", ui::mb::kOk | ui::mb::kIconExclamation);
    } else {
        dialogs.messageBox("请重新启动Veilor。", "修复成功", ui::mb::kOk);
    }
    if (restore) restore();
    shell.endProcess(0);
}

}  // namespace settings
