#pragma once
// The real view of the forms: one top-level window per loaded form, every control a
// direct child of it (child ID = control id, so GetDlgItem on the form finds any
// control), following every change of the model and turning the user's input into the
// model's events. The model stays the single source of truth: a check box never toggles
// itself, a list's selection goes through the model, and nothing the view does on the
// model's behalf is reported back as the user's action.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/win32/ui_font.h"

namespace ui::win32 {

struct FormView;

using BackgroundPainter = std::function<void(HDC dc, RECT client)>;

class Win32Forms : public FormHost, public FormObserver {
  public:
    Win32Forms();
    // Destroys the windows of forms still loaded; create this before the forms it hosts
    // and let it outlive them.
    ~Win32Forms() override;
    Win32Forms(const Win32Forms&) = delete;
    Win32Forms& operator=(const Win32Forms&) = delete;

    void attach(Form& form) override;
    void detach(Form& form) override;
    void popupMenu(Form& form, const std::vector<MenuItem>& items) override;
    void queueFirstShown(Form& form) override;
    void controlChanged(Control& control, Change change, int index) override;

    // Paints the form's background (the skin) instead of the plain face colour. May be
    // set before the form is loaded; an empty function goes back to the face colour.
    void setBackgroundPainter(Form& form, BackgroundPainter painter);

    // The window of a control (or of the form itself), null when it has none.
    HWND windowOf(const Control& control) const;
    const UiFonts& fonts() const { return fonts_; }

  private:
    FormView* viewOf(const Form& form) const;

    UiFonts fonts_;
    std::map<const Form*, std::unique_ptr<FormView>> views_;
    std::map<const Form*, BackgroundPainter> painters_;
};

}  // namespace ui::win32
