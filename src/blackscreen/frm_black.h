#pragma once
// The black screen: one black, borderless window over every monitor, always on top, with
// the keyboard lock while it is up. A left click brings the unlock prompt, a right click
// switches the monitor off again.
#include <functional>

#include "blackscreen/frm_pwd.h"
#include "platform/system.h"
#include "ui/form.h"

namespace blackscreen {

class FrmBlack : public ui::Form {
  public:
    FrmBlack(ui::FormHost& host, const platform::System& sys, FrmPwd& prompt);

    // Covers the screen and locks the keyboard, every time it is shown.
    void start();
    // The right password: the keyboard is free and both windows go.
    void unlock();
    // Switches the monitor off, through the main window.
    std::function<void()> heiPing;

  private:
    void Form_Load();
    void Form_MouseUp(ui::MouseButton button);
    void holdTaskManager();

    platform::System sys_;
    FrmPwd& prompt_;
};

}  // namespace blackscreen
