#include "blackscreen/frm_black.h"

#include "blackscreen/mod_black.h"
#include "ui/control_ids.h"

namespace blackscreen {
namespace {

// A quarter second: short enough that nothing stays over the lock long enough to be read,
// and four cheap calls a second only while the screen is locked.
constexpr int kOnTopMs = 250;

}  // namespace

FrmBlack::FrmBlack(ui::FormHost& host, const platform::System& sys, FrmPwd& prompt)
    : ui::Form(host, ui::ids::kFrmBlack, "frmBlack"), sys_(sys), prompt_(prompt) {
    ui::FormStyle style = ui::FormStyle::onTop(0);
    style.ownPosition = true;
    setStyle(style);
    // Titled with the program's name, so the window list never offers it for hiding.
    setText("Veilor 黑屏");
    onLoad = [this] { Form_Load(); };
    onMouseUp = [this](ui::MouseButton b, int, int, int) { Form_MouseUp(b); };
    onUnload = [this](bool& cancel) { Form_Unload(cancel); };
    tmrOnTop.setEnabled(false);
    tmrOnTop.setInterval(kOnTopMs);
    // Without taking the keyboard: the prompt may be up, and the user typing into it.
    tmrOnTop.onTick = [this] { keepOnTop(platform::kSwpNoActivate); };
    // Owned, so the prompt is never drawn beneath the black window, and closing it hands
    // the keyboard back to the black window instead of to a topmost window of the shell,
    // which would come up over the black screen.
    prompt_.setOwner(this);
    prompt_.onUnlock = [this] { unlock(); };
    // Closing the prompt from outside is its own close button: the black screen stays.
    prompt_.onUnload = [this](bool& cancel) {
        if (!locked_) return;
        cancel = true;
        prompt_.Command3_Click();
    };
}

void FrmBlack::start() {
    // The monitors may have changed since the last time: cover all of them as they are.
    platform::TwipsRect screen = sys_.desktop.virtualScreenTwips();
    setBounds(screen.left, screen.top, screen.width, screen.height);
    locked_ = true;
    show();
    // Set anew every time: the system drops a hook that once kept a key waiting too long,
    // without telling, and a black screen without the lock only looks locked.
    UnhookKeyboard(sys_.keyboardHook);
    HookKeyboard(sys_.keyboardHook);
    putOnTop(*this);
    tmrOnTop.setEnabled(true);
}

void FrmBlack::unlock() {
    locked_ = false;
    tmrOnTop.setEnabled(false);
    UnhookKeyboard(sys_.keyboardHook);
    prompt_.hide();
    hide();
}

void FrmBlack::keepOnTop(std::uint32_t flags) {
    if (!locked_) return;
    putOnTop(*this, flags);
    if (prompt_.visible()) putOnTop(prompt_, flags);
}

void FrmBlack::putOnTop(ui::Form& form, std::uint32_t flags) {
    sys_.desktop.setWindowPos(form.handle(), 0, 0, 0, 0,
                              platform::kSwpNoMove | platform::kSwpNoSize | flags);
}

// Alt+F4, the system menu's close or a WM_CLOSE from another program: none of them is the
// password.
void FrmBlack::Form_Unload(bool& cancel) {
    if (locked_) {
        cancel = true;
        keepOnTop();
        return;
    }
    // The system destroys an owned window with its owner: the prompt goes first, by name.
    prompt_.unload();
    UnhookKeyboard(sys_.keyboardHook);
}

void FrmBlack::Form_Load() {
    sys_.desktop.excludeFromCapture(handle());
    holdTaskManager();
}

// Held from the first black screen to the end of the program, so the task manager cannot
// be started behind the black window.
void FrmBlack::holdTaskManager() {
    std::optional<std::string> windir = sys_.environment.variable("windir");
    if (!windir || windir->empty()) return;
    sys_.files.holdOpen(*windir + "\\system32\\taskmgr.exe");
}

void FrmBlack::Form_MouseUp(ui::MouseButton button) {
    if (button == ui::MouseButton::Left) {
        prompt_.popUp();
    } else if (button == ui::MouseButton::Right && heiPing) {
        heiPing();
    }
}

}  // namespace blackscreen
