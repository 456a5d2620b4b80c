#include "ui/control.h"

#include "ui/form.h"

namespace ui {

Control::Control(Control* parent, ControlKind kind, int id, std::string name)
    : kind_(kind),
      id_(id),
      name_(std::move(name)),
      parent_(parent),
      form_(parent ? parent->form_ : nullptr) {
    if (parent_) parent_->children_.push_back(this);
    if (form_ && kind != ControlKind::Form) form_->registerControl(this);
}

Control::~Control() {
    if (kind_ == ControlKind::Form || !form_) return;
    notify(Change::Destroyed);
    form_->unregisterControl(this);
    if (parent_) std::erase(parent_->children_, this);
}

void Control::notify(Change change, int index) {
    if (form_ && form_->observer()) form_->observer()->controlChanged(*this, change, index);
}

void Control::setBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notify(Change::Geometry);
}

int Control::formLeft() const {
    int x = 0;
    for (const Control* c = this; c && c->kind_ != ControlKind::Form; c = c->parent_)
        x += c->left_;
    return x;
}

int Control::formTop() const {
    int y = 0;
    for (const Control* c = this; c && c->kind_ != ControlKind::Form; c = c->parent_)
        y += c->top_;
    return y;
}

void Control::setText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    notify(Change::Text);
}

void Control::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    notify(Change::Visible);
    if (form_) form_->sightChanged();
}

bool Control::shownOnScreen() const {
    for (const Control* c = this; c; c = c->parent_) {
        if (!c->visible_) return false;
    }
    return true;
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    notify(Change::Enabled);
}

bool Control::usable() const {
    for (const Control* c = this; c; c = c->parent_) {
        if (!c->visible_ || !c->enabled_) return false;
    }
    return true;
}

void Control::setToolTip(const std::string& tip) {
    if (tip == toolTip_) return;
    toolTip_ = tip;
    notify(Change::ToolTip);
}

void Control::setBold(bool bold) {
    if (bold == bold_) return;
    bold_ = bold;
    notify(Change::Font);
}

// The logic moves the focus on the user's behalf: a focus the view reports as handed
// back by the system on the way counts as the user's.
void Control::setFocus() {
    if (!form_) return;
    notify(Change::Focus);
    Control* previous = form_->focused();
    if (previous == this) {
        if (form_->focusCause() == FocusCause::Restored) raiseGotFocus(FocusCause::User);
        return;
    }
    form_->setFocused(this);
    if (previous) previous->raiseLostFocus(this);
    raiseGotFocus();
}

void Control::raiseClick() {
    if (onClick) onClick();
}

void Control::raiseDblClick() {
    if (onDblClick) onDblClick();
}

void Control::raiseGotFocus(FocusCause cause) {
    if (form_) form_->setFocused(this, cause);
    if (cause == FocusCause::User && onGotFocus) onGotFocus();
}

void Control::raiseLostFocus(Control* next) {
    if (form_ && form_->focused() == this) form_->setFocused(next);
    if (onLostFocus) onLostFocus();
}

void Control::raiseKeyDown(int& keyCode, int shift) {
    if (onKeyDown) onKeyDown(keyCode, shift);
}

void Control::raiseKeyPress(int& keyAscii) {
    if (onKeyPress) onKeyPress(keyAscii);
}

void Control::raiseMouseDown(MouseButton button, int shift, int x, int y) {
    if (form_ && form_->focused() == this && form_->focusCause() == FocusCause::Restored)
        raiseGotFocus(FocusCause::User);
    if (onMouseDown) onMouseDown(button, shift, x, y);
}

void Control::raiseMouseMove(int buttons, int shift, int x, int y) {
    if (onMouseMove) onMouseMove(buttons, shift, x, y);
}

void Control::raiseMouseUp(MouseButton button, int shift, int x, int y) {
    if (onMouseUp) onMouseUp(button, shift, x, y);
}

void Control::userSetText(const std::string& text) {
    if (text == text_) return;
    setText(text);
    if (onChange) onChange();
}

}  // namespace ui
