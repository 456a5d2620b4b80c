#pragma once
// The main window's own notification-area icon while it is minimised there: adding and
// removing it, its tip, what the user's clicks on it do, and its pop-up menu.
#include <functional>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/notify_icon.h"
#include "platform/shell.h"
#include "ui/form.h"

namespace app {

// The most characters the icon's tip shows.
inline constexpr std::size_t kTrayTipMaxChars = 64;

// The tip as shown: cut after kTrayTipMaxChars characters, never inside one.
std::string trayTipText(const std::string& text);

class MainTray {
  public:
    // What the menu does that belongs to other parts of the program.
    struct Hooks {
        // "关于(A)..": show the About box, not modal.
        std::function<void()> showAbout;
        // "退出(X)": false when the program may not end now; the menu then changes
        // nothing. Unset: it may.
        std::function<bool()> mayExit;
        // "退出(X)": bring the taskbar back before the exit asks its question.
        std::function<void()> showTaskbar;
        // "退出(X)": unload the main window, which runs the exit with its confirmation.
        // Returns false when the user chose to stay. Unset: the window's own unload.
        std::function<bool()> unloadMain;
    };

    MainTray(platform::NotifyIcon& icon, platform::Shell& shell, platform::Environment& environment,
             ui::Form& mainWindow, Hooks hooks = {});
    // Takes the icon away: no icon outlives the program.
    ~MainTray();
    MainTray(const MainTray&) = delete;
    MainTray& operator=(const MainTray&) = delete;

    // Adds the icon with the current tip (the title until SetTrayTip says otherwise).
    // Adding while it is there changes nothing. False when the shell did not take it.
    bool AddTrayIcon();
    void SetTrayTip(const std::string& text);
    void DelTrayIcon();
    bool iconShown() const { return icon_.present(); }
    const std::string& tip() const { return tip_; }

    // A mouse message from the icon: left button up brings the window back, right
    // button up opens the menu, anything else does nothing.
    void TrayMouse(int mouseMessage);
    // The icon's menu, in the order the user sees it.
    std::vector<ui::MenuItem> mnu_file();
    void mnu_Show();
    void mnu_onhelp();
    void mnu_Exit();

    Hooks hooks;

  private:
    platform::NotifyIcon& icon_;
    platform::Shell& shell_;
    platform::Environment& environment_;
    ui::Form& form_;
    std::string tip_;
};

}  // namespace app
