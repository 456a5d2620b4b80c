#pragma once
// The two small floating widgets that give the user a way back while things are hidden:
// "一键还原" after the one-key hide, "还原桌面" while the taskbar is hidden. Each docks at
// the top, left or right screen edge leaving a thin strip, slides out when the pointer
// touches the strip, can be dragged, and runs its action when clicked. What the click does
// is the main window's business (onAction).
#include <cstdint>
#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/desktop.h"
#include "ui/control_ids.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace windows {

// What tells the twins apart.
struct RestoreWidgetLook {
    int formId;
    std::string name;
    std::string caption;
    std::int32_t backColor;  // 0x00BBGGRR
    int loadLeft, loadTop;   // screen twips
};

RestoreWidgetLook oneKeyLook();      // reOneKey
RestoreWidgetLook restoreWinLook();  // reWin

class RestoreWidget : public ui::Form {
  public:
    // Lengths in twips. Pointer positions are the widget's own coordinates, whose left
    // edge is x = kOriginX.
    static constexpr int kWidth = 975;
    static constexpr int kHeight = 405;
    static constexpr int kOriginX = 500;
    static constexpr int kStrip = 30;
    static constexpr int kSnap = 100;
    static constexpr int kDragThreshold = 100;
    static constexpr std::uint32_t kPauseMs = 500;
    static constexpr int kCaptionX = 625, kCaptionY = 120;
    static constexpr int kOpacity = 160;

    RestoreWidget(ui::FormHost& host, platform::Desktop& desktop, platform::Clock& clock,
                  const RestoreWidgetLook& look);

    // Widget coordinates; x counts from kOriginX.
    void Form_MouseDown(ui::MouseButton button, int shift, float x, float y);
    void Form_MouseMove(int buttons, int shift, float x, float y);
    void Form_MouseUp(ui::MouseButton button, int shift, float x, float y);
    // Docks at the nearest edge, if one is near, then stops.
    void Timer1_Timer();
    // Docks at the top edge after the widget has been shown, then stops.
    void Timer2_Timer();

    ui::Label lblCaption{this, ui::ids::kReCaption, "lblCaption"};
    ui::Timer Timer1{this, ui::ids::kReTimer1, "Timer1"};
    ui::Timer Timer2{this, ui::ids::kReTimer2, "Timer2"};

    // The click action; the main window supplies it.
    std::function<void()> onAction;
    // Pointer position at the last press, widget coordinates.
    float downX = 0, downY = 0;
    // 1 when the current press has moved the widget.
    std::int16_t dragged = 0;

  private:
    void Form_Load();
    // Shows the widget at (left, top) for a moment, then moves it to where it docks.
    void dockFrom(int left, int top, int dockLeft, int dockTop);
    void slideOut();

    platform::Desktop& desktop_;
    platform::Clock& clock_;
    RestoreWidgetLook look_;
    // A release only counts after a press on the widget: a button pressed elsewhere and
    // let go over the strip is not a click.
    bool pressed_ = false;
};

}  // namespace windows
