#include "windows/restore_widget.h"

#include <cmath>

#include "windows/window_ops.h"

namespace windows {
namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr int kLeftAlone = static_cast<int>(ui::MouseButton::Left);
// The rectangle inside which the pointer still counts as on the widget, widget coordinates.
constexpr float kInsideRight = 1460, kInsideBottom = 390;

constexpr std::int32_t rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

}  // namespace

RestoreWidgetLook oneKeyLook() {
    return {ui::ids::kReOneKey, "reOneKey", "一键还原", rgb(255, 192, 255), 11220, 0};
}

RestoreWidgetLook restoreWinLook() {
    return {ui::ids::kReWin, "reWin", "还原桌面", rgb(192, 192, 255), 10245, 0};
}

RestoreWidget::RestoreWidget(ui::FormHost& host, platform::Desktop& desktop, platform::Clock& clock,
                             const RestoreWidgetLook& look)
    : ui::Form(host, look.formId, look.name), desktop_(desktop), clock_(clock), look_(look) {
    // The way back while everything else is hidden: nothing opened later may cover it.
    ui::FormStyle style = ui::FormStyle::onTop(look.backColor, kOpacity);
    style.ownPosition = true;
    setStyle(style);
    // The window's title begins with the program's name, as every title of its own
    // windows does: the window list leaves such windows out, so the one-key hide, which
    // hides whatever the list shows, never hides the way back. No title bar shows it.
    setText(std::string(kAppTitle) + " " + look.caption);
    setBounds(0, 0, kWidth, kHeight);
    lblCaption.setBounds(kCaptionX - kOriginX, kCaptionY, kWidth - (kCaptionX - kOriginX),
                         kHeight - kCaptionY);
    lblCaption.setForeColor(kWhite);
    lblCaption.setClickThrough(true);
    Timer1.setInterval(1);
    Timer1.setEnabled(false);
    Timer2.setInterval(1000);
    Timer2.setEnabled(false);

    onLoad = [this] { Form_Load(); };
    onMouseDown = [this](ui::MouseButton b, int shift, int x, int y) {
        Form_MouseDown(b, shift, static_cast<float>(x + kOriginX), static_cast<float>(y));
    };
    onMouseMove = [this](int buttons, int shift, int x, int y) {
        Form_MouseMove(buttons, shift, static_cast<float>(x + kOriginX), static_cast<float>(y));
    };
    onMouseUp = [this](ui::MouseButton b, int shift, int x, int y) {
        Form_MouseUp(b, shift, static_cast<float>(x + kOriginX), static_cast<float>(y));
    };
    Timer1.onTick = [this] { Timer1_Timer(); };
    Timer2.onTick = [this] { Timer2_Timer(); };
}

void RestoreWidget::Form_Load() {
    move(look_.loadLeft, look_.loadTop);
    lblCaption.setText(look_.caption);
}

void RestoreWidget::Form_MouseDown(ui::MouseButton, int, float x, float y) {
    downX = x;
    downY = y;
    pressed_ = true;
}

void RestoreWidget::Form_MouseMove(int buttons, int, float x, float y) {
    bool leftHeld = buttons == kLeftAlone;
    bool outside = x < kOriginX || x > kInsideRight || y < 0 || y > kInsideBottom;
    if (leftHeld &&
        (std::fabs(x - downX) > kDragThreshold || std::fabs(y - downY) > kDragThreshold)) {
        move(left() + static_cast<int>(std::lround(x - downX)),
             top() + static_cast<int>(std::lround(y - downY)));
        dragged = 1;
    }
    if (!leftHeld) slideOut();
    desktop_.setCapture(handle());
    if (!leftHeld && outside) {
        Timer1.setEnabled(true);
        desktop_.releaseCapture();
    }
}

void RestoreWidget::slideOut() {
    int screen = desktop_.screenWidthTwips();
    if (top() == kStrip - height()) {
        move(left(), 0);
    } else if (left() == kStrip - width()) {
        move(0, top());
    } else if (left() == screen - kStrip) {
        move(screen - width(), top());
    }
}

void RestoreWidget::Form_MouseUp(ui::MouseButton, int, float, float) {
    if (!pressed_) return;
    pressed_ = false;
    Timer1.setEnabled(true);
    bool click = dragged != 1;
    dragged = 0;
    if (!click) return;
    // The action usually hides the widget and brings other windows back: they get the
    // mouse from here on.
    desktop_.releaseCapture();
    if (onAction) onAction();
}

void RestoreWidget::dockFrom(int left, int top, int dockLeft, int dockTop) {
    move(left, top);
    // The pause lets the user see the widget before it slides away; hidden, it just docks.
    if (visible()) clock_.sleep(kPauseMs);
    move(dockLeft, dockTop);
}

void RestoreWidget::Timer1_Timer() {
    int w = width(), h = height(), screen = desktop_.screenWidthTwips();
    if (top() < kSnap && top() >= -h) {
        dockFrom(left(), 0, left(), kStrip - h);
    } else if (left() < kSnap && left() >= -w) {
        dockFrom(0, top(), kStrip - w, top());
    } else if (left() >= screen - w - kSnap) {
        dockFrom(screen - w, top(), screen - kStrip, top());
    }
    Timer1.setEnabled(false);
}

void RestoreWidget::Timer2_Timer() {
    dockFrom(left(), 0, left(), kStrip - height());
    Timer2.setEnabled(false);
}

}  // namespace windows
