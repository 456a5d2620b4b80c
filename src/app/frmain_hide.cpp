// Hide-everything and restore-everything, and the toggles of the taskbar and the desktop
// icons: the main window ties the window page, the tray page and the shell together.
#include "app/frmain.h"
#include "rules/program_names.h"
#include "rules/rule_filter.h"
#include "tray/tray_toolbar.h"
#include "windows/desktop_parts.h"
#include "windows/desktop_snapshot.h"
#include "windows/hide_all.h"

namespace app {

void Frmain::Command7_Click() {
    windowPage.Dowindow = true;
    trayPage.Dotray = true;
    hide();
    platform::Desktop& desktop = ctx_.sys.desktop;
    platform::NotifyArea& area = ctx_.sys.notifyArea;
    // Titles are read as the system keeps them, and what the user sees of Veilor waits:
    // nothing here holds the hides back, and nothing waits on another program, until
    // every hide is on its way.
    const windows::DesktopSnapshot snapshot(desktop);
    const windows::WindowPage::Listing listing = windowPage.listRows(snapshot);
    // What the rules keep is never recorded, marked or hidden; each program is named once.
    rules::ProgramNames programs(desktop, ctx_.sys.processes);
    const std::vector<windows::HideTarget> targets =
        rules::allowedTargets(windows::listedTargets(snapshot, listing.rows), hideRules, programs);
    tray::IconPass icons(desktop, area);
    const std::vector<tray::TrayButton> buttons =
        icons.pick(tray::listRows(icons.buttons()), rules::iconFilter(hideRules, programs));
    // One write, before the first hide: from here on a killed Veilor knows it all.
    hiddenRecord.add(windows::recordedWindows(desktop, targets), recordedButtons(buttons));
    windows::hideRecordedWindows(desktop, hiddenRecord, windowPage.lateMarkers, targets, [&] {
        icons.hide(buttons);
        reOneKey.show();
        reOneKey.Timer2.setEnabled(true);
        windowPage.Refresh1(listing);
        tray::ListTrayButtons(icons.buttons(), trayPage.List2);
    });
    tray::RefreshTray(desktop, area);
    trayPage.cmdRefresh2_Click();
}

void Frmain::RE() {
    platform::Desktop& desktop = ctx_.sys.desktop;
    platform::NotifyArea& area = ctx_.sys.notifyArea;
    windowPage.Refresh1();
    tray::ListTrayButtons(desktop, area, trayPage.List2);
    if (trayPage.Dotray) {
        trayPage.cmdShowAll_Click();
        tray::RefreshTray(desktop, area);
    }
    if (iconhide) {
        windows::ShowDesktopIcons(desktop);
        hiddenRecord.setDesktopIcons(false);
    }
    if (!windowPage.Dowindow) return;
    // Hidden windows are listed only while the list is not limited to visible ones.
    ui::CheckBox& visibleOnly = windowPage.chkVisible;
    const bool wasVisibleOnly = visibleOnly.value() == 1;
    if (wasVisibleOnly) visibleOnly.setValue(0);
    // The record also knows the windows whose programs have rewritten their titles.
    windows::showRecordedWindows(desktop, hiddenRecord.state().windows);
    windows::showMarkedWindows(desktop, windowPage.List1);
    hiddenRecord.clearWindows();
    if (wasVisibleOnly) visibleOnly.setValue(1);
    windowPage.Refresh1();
}

void Frmain::cmdhidewin_Click() {
    ui::Button& toggle = windowPage.cmdhidewin;
    if (toggle.text() == "隐藏任务栏") {
        Dowin = true;
        toggle.setText("还原任务栏");
        hiddenRecord.setTaskbar(true);
        windows::HideTaskbar(ctx_.sys.desktop);
        reWin.show();
        reWin.Timer2.setEnabled(true);
        return;
    }
    Dowin = false;
    toggle.setText("隐藏任务栏");
    windows::ShowTaskbar(ctx_.sys.desktop);
    hiddenRecord.setTaskbar(false);
    reWin.hide();
}

void Frmain::Command10_Click() {
    if (iconhide) {
        windows::ShowDesktopIcons(ctx_.sys.desktop);
        hiddenRecord.setDesktopIcons(false);
        iconhide = false;
    } else {
        hiddenRecord.setDesktopIcons(true);
        windows::HideDesktopIcons(ctx_.sys.desktop);
        iconhide = true;
    }
}

void Frmain::restoreBeforeEnd() {
    if (Dowin) windows::ShowTaskbar(ctx_.sys.desktop);
    if (iconhide) windows::ShowDesktopIcons(ctx_.sys.desktop);
    RE();
    // What RE leaves to others (the taskbar) has been shown above.
    hiddenRecord.clear();
}

void Frmain::prepareAbruptEnd() {
    restoreBeforeEnd();
    mainTray.DelTrayIcon();
    if (cHK) cHK->ClsAllHotKey();
}

void Frmain::restoreOnExit() {
    restoreBeforeEnd();
    reOneKey.unload();
    reWin.unload();
    frmPwd.unload();
    frmBlack.unload();
    // No hotkey outlives the exit; the boxes still refer to the registry, so it stays.
    if (cHK) cHK->ClsAllHotKey();
}

}  // namespace app
