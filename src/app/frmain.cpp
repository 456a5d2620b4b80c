#include "app/frmain.h"

#include "app/autorun.h"
#include "app/constants.h"
#include "core/val.h"
#include "windows/desktop_parts.h"

namespace app {
namespace {

constexpr std::uint32_t kMinimizeBox = 0x20000;

}  // namespace

Frmain::Frmain(Context& ctx) : ui::Form(ctx.forms, 1000, "frmain"), ctx_(ctx) {
    // No caption bar, no system menu, a fixed frame: the skin is the whole window.
    ui::FormStyle style;
    style.border = ui::FormBorder::None;
    style.controlBox = false;
    setStyle(style);
    createControls();
    layoutChrome();
    layoutPages();
    wireEvents();
    wireRecord();
    wireProcessPage();
}

void Frmain::wireEvents() {
    onLoad = [this] { Form_Load(); };
    onFirstShown = [this] { afterFirstShow(); };
    onUnload = [this](bool& cancel) { Form_Unload(cancel); };
    onSessionEnd = [this] { endSession(); };
    mainTray.hooks.mayExit = [this] { return mayEnd(); };
    Command1.onClick = [this] {
        showPage(Frame1);
        windowPage.Refresh1();
    };
    Command2.onClick = [this] {
        showPage(Frame2);
        trayPage.cmdRefresh2_Click();
    };
    Command3.onClick = [this] {
        showPage(Frame8);
        processPage.pageShown();
    };
    Command9.onClick = [this] {
        showPage(Frame9);
        schedulePage.Command9_Click();
    };
    Command4.onClick = [this] { showPage(Frame3); };
    Command5.onClick = [this] { Command5_Click(); };
    Command7.onClick = [this] { Command7_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    frmBlack.heiPing = [this] { heiPing(); };
    Command10.onClick = [this] { Command10_Click(); };
    windowPage.cmdhidewin.onClick = [this] { cmdhidewin_Click(); };
    // The notification-area menu's exit brings the taskbar back whatever the toggle says.
    mainTray.hooks.showTaskbar = [this] { windows::ShowTaskbar(ctx_.sys.desktop); };
    onResize = [this] { Form_Resize(); };
    frmtray.onClick = [this] { frmtray_Click(); };
    frmResize.onClick = [this] { frmResize_Click(); };
    Command8.onClick = [this] { Command8_Click(); };
    frmUnload.onClick = [this] { frmUnload_Click(); };
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{this, &Frame1, &Frame2, &Frame3, &Frame4, &Frame5,
                                             &Frame6, &Frame7, &FrameRules, &lblCount, &vLabel}) {
        c->onMouseDown = [this](ui::MouseButton, int, int, int) { dragWindow(); };
    }
    TabStrip1.onClick = [this] { TabStrip1_Click(); };
    Command13.onClick = [this] { Command13_Click(); };
    cmdSetOK.onClick = [this] { cmdSetOK_Click(); };
    cmdSetCancel.onClick = [this] { cmdSetCancel_Click(); };
    cmdStart.onClick = [this] { onUpData.cmdStart_Click(); };
    cmdStop.onClick = [this] { onUpData.cmdStop_Click(); };
    Timer6.onTick = [this] { onUpData.Timer6_Timer(); };
    onHotKey = [this](int id) {
        if (cHK) cHK->hotKeyMessage(id);
    };
    reOneKey.onAction = [this] {
        RE();
        show();
        reOneKey.hide();
    };
    reWin.onAction = [this] { cmdhidewin_Click(); };
    for (ui::CheckBox* box : {&CheckStarRun, &CheckStartMini, &CheckEndMini, &EndMsgbox}) {
        box->onClick = [this] { markSettingsChanged(); };
    }
    for (auto& box : txtBlackPwd)
        box->onGotFocus = [this] { markSettingsChanged(); };
    rulesPage.onChanged = [this] { markSettingsChanged(); };
}

std::string Frmain::configPath() const {
    return settings::configPath(mydoc_);
}

std::array<ui::TextBox*, Frmain::kHotKeyCount> Frmain::hotKeyBoxes() {
    std::array<ui::TextBox*, kHotKeyCount> boxes{};
    for (int i = 0; i < kHotKeyCount; ++i)
        boxes[i] = txtHotKey[i].get();
    return boxes;
}

void Frmain::Form_Load() {
    vLabel.setText(std::string("版本：") + kVersion);
    setText(kTitle);
    showPage(Frame3);
    platform::Desktop& desktop = ctx_.sys.desktop;
    desktop.setWindowStyle(handle(), desktop.windowStyle(handle()) | kMinimizeBox);
    loadProcessPage();
    windowPage.startWatcher();
    trayPage.start();
    createHotKeys();
    mydoc_ = settingsFolder();
    if (!ctx_.sys.files.folderExists(mydoc_)) ctx_.sys.files.createFolder(mydoc_);
    hiddenRecord.setFolder(recordFolder());
    settings::LoadConfig(ctx_.sys.profile, configPath(), hotKeyBoxes(), settings_);
    loadRules();
    cHK->ClsAllHotKey();
    hotKeyPage->SetHotKeys();
    ShowSettings();
    GetSetting();
    GetSetting2();
    cmdSetOK.setEnabled(false);
    cmdSetCancel.setEnabled(false);
}

// What the user does not see before the window is up waits until it is: the news page
// is loaded into the panel already on screen, and the server notice's second counts from
// there. The hotkeys, the settings and whatever an earlier run left hidden are all in
// place before the window is shown.
void Frmain::afterFirstShow() {
    WebBrowser1.navigate(std::string(kServerBase) + kNewsPath);
    Timer6.setEnabled(true);
}

void Frmain::showPage(ui::Frame& page) {
    for (ui::Frame* f : {&Frame1, &Frame2, &Frame3, &Frame4, &Frame8, &Frame9}) {
        f->setVisible(f == &page);
    }
    if (hotKeyPage && &page != &Frame4) hotKeyPage->leaveBoxes();
}

void Frmain::linkExecute(const std::string& command) {
    if (command != kShowCommand) return;
    setWindowState(ui::WindowState::Normal);
    show();
}

void Frmain::ShowSettings() {
    CheckStarRun.setValue(core::valInt(settings_.mStartRun));
    CheckStartMini.setValue(core::valInt(settings_.mStartMini));
    CheckEndMini.setValue(core::valInt(settings_.mEndMini));
    EndMsgbox.setValue(core::valInt(settings_.mEndMsg));
    for (auto& box : txtBlackPwd)
        box->setText(settings_.mBlackPwd);
}

void Frmain::GetSetting() {
    SetAutoRun(ctx_.sys.registry, ctx_.sys.environment.executablePath(),
               settingIsOn(settings_.mStartRun));
}

void Frmain::GetSetting2() {
    if (core::valInt(settings_.mStartMini) == 1) frmtray_Click();
}

void Frmain::markSettingsChanged() {
    Label27.setText("");
    cmdSetOK.setEnabled(true);
    cmdSetCancel.setEnabled(true);
}

void Frmain::TabStrip1_Click() {
    const std::string key = TabStrip1.selectedKey();
    if (key != "a" && key != "b" && key != "c" && key != "d") return;
    Frame5.setVisible(key == "a");
    Frame6.setVisible(key == "b");
    Frame7.setVisible(key == "c");
    FrameRules.setVisible(key == "d");
    if (key == "d") rulesPage.refreshPrograms();
    if (hotKeyPage) hotKeyPage->leaveBoxes();
    Label27.setText("");
}

void Frmain::Command5_Click() {
    showPage(Frame4);
    Label27.setText("");
    Label27.setTransparent(true);
}

void Frmain::Command13_Click() {
    if (!mayEnd()) return;
    settings::Command13(ctx_.dialogs, ctx_.sys.files, ctx_.sys.shell, mydoc_,
                        [this] { prepareAbruptEnd(); });
}

void Frmain::Form_Resize() {
    if (windowState() != ui::WindowState::Minimized) {
        mainTray.DelTrayIcon();
        Traying = noHide = Hiden = false;
        reWin.hide();
        return;
    }
    if (noHide) return;
    hide();
    mainTray.AddTrayIcon();
    mainTray.SetTrayTip(kTitle);
    Traying = true;
}

void Frmain::heiPing() {
    ctx_.sys.desktop.monitorOff(handle());
}

void Frmain::Command6_Click() {
    heiPing();
    frmBlack.start();
    setWindowState(ui::WindowState::Minimized);
}

void Frmain::frmtray_Click() {
    setWindowState(ui::WindowState::Minimized);
}

void Frmain::frmResize_Click() {
    noHide = true;
    setWindowState(ui::WindowState::Minimized);
}

void Frmain::Command8_Click() {
    Hiden = !Hiden;
    setVisible(!Hiden);
}

void Frmain::frmUnload_Click() {
    if (core::valInt(settings_.mEndMini) == 1) {
        frmtray_Click();
    } else {
        unload();
    }
}

void Frmain::dragWindow() {
    ctx_.sys.desktop.beginCaptionDrag(handle());
}

void Frmain::Form_Unload(bool& cancel) {
    if (!mayEnd()) {
        cancel = true;
        return;
    }
    if (!exitWithoutQuestion_ && core::valInt(settings_.mEndMsg) != 1) {
        int answer = ctx_.dialogs.messageBox(
            "退出程序后所有隐藏将恢复，确定仍要退出？", "退出",
            ui::mb::kYesNo | ui::mb::kIconQuestion | ui::mb::kDefaultButton2);
        if (answer != ui::mb::kAnswerYes) {
            cancel = true;
            return;
        }
    }
    endRun();
}

void Frmain::endRun() {
    formunload = true;
    onUpData.endForExit();
    restoreOnExit();
    if (onEnd) onEnd();
}

bool Frmain::mayEnd() {
    if (!blackScreenLocked()) return true;
    frmBlack.keepOnTop();
    return false;
}

void Frmain::endSession() {
    if (formunload) return;
    // The only way past the password besides the password itself: the session is going,
    // and nothing hidden may stay hidden for the next one.
    frmBlack.unlock();
    mainTray.DelTrayIcon();
    endRun();
}

}  // namespace app
