#pragma once
// The black screen: one black, borderless window over every monitor, always on top, with
// the keyboard lock while it is up. A left click brings the unlock prompt, a right click
// switches the monitor off again. Once up, only the right password takes it away: a
// request to close it, or its prompt, leaves the lock as it is.
#include <cstdint>
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
    // The right password (or the end of the Windows session): the keyboard is free and
    // both windows go.
    void unlock();
    bool locked() const { return locked_; }
    // Puts the black window, and the prompt when it is up, above every other window again
    // (kSwpNoActivate in flags: without taking the keyboard).
    void keepOnTop(std::uint32_t flags = 0);
    // Switches the monitor off, through the main window.
    std::function<void()> heiPing;
    // Runs while locked only: another program's always-on-top window that comes up later
    // (or whose raise was still on its way when the black screen came up) is covered again.
    ui::Timer tmrOnTop{this, ui::ids::kTmrOnTop, "tmrOnTop"};

  private:
    void Form_Load();
    void Form_MouseUp(ui::MouseButton button);
    void holdTaskManager();
    void Form_Unload(bool& cancel);
    void putOnTop(ui::Form& form, std::uint32_t flags = 0);

    platform::System sys_;
    FrmPwd& prompt_;
    bool locked_ = false;
};

}  // namespace blackscreen
