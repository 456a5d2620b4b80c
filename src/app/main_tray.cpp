#include "app/main_tray.h"

#include "app/constants.h"

namespace app {

std::string trayTipText(const std::string& text) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++chars > kTrayTipMaxChars) return text.substr(0, i);
    }
    return text;
}

MainTray::MainTray(platform::NotifyIcon& icon, platform::Shell& shell,
                   platform::Environment& environment, ui::Form& mainWindow, Hooks hooks)
    : hooks(std::move(hooks)),
      icon_(icon),
      shell_(shell),
      environment_(environment),
      form_(mainWindow),
      tip_(kTitle) {
    icon_.setMouseHandler([this](int mouseMessage) { TrayMouse(mouseMessage); });
}

MainTray::~MainTray() {
    icon_.setMouseHandler(nullptr);
    icon_.remove();
}

bool MainTray::AddTrayIcon() {
    return icon_.add(tip_);
}

void MainTray::SetTrayTip(const std::string& text) {
    tip_ = trayTipText(text);
    icon_.setTip(tip_);
}

void MainTray::DelTrayIcon() {
    icon_.remove();
}

void MainTray::TrayMouse(int mouseMessage) {
    if (mouseMessage == platform::mouse::kLeftUp) {
        // Back to normal runs the window's own restore, which takes the icon away.
        if (form_.windowState() == ui::WindowState::Minimized) {
            form_.setWindowState(ui::WindowState::Normal);
        }
        form_.show();
    } else if (mouseMessage == platform::mouse::kRightUp) {
        form_.host().popupMenu(form_, mnu_file());
    }
}

std::vector<ui::MenuItem> MainTray::mnu_file() {
    ui::MenuItem help{"帮助(H)", false, {}, nullptr};
    help.subItems.push_back({"关于(A)..", false, {}, [this] {
                                 if (hooks.showAbout) hooks.showAbout();
                             }});
    help.subItems.push_back({"", true, {}, nullptr});
    help.subItems.push_back({"联机帮助(H)", false, {}, [this] { mnu_onhelp(); }});
    std::vector<ui::MenuItem> items;
    items.push_back(std::move(help));
    items.push_back({"", true, {}, nullptr});
    items.push_back({"显示Veilor(O)", false, {}, [this] { mnu_Show(); }});
    items.push_back({"退出(X)", false, {}, [this] { mnu_Exit(); }});
    return items;
}

void MainTray::mnu_Show() {
    if (form_.windowState() != ui::WindowState::Minimized) return;
    DelTrayIcon();
    form_.setWindowState(ui::WindowState::Normal);
    form_.show();
}

void MainTray::mnu_onhelp() {
    shell_.run(platform::webPageCommand(environment_, std::string(kServerBase) + kHelpPath),
               platform::ShowCommand::Maximized);
}

void MainTray::mnu_Exit() {
    if (hooks.mayExit && !hooks.mayExit()) return;
    bool wasInTray = icon_.present();
    DelTrayIcon();
    if (hooks.showTaskbar) hooks.showTaskbar();
    bool left = hooks.unloadMain ? hooks.unloadMain() : form_.unload();
    // Once the window is gone the program is on its way out; touch nothing.
    if (left) return;
    // The user chose to stay: a window still waiting in the notification area needs its
    // icon back, or only a hotkey could ever find it again.
    bool stillInTray = form_.windowState() == ui::WindowState::Minimized && !form_.visible();
    if (wasInTray && stillInTray) AddTrayIcon();
}

}  // namespace app
