// A form with one control of every kind, on the real views, and input helpers that act
// as the user would (SendInput), for the view tests.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

#include "support/driver.h"
#include "ui/control_ids.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/win32/win32_forms.h"

namespace ui_test {

// Child IDs of the test form.
enum Id : int {
    kTitle = 10,
    kFrame = 20,
    kInnerLabel = 21,
    kNestedFrame = 22,
    kNestedButton = 23,
    kButton = 30,
    kPicture = 31,
    kCheck = 32,
    kText = 33,
    kList = 34,
    kListView = 35,
    kTabs = 36,
    kTimer = 37,
};

struct TestForm {
    TestForm();

    // Declared first: the views outlive the form they host.
    ui::win32::Win32Forms views;
    ui::Form form{views, 1, "frmTest"};
    ui::Label title{&form, kTitle, "lblTitle"};
    ui::Frame frame{&form, kFrame, "Frame1"};
    ui::Label inner{&frame, kInnerLabel, "lblInner"};
    ui::Frame nested{&frame, kNestedFrame, "Frame2"};
    ui::Button nestedButton{&nested, kNestedButton, "cmdNested"};
    ui::Button button{&form, kButton, "cmdGo"};
    ui::PictureButton picture{&form, kPicture, "cmdPicture"};
    ui::CheckBox check{&form, kCheck, "chkOption"};
    ui::TextBox text{&form, kText, "txtName"};
    ui::ListBox list{&form, kList, "List1"};
    ui::ListView listView{&form, kListView, "ListView1"};
    ui::TabStrip tabs{&form, kTabs, "TabStrip1"};
    ui::Timer timer{&form, kTimer, "Timer1"};

    HWND hwnd() const { return reinterpret_cast<HWND>(form.handle()); }
    HWND child(int id) const { return GetDlgItem(hwnd(), id); }
    // Shows the form and waits until it is on screen and in front.
    ::testing::AssertionResult showInFront();
};

// Where a control sits in its form's client area, in pixels.
RECT rectInParent(HWND control);
// The real mouse: a left click at a point of a window's client area.
::testing::AssertionResult clickAt(HWND window, POINT client);
::testing::AssertionResult clickCentre(HWND window);
// Wine under Xvfb now and then loses a synthesized press (about one in thirty here): a
// click whose effect has not appeared is given once more. The counts checked after it
// still catch an event raised twice.
::testing::AssertionResult clickUntil(HWND window, POINT client,
                                      const std::function<bool()>& effect, const std::string& what);
::testing::AssertionResult clickCentreUntil(HWND window, const std::function<bool()>& effect,
                                            const std::string& what);
// The real keyboard: presses and releases a virtual key, optionally with Shift held.
void pressKey(WORD vk, bool shift = false);
std::wstring text16(HWND window);

// Runs `act` on a second thread once a top-level window of this process with that class
// and title is visible: the modal loops under test run on the main thread. The thread
// gives up after the deadline. Call join() before asserting on what it recorded.
class WindowHelper {
  public:
    WindowHelper(std::wstring className, std::wstring title, std::function<void(HWND)> act);
    ~WindowHelper();
    void join();
    bool found() const { return found_; }

  private:
    std::thread thread_;
    bool found_ = false;
};

}  // namespace ui_test
