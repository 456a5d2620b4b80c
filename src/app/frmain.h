#pragma once
// The main window: six pages in one page area, the navigation column, the action row,
// the settings page, and the program-wide state that lives from load to exit.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/constants.h"
#include "app/context.h"
#include "app/main_tray.h"
#include "blackscreen/frm_black.h"
#include "cli/command_line.h"
#include "blackscreen/frm_pwd.h"
#include "hotkeys/c_hot_key.h"
#include "hotkeys/hotkey_page.h"
#include "processes/process_page.h"
#include "rules/hide_rules.h"
#include "rules/rules_page.h"
#include "schedule/schedule_page.h"
#include "settings/config.h"
#include "tray/tray_page.h"
#include "ui/control_ids.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "update/on_up_data.h"
#include "windows/hidden_record.h"
#include "windows/restore_widget.h"
#include "windows/window_page.h"

namespace app {

class Frmain : public ui::Form {
  public:
    static constexpr int kHotKeyCount = 7;

    explicit Frmain(Context& ctx);

    // Shows one page frame and hides the other five.
    void showPage(ui::Frame& page);
    // The running copy was asked to come back by a second start.
    void linkExecute(const std::string& command);
    // A switch a second start handed over, done; what the second start reports.
    cli::Reply runCommand(cli::Command command);
    // What this run holds hidden now: the windows it hid that still exist and are still
    // hidden, the icons it hid, the taskbar and the desktop icons.
    cli::HiddenCount hiddenNow();
    // The exit a command asked for, to run once the command is answered.
    std::function<void()> onCommandExit;
    // The normal exit, restoring everything, without the question.
    void exitWithoutQuestion();
    // Puts the loaded main window away into the notification area, as the start-minimised
    // option does.
    void goToTray() { frmtray_Click(); }
    // Leaves the program once the main window is gone.
    std::function<void()> onEnd;
    // The black screen is up and waits for its password: nothing ends the program meanwhile,
    // but the end of the Windows session.
    bool blackScreenLocked() const { return frmBlack.locked(); }
    // The Windows session ends: the exit without its question, black screen or not.
    void endSession();

    const std::string& mydoc() const { return mydoc_; }
    std::string configPath() const;
    settings::Settings& config() { return settings_; }

    // Navigation column and action row.
    ui::PictureButton Command1{this, ui::ids::kCommand1, "Command1"};
    ui::PictureButton Command2{this, ui::ids::kCommand2, "Command2"};
    ui::PictureButton Command3{this, ui::ids::kCommand3, "Command3"};
    ui::PictureButton Command9{this, ui::ids::kCommand9, "Command9"};
    ui::PictureButton Command4{this, ui::ids::kCommand4, "Command4"};
    ui::PictureButton Command7{this, ui::ids::kCommand7, "Command7"};
    ui::PictureButton Command10{this, ui::ids::kCommand10, "Command10"};
    ui::PictureButton Command6{this, ui::ids::kCommand6, "Command6"};
    ui::Button Command5{this, ui::ids::kCommand5, "Command5"};
    ui::Button cmdStart{this, ui::ids::kCmdStart, "cmdStart"};
    ui::Button cmdStop{this, ui::ids::kCmdStop, "cmdStop"};
    ui::PictureButton Command8{this, ui::ids::kCommand8, "Command8"};
    ui::PictureButton frmtray{this, ui::ids::kFrmTray, "frmtray"};
    ui::PictureButton frmResize{this, ui::ids::kFrmResize, "frmResize"};
    ui::PictureButton frmUnload{this, ui::ids::kFrmUnload, "frmUnload"};
    ui::Label vLabel{this, ui::ids::kVLabel, "vLabel"};
    ui::Label lblCount{this, ui::ids::kLblCount, "lblCount"};
    // The server notice, once, a second after load.
    ui::Timer Timer6{this, ui::ids::kTimer6, "Timer6"};

    // The six pages.
    ui::Frame Frame1{this, ui::ids::kFrame1, "Frame1"};
    ui::Frame Frame2{this, ui::ids::kFrame2, "Frame2"};
    ui::Frame Frame3{this, ui::ids::kFrame3, "Frame3"};
    ui::Frame Frame4{this, ui::ids::kFrame4, "Frame4"};
    ui::Frame Frame8{this, ui::ids::kFrame8, "Frame8"};
    ui::Frame Frame9{this, ui::ids::kFrame9, "Frame9"};
    // The news panel on Frame3.
    ui::WebBrowser WebBrowser1{&Frame3, ui::ids::kWebBrowser1, "WebBrowser1"};

    // The settings page: tabs over three frames, OK, Cancel and the status line.
    ui::TabStrip TabStrip1{&Frame4, ui::ids::kTabStrip1, "TabStrip1"};
    ui::Frame Frame5{&Frame4, ui::ids::kFrame5, "Frame5"};
    ui::Frame Frame6{&Frame4, ui::ids::kFrame6, "Frame6"};
    ui::Frame Frame7{&Frame4, ui::ids::kFrame7, "Frame7"};
    ui::Frame FrameRules{&Frame4, ui::ids::kFrameRules, "FrameRules"};
    ui::Button cmdSetOK{&Frame4, ui::ids::kCmdSetOK, "cmdSetOK"};
    ui::Button cmdSetCancel{&Frame4, ui::ids::kCmdSetCancel, "cmdSetCancel"};
    ui::Label Label27{&Frame4, ui::ids::kLabel27, "Label27"};

    // General options.
    ui::CheckBox CheckStarRun{&Frame5, ui::ids::kCheckStarRun, "CheckStarRun"};
    ui::CheckBox CheckStartMini{&Frame5, ui::ids::kCheckStartMini, "CheckStartMini"};
    ui::CheckBox CheckEndMini{&Frame5, ui::ids::kCheckEndMini, "CheckEndMini"};
    ui::CheckBox EndMsgbox{&Frame5, ui::ids::kEndMsgbox, "EndMsgbox"};

    // Hotkeys: boxes 0-4 and 6 on the hotkey tab, box 5 on the black-screen tab.
    std::array<std::unique_ptr<ui::Label>, kHotKeyCount> hotKeyCaption;
    std::array<std::unique_ptr<ui::TextBox>, kHotKeyCount> txtHotKey;
    std::array<std::unique_ptr<ui::Label>, kHotKeyCount> labHotKey;
    ui::Button Command13{&Frame6, ui::ids::kCommand13, "Command13"};

    // Black-screen password and its confirmation.
    std::array<std::unique_ptr<ui::TextBox>, 2> txtBlackPwd;
    std::vector<std::unique_ptr<ui::Label>> frame7Labels;

    // Drives the hotkeys: StartHotKeys arms them at its next tick.
    ui::Timer Timer1{&Frame4, ui::ids::kSettingsTimer1, "Timer1"};

    // Window flags.
    bool Traying = false;
    bool noHide = false;
    bool Hiden = false;
    bool formunload = false;
    // The taskbar, and the desktop icons, are hidden by their toggles.
    bool Dowin = false;
    bool iconhide = false;

    // Hides every listed window and every notification-area icon, and the main window.
    void Command7_Click();
    // Brings back what the program hid: icons, desktop icons, windows. Leaves the main
    // window and the widgets to its callers.
    void RE();
    // The taskbar toggle; decides by the button's caption.
    void cmdhidewin_Click();
    // The desktop-icon toggle.
    void Command10_Click();

    // What a run that did not end normally left hidden, brought back (also a record an
    // older version left beside the settings file, which then goes); true when anything
    // was. Runs before the main window is first shown.
    bool restoreLeftovers();
    // Everything this run has hidden, brought back at once, for a program about to die.
    void restoreRecorded();

  private:
    void createControls();
    void createHotKeyRow(int index, ui::Frame& frame, const char* caption, int top);
    void createPasswordTab();
    void layoutChrome();
    void layoutPages();
    void layoutSettingsPage();
    void wireEvents();
    void Form_Load();
    void afterFirstShow();
    void Form_Unload(bool& cancel);
    cli::Reply hideByCommand();
    cli::Reply restoreByCommand();
    cli::Reply exitByCommand();
    // The exit asked for from the command line: no question.
    bool exitWithoutQuestion_ = false;
    // What the exit restores before the program ends.
    void restoreOnExit();
    // The taskbar, the desktop icons and everything else hidden, brought back by every
    // way the program ends.
    void restoreBeforeEnd();
    // For an end at once, past the exit: everything hidden back, the own icon gone, the
    // hotkeys free.
    void prepareAbruptEnd();
    // False while the black screen is locked; the black screen is put back on top then.
    bool mayEnd();
    // The exit once it is decided: restore, clean up, leave.
    void endRun();
    std::string settingsFolder();
    // Veilor's folder in the local application data, where the record lives.
    std::string recordFolder();
    int restoreState(const windows::HiddenState& state, bool thisBoot);
    int restoreButtons(const std::vector<windows::RecordedButton>& buttons, bool thisBoot);
    void wireRecord();
    void wireProcessPage();
    void loadProcessPage();
    static std::vector<windows::RecordedButton> recordedButtons(
        const std::vector<tray::TrayButton>& buttons);
    void recordTrayButtons(const std::vector<tray::TrayButton>& buttons);
    void createHotKeys();
    hotkeys::HotKeyPage::Actions hotKeyActions();
    void Form_Resize();
    void frmtray_Click();
    void frmResize_Click();
    void Command8_Click();
    void frmUnload_Click();
    void dragWindow();
    void ShowSettings();
    void GetSetting();
    void GetSetting2();
    void markSettingsChanged();
    void TabStrip1_Click();
    void Command5_Click();
    void Command13_Click();
    std::array<ui::TextBox*, kHotKeyCount> hotKeyBoxes();

    Context& ctx_;
    std::string mydoc_;
    settings::Settings settings_;

  public:
    // What this run has hidden, in the local application data; built from the context.
    windows::HiddenRecord hiddenRecord{ctx_.sys.files, ctx_.sys.clock};

    // The window page on Frame1; built from the context, so declared after ctx_.
    windows::WindowPage windowPage{Frame1, ctx_.sys, ctx_.dialogs, hiddenRecord,
                                   [this] { return handle(); }};

  public:
    // The tray page on Frame2; built from the system, so declared after ctx_.
    tray::TrayPage trayPage{Frame2, ctx_.sys};

    // The hiding-rules tab of the settings page, and the rules the one-key hide follows:
    // those last saved, not the tab's unsaved edits.
    rules::RulesPage rulesPage{FrameRules, ctx_.sys, ctx_.dialogs, kTitle,
                               [this] { return configPath(); }};
    rules::HideRules hideRules;
    // Reads the rules from the settings file into hideRules and the tab.
    void loadRules();

    // The process page on Frame8.
    processes::ProcessPage processPage{Frame8, ctx_.sys, ctx_.dialogs, kTitle};
    // The schedule page on Frame9.
    schedule::SchedulePage schedulePage{Frame9, ctx_.sys, ctx_.dialogs, kTitle};
    // Lets this program reach the processes of other users, so that it can end them.
    void AdjustTokenPrivileges2000();

    // The own notification-area icon while minimised there, and its menu.
    MainTray mainTray{ctx_.sys.notifyIcon, ctx_.sys.shell, ctx_.sys.environment, *this};

    // The ways back while things are hidden: after the one-key hide, and while the
    // taskbar is hidden.
    windows::RestoreWidget reOneKey{ctx_.forms, ctx_.sys.desktop, ctx_.sys.clock,
                                    windows::oneKeyLook()};
    windows::RestoreWidget reWin{ctx_.forms, ctx_.sys.desktop, ctx_.sys.clock,
                                 windows::restoreWinLook()};

    // The black screen and its unlock prompt, which checks the password last loaded.
    blackscreen::FrmPwd frmPwd{ctx_.forms, ctx_.sys.desktop,
                               [this] { return settings_.mBlackPwd; }};
    blackscreen::FrmBlack frmBlack{ctx_.forms, ctx_.sys, frmPwd};
    // Switches the monitor off.
    void heiPing();
    // Blacks out the screen, locks the keyboard and puts the main window away.
    void Command6_Click();

    // The system-wide hotkeys, from load to exit, and the boxes that set them.
    std::unique_ptr<hotkeys::cHotKey> cHK;
    std::unique_ptr<hotkeys::HotKeyPage> hotKeyPage;
    // The restore hotkey: back to normal, taskbar included, everything restored, shown.
    void restoreAll();
    void cmdSetOK_Click();
    void cmdSetCancel_Click();

    // The update check and the server notice.
    update::OnUpData onUpData{ctx_.sys,
                              ctx_.dialogs,
                              {cmdStart, cmdStop, lblCount, Timer6},
                              kTitle,
                              kServerBase,
                              {[this] { return blackScreenLocked(); }, [this] { prepareAbruptEnd(); }}};
};

}  // namespace app
