#pragma once
// What the real view keeps for one loaded form, and the pieces of the view that work
// on it. Internal to ui/win32.
#include <windows.h>

#include <exception>
#include <map>
#include <set>
#include <string>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/win32/ui_font.h"
#include "ui/win32/win32_forms.h"

namespace ui::win32 {

// Posted to a form window to re-read a list view's selection once a user's click has
// finished moving it (the control reports the old row losing it before the new row
// gains it).
constexpr UINT kSyncListViewMessage = WM_APP + 0x31;
// Posted to a form when a list that took a burst of rows may draw again (lParam: the list).
constexpr UINT kResumeRedrawMessage = WM_APP + 0x32;
// The view's own timers on a form window, apart from the ids its Timer controls take.
// Timers rather than posted messages: a modal loop may drop a posted message (Wine's
// dialog loop does, for the one it takes after the dialog was ended), while a timer
// comes again until it is killed. And a timer's message comes only once nothing else
// waits, painting included.
// Set once the form has loaded: the message loop has taken over (see Form::onFirstShown).
constexpr UINT_PTR kFirstShownTimer = 0x6F01;
// Set from the first show until every control waiting for a window has one (see
// createDeferredControls).
constexpr UINT_PTR kDeferredTimer = 0x6F02;

struct FormView {
    Form* form = nullptr;
    const UiFonts* fonts = nullptr;
    HWND hwnd = nullptr;
    HWND tooltip = nullptr;
    std::map<const Control*, HWND> windows;
    std::map<HWND, Control*> controls;
    std::map<UINT_PTR, Timer*> timers;
    // Controls hidden, or inside a container that was, when the form loaded: their
    // windows are made when they are first shown, or a few at a time once the form is on
    // screen.
    std::set<const Control*> deferred;
    // Whether the form has been on screen since it loaded (see Form::onFirstShown).
    bool firstShown = false;
    BackgroundPainter painter;
    // Above zero while the view is following the model: notifications the controls send
    // meanwhile are echoes of the model's own change, not the user's action.
    int applying = 0;
    HWND hotButton = nullptr;
    // The control that had the keyboard focus when the form was last deactivated.
    HWND lastFocus = nullptr;
    // While activated() hands the focus back to it: not the user's doing.
    bool restoringFocus = false;
    // Whether the last pointer move the form reported lay inside its client area, and
    // whether the system will tell when the pointer leaves it.
    bool pointerInside = false;
    bool trackingLeave = false;

    HWND windowOf(const Control& c) const {
        auto it = windows.find(&c);
        return it == windows.end() ? nullptr : it->second;
    }
    Control* controlOf(HWND hwnd) const {
        auto it = controls.find(hwnd);
        return it == controls.end() ? nullptr : it->second;
    }
};

class Applying {
  public:
    explicit Applying(FormView& view) : view_(view) { ++view_.applying; }
    ~Applying() { --view_.applying; }
    Applying(const Applying&) = delete;
    Applying& operator=(const Applying&) = delete;

  private:
    FormView& view_;
};

// Runs a model event handler from inside a window procedure: nothing may escape into
// the system's code that called us.
template <class F>
void guarded(F&& f) noexcept {
    try {
        f();
    } catch (const std::exception& e) {
        OutputDebugStringA("Veilor: event handler failed: ");
        OutputDebugStringA(e.what());
        OutputDebugStringA("\n");
    } catch (...) {
        OutputDebugStringA("Veilor: event handler failed\n");
    }
}

std::wstring windowText(HWND hwnd);
// kShiftMask / kCtrlMask / kAltMask from the keyboard's current state.
int shiftState();

// control_views.cpp
void createControls(FormView& view);
// Makes up to `limit` of the deferred controls' windows; true while some still wait.
bool createDeferredControls(FormView& view, std::size_t limit);
void forgetControl(FormView& view, const Control& control);
// The form is on screen: every web panel gets its browser, or its notice.
void prepareWebPanels(FormView& view);
void applyControlChange(FormView& view, Control& control, Change change, int index);
void placeControl(FormView& view, const Control& control);

// control_events.cpp
LRESULT handleCommand(FormView& view, HWND child, int code);
LRESULT handleNotify(FormView& view, const NMHDR& header);
LRESULT colorStatic(FormView& view, HDC dc, HWND child);
void syncListViewSelection(FormView& view, HWND listView);
// Lets a list that took a burst of rows draw again (see kResumeRedrawMessage).
void resumeRedraw(HWND list);
void subclassControl(FormView& view, HWND hwnd, Control& control);

// picture_button.cpp
void drawPictureButton(const FormView& view, const DRAWITEMSTRUCT& item);

// form_window.cpp
HWND createFormWindow(FormView& view);
void applyFormChange(FormView& view, Change change);
void rearmTimer(FormView& view, Timer& timer);

}  // namespace ui::win32
