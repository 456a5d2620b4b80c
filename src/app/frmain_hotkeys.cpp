// The seven system-wide hotkeys of the main window, what each one does, and the settings
// page's OK and Cancel, which save or discard the boxes and the options.
#include "app/constants.h"
#include "app/frmain.h"
#include "rules/rules_file.h"
#include "settings/password.h"
#include "windows/desktop_parts.h"

namespace app {

void Frmain::createHotKeys() {
    cHK = std::make_unique<hotkeys::cHotKey>(ctx_.sys.hotKeys, ctx_.sys.shell);
    cHK->setFrmHwnd(handle());
    hotkeys::HotKeyPage::Marks marks{};
    for (int i = 0; i < kHotKeyCount; ++i)
        marks[i] = labHotKey[i].get();
    hotKeyPage =
        std::make_unique<hotkeys::HotKeyPage>(*cHK, hotKeyBoxes(), marks, Timer1, hotKeyActions());
}

// In box order: one-key hide, hide self, hide all icons, taskbar, restore everything,
// black screen, desktop icons.
hotkeys::HotKeyPage::Actions Frmain::hotKeyActions() {
    return {[this] { Command7.raiseClick(); },
            [this] { Command8.raiseClick(); },
            [this] { trayPage.cmdHideAll.raiseClick(); },
            [this] { windowPage.cmdhidewin.raiseClick(); },
            [this] { restoreAll(); },
            [this] { Command6.raiseClick(); },
            [this] { Command10.raiseClick(); }};
}

void Frmain::restoreAll() {
    setWindowState(ui::WindowState::Normal);
    Hiden = false;
    if (Dowin) {
        Dowin = false;
        windowPage.cmdhidewin.setText("隐藏任务栏");
        windows::ShowTaskbar(ctx_.sys.desktop);
        hiddenRecord.setTaskbar(false);
        reWin.hide();
    }
    RE();
    show();
    reOneKey.hide();
}

void Frmain::cmdSetOK_Click() {
    if (txtBlackPwd[1]->text() != txtBlackPwd[0]->text()) {
        ctx_.dialogs.messageBox("未保存，两次密码输入不一致，请重新输入！", "错误", ui::mb::kOk);
        return;
    }
    // A password the file cannot give back as typed would lock the user out.
    settings::PasswordFit fit =
        settings::passwordFit(ctx_.sys.profile, configPath(), txtBlackPwd[1]->text());
    if (fit != settings::PasswordFit::Fits) {
        ctx_.dialogs.messageBox(settings::passwordRefusal(fit), kTitle,
                                ui::mb::kOk | ui::mb::kIconExclamation);
        return;
    }
    settings::SaveConfig(ctx_.sys.profile, configPath(), hotKeyBoxes(),
                         {CheckStarRun, CheckStartMini, CheckEndMini, EndMsgbox}, *txtBlackPwd[1]);
    rules::WriteRules(ctx_.sys.profile, configPath(), rulesPage.rules());
    settings::LoadConfig(ctx_.sys.profile, configPath(), hotKeyBoxes(), settings_);
    loadRules();
    cHK->ClsAllHotKey();
    hotKeyPage->SetHotKeys();
    GetSetting();
    Label27.setText("已保存");
    Label27.setTransparent(false);
    cmdSetOK.setEnabled(false);
    cmdSetCancel.setEnabled(false);
}

void Frmain::cmdSetCancel_Click() {
    settings::LoadConfig(ctx_.sys.profile, configPath(), hotKeyBoxes(), settings_);
    loadRules();
    ShowSettings();
    // The saved hotkeys come back on too: a box the user was in had switched them off.
    hotKeyPage->leaveBoxes();
    Label27.setText("未保存");
    Label27.setTransparent(false);
    cmdSetOK.setEnabled(false);
    cmdSetCancel.setEnabled(false);
}

void Frmain::loadRules() {
    const std::vector<rules::Rule> stored = rules::ReadRules(ctx_.sys.profile, configPath());
    hideRules = rules::HideRules(stored);
    rulesPage.show(stored);
}

}  // namespace app
