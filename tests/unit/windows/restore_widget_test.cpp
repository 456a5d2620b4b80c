// The floating restore widgets on the simulated desktop: where they dock, how they slide
// out and back, dragging, and what counts as a click.
#include "windows/restore_widget.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/sim/sim_system.h"
#include "ui/sim/sim_forms.h"

namespace {

using windows::RestoreWidget;
using Pos = std::pair<int, int>;

constexpr int kScreen = 15360;
constexpr int kW = RestoreWidget::kWidth, kH = RestoreWidget::kHeight;
constexpr int kLeft = static_cast<int>(ui::MouseButton::Left);

// Remembers where the widget stood during every pause.
struct PeekingClock : platform::sim::SimClock {
    void sleep(std::uint32_t ms) override {
        if (widget) seen.push_back({widget->left(), widget->top()});
        SimClock::sleep(ms);
    }
    const ui::Form* widget = nullptr;
    std::vector<Pos> seen;
};

class RestoreWidgetTest : public ::testing::Test {
  protected:
    RestoreWidgetTest() {
        w.onAction = [this] { ++actions; };
        clock.widget = &w;
    }
    Pos pos() const { return {w.left(), w.top()}; }
    // Shown as the main window shows it, and left to dock at the top.
    void showDocked() {
        w.show();
        w.Timer2.setEnabled(true);
        forms.advance(1000);
    }
    // Pointer events as the view raises them, given in the widget's own coordinates.
    void moveAt(int x, int y, int buttons = 0) {
        w.raiseMouseMove(buttons, 0, x - RestoreWidget::kOriginX, y);
    }
    void press(ui::MouseButton b, int x, int y) {
        w.raiseMouseDown(b, 0, x - RestoreWidget::kOriginX, y);
    }
    void release(ui::MouseButton b, int x, int y) {
        w.raiseMouseUp(b, 0, x - RestoreWidget::kOriginX, y);
    }

    platform::sim::SimDesktop desktop;
    PeekingClock clock;
    ui::sim::SimForms forms;
    RestoreWidget w{forms, desktop, clock, windows::oneKeyLook()};
    int actions = 0;
};

TEST_F(RestoreWidgetTest, LoadsWithItsLookAtItsLoadPositionWithTimersOff) {
    w.show();
    EXPECT_EQ(Pos(11220, 0), pos());
    EXPECT_EQ(kW, w.clientWidth());
    EXPECT_EQ(kH, w.clientHeight());
    // The title starts with the program's name, so the window list leaves it out.
    EXPECT_EQ("Veilor 一键还原", w.text());
    EXPECT_EQ("一键还原", w.lblCaption.text());
    EXPECT_EQ(125, w.lblCaption.left());
    EXPECT_EQ(120, w.lblCaption.top());
    EXPECT_EQ(0xFFFFFF, w.lblCaption.foreColor());
    EXPECT_TRUE(w.lblCaption.clickThrough());
    const ui::FormStyle& s = w.style();
    EXPECT_EQ(ui::FormBorder::None, s.border);
    EXPECT_FALSE(s.controlBox);
    EXPECT_FALSE(s.showInTaskbar);
    EXPECT_EQ(160, s.opacity);
    EXPECT_EQ(255 | 192 << 8 | 255 << 16, s.backColor);
    EXPECT_TRUE(s.ownPosition);
    EXPECT_EQ(1, w.Timer1.interval());
    EXPECT_EQ(1000, w.Timer2.interval());
    EXPECT_FALSE(w.Timer1.running());
    EXPECT_FALSE(w.Timer2.running());

    RestoreWidget other{forms, desktop, clock, windows::restoreWinLook()};
    other.show();
    EXPECT_EQ(Pos(10245, 0), Pos(other.left(), other.top()));
    EXPECT_EQ("Veilor 还原桌面", other.text());
    EXPECT_EQ(192 | 192 << 8 | 255 << 16, other.style().backColor);
    EXPECT_NE(w.id(), other.id());
}

TEST_F(RestoreWidgetTest, Timer2DocksAtTheTopAfterShowingItselfForAPause) {
    w.show();
    w.Timer2.setEnabled(true);
    forms.advance(999);
    EXPECT_EQ(Pos(11220, 0), pos());
    forms.advance(1);
    EXPECT_EQ(Pos(11220, 30 - kH), pos());
    EXPECT_EQ(std::vector<Pos>({{11220, 0}}), clock.seen);
    EXPECT_EQ(std::vector<std::uint32_t>{500}, clock.sleeps);
    EXPECT_FALSE(w.Timer2.running());
    forms.advance(5000);
    EXPECT_EQ(1u, clock.sleeps.size()) << "Timer2 ticked again";
}

TEST_F(RestoreWidgetTest, ShowingAgainKeepsThePlaceAndDocksAtTheTopFromAnyDock) {
    const std::vector<Pos> lastPlaces = {{4000, 30 - kH}, {30 - kW, 3000}, {kScreen - 30, 6000}};
    for (Pos last : lastPlaces) {
        w.show();
        w.move(last.first, last.second);
        w.hide();
        w.show();
        EXPECT_EQ(last, pos()) << "a later show moved the widget";
        w.Timer2.setEnabled(true);
        forms.advance(1000);
        EXPECT_EQ(Pos(last.first, 30 - kH), pos());
        w.hide();
    }
}

TEST_F(RestoreWidgetTest, Timer1DocksAtTheNearestEdgeButNeverAtTheBottom) {
    struct Case {
        Pos start, shown, docked;
    };
    const int rightEdge = kScreen - kW;
    const std::vector<Case> cases = {
        {{5000, 99}, {5000, 0}, {5000, 30 - kH}},                            // near the top
        {{5000, -kH}, {5000, 0}, {5000, 30 - kH}},                           // just above it
        {{99, 3000}, {0, 3000}, {30 - kW, 3000}},                            // near the left
        {{-kW, 3000}, {0, 3000}, {30 - kW, 3000}},                           // just beyond it
        {{rightEdge - 100, 3000}, {rightEdge, 3000}, {kScreen - 30, 3000}},  // near the right
        {{kScreen, 3000}, {rightEdge, 3000}, {kScreen - 30, 3000}},          // beyond it
        {{50, 50}, {50, 0}, {50, 30 - kH}},  // a corner: the top comes first
    };
    w.show();
    for (const Case& c : cases) {
        w.move(c.start.first, c.start.second);
        clock.seen.clear();
        w.Timer1.setEnabled(true);
        forms.advance(1);
        EXPECT_EQ(std::vector<Pos>{c.shown}, clock.seen) << c.start.first << "," << c.start.second;
        EXPECT_EQ(c.docked, pos()) << c.start.first << "," << c.start.second;
        EXPECT_FALSE(w.Timer1.running());
    }
    // Away from the edges, the bottom included, it stays where it is.
    for (Pos stays : {Pos{5000, 100}, Pos{100, 3000}, Pos{rightEdge - 101, 3000}, Pos{5000, 11000},
                      Pos{5000, -kH - 1}}) {
        w.move(stays.first, stays.second);
        clock.seen.clear();
        w.Timer1.setEnabled(true);
        forms.advance(1);
        EXPECT_EQ(stays, pos());
        EXPECT_TRUE(clock.seen.empty()) << stays.first << "," << stays.second;
        EXPECT_FALSE(w.Timer1.running());
    }
}

TEST_F(RestoreWidgetTest, PointerSlidesADockedWidgetOutAndLeavingDocksItAgain) {
    const int rightEdge = kScreen - kW;
    const std::vector<std::pair<Pos, Pos>> docks = {{{4000, 30 - kH}, {4000, 0}},
                                                    {{30 - kW, 3000}, {0, 3000}},
                                                    {{kScreen - 30, 3000}, {rightEdge, 3000}}};
    w.show();
    for (auto [docked, out] : docks) {
        w.move(docked.first, docked.second);
        moveAt(1400, 380);
        EXPECT_EQ(out, pos());
        EXPECT_EQ(w.handle(), desktop.capture);
        moveAt(1000, 200);  // still inside: it stays out
        EXPECT_EQ(out, pos());
        EXPECT_FALSE(w.Timer1.running());
        moveAt(1461, 200);  // outside, no button held
        EXPECT_EQ(platform::kNoWindow, desktop.capture);
        EXPECT_TRUE(w.Timer1.running());
        forms.advance(1);
        EXPECT_EQ(docked, pos());
    }
    // Each bound of the inside rectangle is still inside.
    for (Pos edge : {Pos{500, 0}, Pos{1460, 390}}) {
        moveAt(edge.first, edge.second);
        EXPECT_FALSE(w.Timer1.running()) << edge.first << "," << edge.second;
    }
    for (Pos beyond : {Pos{499, 100}, Pos{900, -1}, Pos{900, 391}}) {
        w.Timer1.setEnabled(false);
        desktop.capture = w.handle();
        moveAt(beyond.first, beyond.second);
        EXPECT_TRUE(w.Timer1.running()) << beyond.first << "," << beyond.second;
        EXPECT_EQ(platform::kNoWindow, desktop.capture);
    }
}

TEST_F(RestoreWidgetTest, DragFollowsThePointerOnlyBeyondTheThreshold) {
    w.show();
    w.move(5000, 3000);
    press(ui::MouseButton::Left, 900, 200);
    moveAt(1000, 300, kLeft);
    EXPECT_EQ(Pos(5000, 3000), pos()) << "100 twips is not yet a drag";
    EXPECT_EQ(0, w.dragged);
    moveAt(1001, 200, kLeft);
    EXPECT_EQ(Pos(5101, 3000), pos());
    EXPECT_EQ(1, w.dragged);
    moveAt(900, 99, kLeft);
    EXPECT_EQ(Pos(5101, 2899), pos());
    // Only the left button alone drags.
    moveAt(700, 200, kLeft | static_cast<int>(ui::MouseButton::Right));
    EXPECT_EQ(Pos(5101, 2899), pos());
    // Dragging carries the pointer outside without letting the widget go.
    moveAt(-400, 200, kLeft);
    EXPECT_EQ(Pos(3801, 2899), pos());
    EXPECT_EQ(w.handle(), desktop.capture);
    EXPECT_FALSE(w.Timer1.running());
}

TEST_F(RestoreWidgetTest, DraggedToTheMiddleItStaysAndNearTheTopItDocks) {
    showDocked();
    moveAt(900, 390);  // touch the strip: out it comes
    ASSERT_EQ(Pos(11220, 0), pos());
    press(ui::MouseButton::Left, 900, 200);
    moveAt(900 - 6000, 200 + 4000, kLeft);
    release(ui::MouseButton::Left, 900, 200);
    EXPECT_EQ(0, actions) << "a drag is not a click";
    EXPECT_EQ(0, w.dragged);
    forms.advance(10);
    EXPECT_EQ(Pos(5220, 4000), pos());
    EXPECT_EQ(1u, clock.sleeps.size());

    press(ui::MouseButton::Left, 900, 200);
    moveAt(900, 200 - 3950, kLeft);
    release(ui::MouseButton::Left, 900, 200);
    forms.advance(1);
    EXPECT_EQ(Pos(5220, 30 - kH), pos());
    EXPECT_EQ(Pos(5220, 0), clock.seen.back());
    EXPECT_EQ(0, actions);
}

TEST_F(RestoreWidgetTest, PressAndReleaseWithAnyButtonIsAClick) {
    w.show();
    w.move(5000, 3000);
    const ui::MouseButton buttons[] = {ui::MouseButton::Left, ui::MouseButton::Right,
                                       ui::MouseButton::Middle};
    int expected = 0;
    for (ui::MouseButton b : buttons) {
        desktop.capture = w.handle();
        press(b, 900, 200);
        moveAt(960, 260, static_cast<int>(b));
        release(b, 960, 260);
        EXPECT_EQ(++expected, actions) << static_cast<int>(b);
        EXPECT_EQ(platform::kNoWindow, desktop.capture) << "the click kept the mouse";
        EXPECT_TRUE(w.Timer1.running());
        w.Timer1.setEnabled(false);
    }
    // A right-button "drag" does not move the widget: still a click.
    press(ui::MouseButton::Right, 900, 200);
    moveAt(2000, 200, static_cast<int>(ui::MouseButton::Right));
    release(ui::MouseButton::Right, 2000, 200);
    EXPECT_EQ(Pos(5000, 3000), pos());
    EXPECT_EQ(++expected, actions);
}

TEST_F(RestoreWidgetTest, AReleaseWithoutAPressOnTheWidgetIsNoClick) {
    w.show();
    release(ui::MouseButton::Left, 900, 200);
    EXPECT_EQ(0, actions);
    press(ui::MouseButton::Left, 900, 200);
    release(ui::MouseButton::Left, 900, 200);
    release(ui::MouseButton::Left, 900, 200);
    EXPECT_EQ(1, actions);
}

TEST_F(RestoreWidgetTest, AHiddenWidgetDocksWithoutHoldingTheProgram) {
    // The click's action hides the widget; the docking its release started must not
    // freeze the windows that came back.
    w.onAction = [this] { w.hide(); };
    w.show();
    moveAt(900, 200);  // docked at the load position's top: slides nothing, takes the mouse
    press(ui::MouseButton::Left, 900, 200);
    release(ui::MouseButton::Left, 900, 200);
    forms.advance(1);
    EXPECT_EQ(Pos(11220, 30 - kH), pos());
    EXPECT_TRUE(clock.sleeps.empty());
}

}  // namespace
