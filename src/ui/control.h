#pragma once
// The control model. Logic reads and changes controls through these objects only;
// whatever view is attached (real windows or the simulated desktop) follows every
// change through the form's observer, and turns the user's actions into the raise*
// calls below. The model never knows whether a view exists.
#include <functional>
#include <string>
#include <vector>

namespace ui {

class Form;

enum class ControlKind {
    Form,
    Button,
    PictureButton,
    CheckBox,
    TextBox,
    ListBox,
    ListView,
    Label,
    Frame,
    TabStrip,
    Timer,
    WebBrowser,
};

// What changed, for the view. For the item changes, the index argument says which row.
enum class Change {
    Text,
    Visible,
    Enabled,
    Geometry,
    ToolTip,
    Font,
    Value,
    Style,
    ItemAdded,
    ItemRemoved,
    ItemsCleared,
    ItemChanged,
    Columns,
    ListIndex,
    WindowState,
    Timer,
    Focus,
    // The control object is going away; the view forgets it.
    Destroyed,
};

// Shift-state bits of key and mouse events.
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

// Why a control got the keyboard focus: the user put it there (a click, Tab, or the
// logic on the user's behalf), or the system handed it back to the control that last had
// it when the window came to the front again (or a message box closed).
enum class FocusCause { User, Restored };

class Control {
  public:
    Control(Control* parent, ControlKind kind, int id, std::string name);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    ControlKind kind() const { return kind_; }
    int id() const { return id_; }
    const std::string& name() const { return name_; }
    Control* parent() const { return parent_; }
    Form* form() const { return form_; }
    const std::vector<Control*>& children() const { return children_; }

    // Geometry in twips, relative to the parent's client area.
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setBounds(int left, int top, int width, int height);
    void move(int left, int top) { setBounds(left, top, width_, height_); }
    // Left and top relative to the form's client area.
    int formLeft() const;
    int formTop() const;

    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Visible and inside visible containers: what the user can see.
    bool shownOnScreen() const;
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // True when a user could click or type into it: shown and enabled all the way up.
    bool usable() const;
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(const std::string& tip);
    bool bold() const { return bold_; }
    void setBold(bool bold);
    void setFocus();

    // Free text that the logic keeps with the control; no view shows it.
    std::string tag;

    std::function<void()> onClick;
    std::function<void()> onDblClick;
    // Runs for the user's focus only. A restored focus runs it once the user presses a
    // mouse button on the control: a click from another program re-activates the form,
    // which hands the focus back to that very control, so the click itself moves nothing.
    std::function<void()> onGotFocus;
    // Runs whenever the focus goes; form()->focused() is then the control taking it, or
    // nullptr when the focus leaves the form.
    std::function<void()> onLostFocus;
    std::function<void()> onChange;
    // keyCode may be set to 0 by the handler to swallow the key.
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void(MouseButton button, int shift, int x, int y)> onMouseDown;
    // buttons: the MouseButton bits held while the pointer moved.
    std::function<void(int buttons, int shift, int x, int y)> onMouseMove;
    std::function<void(MouseButton button, int shift, int x, int y)> onMouseUp;

    // Called by views and tests for what the user did.
    virtual void raiseClick();
    void raiseDblClick();
    void raiseGotFocus(FocusCause cause = FocusCause::User);
    // next: the control of this form that takes the focus, nullptr when it leaves the form.
    void raiseLostFocus(Control* next = nullptr);
    void raiseKeyDown(int& keyCode, int shift);
    void raiseKeyPress(int& keyAscii);
    void raiseMouseDown(MouseButton button, int shift, int x, int y);
    void raiseMouseMove(int buttons, int shift, int x, int y);
    void raiseMouseUp(MouseButton button, int shift, int x, int y);
    // The user typed: the text changes and the change event runs.
    virtual void userSetText(const std::string& text);

  protected:
    void notify(Change change, int index = -1);
    // A form is its own form; set once its construction has reached the Form part.
    void becomeForm(Form* self) { form_ = self; }

  private:
    ControlKind kind_;
    int id_;
    std::string name_;
    Control* parent_;
    Form* form_;
    std::vector<Control*> children_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string text_;
    std::string toolTip_;
    bool visible_ = true;
    bool enabled_ = true;
    bool bold_ = false;
};

}  // namespace ui
