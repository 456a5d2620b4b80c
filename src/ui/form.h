#pragma once
// A top-level window of the program with its controls. A form is loaded (its view
// created, then its load handler run) the first time it is shown, and unloaded when it
// is closed; its unload handler may cancel that.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "ui/control.h"

namespace ui {

class Form;

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// How a form's window is framed; the views read it when they create the window and
// again whenever it changes.
enum class FormBorder { None, FixedSingle, Sizable, FixedDialog, FixedToolWindow };

struct FormStyle {
    FormBorder border = FormBorder::FixedDialog;
    // The system menu and the caption's close button. With no control box and an empty
    // caption text the window has no title bar at all.
    bool controlBox = true;
    bool minButton = false;
    bool maxButton = false;
    bool showInTaskbar = true;
    bool topMost = false;
    // 0 (invisible) to 255 (opaque); below 255 the whole window is drawn see-through.
    int opacity = 255;
    // 0x00BBGGRR; negative means the system's face colour.
    std::int32_t backColor = -1;
    // The form goes exactly where its left and top say, also at 0, 0 (which otherwise
    // means "nowhere in particular": the middle of the screen).
    bool ownPosition = false;

    // A bare panel of the program's own over everything else: no frame, no caption, no
    // taskbar button, always on top.
    static FormStyle onTop(std::int32_t backColor, int opacity = 255) {
        FormStyle style;
        style.border = FormBorder::None;
        style.controlBox = false;
        style.showInTaskbar = false;
        style.topMost = true;
        style.opacity = opacity;
        style.backColor = backColor;
        return style;
    }
};

// Receives every change of a form's controls; implemented by the views.
class FormObserver {
  public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(Control& control, Change change, int index) = 0;
};

// One entry of a pop-up menu; an empty caption with separator set is a line.
struct MenuItem {
    std::string caption;
    bool separator = false;
    std::vector<MenuItem> subItems;
    std::function<void()> onClick;
};

// Creates and destroys the view of a form; the real windows or the simulated ones.
class FormHost {
  public:
    virtual ~FormHost() = default;
    // Creates the form's view, hidden, and sets the form's handle.
    virtual void attach(Form& form) = 0;
    virtual void detach(Form& form) = 0;
    // Shows the menu at the mouse position and returns once it is closed; the chosen
    // item's handler has run by then.
    virtual void popupMenu(Form& form, const std::vector<MenuItem>& items) = 0;
    // Has form.raiseFirstShown() called once the message loop takes over after the load:
    // after whatever else is already waiting, and after the form is drawn if it is on
    // screen by then. Never for a form unloaded meanwhile.
    virtual void queueFirstShown(Form& form) = 0;
};

class Form : public Control {
  public:
    Form(FormHost& host, int id, std::string name);
    ~Form() override;

    FormHost& host() const { return host_; }
    bool loaded() const { return loaded_; }
    platform::WindowHandle handle() const { return handle_; }

    // Loads the form when needed, then makes it visible.
    void show();
    // Hiding while the load handler runs keeps the form hidden through the show that
    // loaded it (a program that starts minimised to the notification area).
    void hide();
    void load();
    // Runs the unload handler; true when the form was unloaded (not cancelled).
    bool unload();
    WindowState windowState() const { return windowState_; }
    // Changing the state runs the resize handler, whoever changes it.
    void setWindowState(WindowState state);
    int clientWidth() const { return width(); }
    int clientHeight() const { return height(); }
    const FormStyle& style() const { return style_; }
    void setStyle(const FormStyle& style);
    // An owned form stays above its owner, and when it hides the keyboard goes back to the
    // owner rather than to whatever window lies beneath. Taken when the form's window is
    // made: set it before the first show, and unload the owned form first.
    void setOwner(Form* owner) { owner_ = owner; }
    Form* owner() const { return owner_; }

    std::function<void()> onLoad;
    // Runs once after the load, when the message loop first gets to the form: the show
    // that loaded it is on screen and drawn by then (or was kept off it, as for a start
    // minimised to the notification area). For what the user need not wait for to see
    // the window.
    std::function<void()> onFirstShown;
    void raiseFirstShown() {
        if (loaded_ && onFirstShown) onFirstShown();
    }
    std::function<void()> onResize;
    // Set cancel to true to keep the form loaded.
    std::function<void(bool& cancel)> onUnload;
    // The Windows session is ending: the program is about to be stopped whatever it
    // says, so whatever it must put back has to be put back now.
    std::function<void()> onSessionEnd;
    void raiseSessionEnd() {
        if (onSessionEnd) onSessionEnd();
    }
    // A system-wide hotkey registered for this form's window was pressed.
    std::function<void(int id)> onHotKey;
    void raiseHotKey(int id) {
        if (onHotKey) onHotKey(id);
    }

    // Run whenever a control of the form is shown or hidden, or the window state changes:
    // what the user can see of the form may have changed. The token removes it again.
    int addSightListener(std::function<void()> listener);
    void removeSightListener(int token);
    void sightChanged();

    // For the views.
    void setObserver(FormObserver* observer) { observer_ = observer; }
    FormObserver* observer() const { return observer_; }
    void setHandle(platform::WindowHandle handle) { handle_ = handle; }
    // Every control of the form, in creation order.
    const std::vector<Control*>& allControls() const { return all_; }
    void registerControl(Control* control) { all_.push_back(control); }
    void unregisterControl(Control* control);
    Control* findById(int id) const;
    Control* focused() const { return focused_; }
    FocusCause focusCause() const { return focusCause_; }
    void setFocused(Control* control, FocusCause cause = FocusCause::User) {
        focused_ = control;
        focusCause_ = cause;
    }

  private:
    FormHost& host_;
    FormObserver* observer_ = nullptr;
    platform::WindowHandle handle_ = platform::kNoWindow;
    bool loaded_ = false;
    bool unloading_ = false;
    bool loading_ = false;
    bool hiddenWhileLoading_ = false;
    WindowState windowState_ = WindowState::Normal;
    FormStyle style_;
    Form* owner_ = nullptr;
    std::vector<Control*> all_;
    std::vector<std::pair<int, std::function<void()>>> sightListeners_;
    int nextSightToken_ = 0;
    Control* focused_ = nullptr;
    FocusCause focusCause_ = FocusCause::User;
};

}  // namespace ui
