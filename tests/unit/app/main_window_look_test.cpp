// What the main window shows before any page is used: the news panel on its page, the
// window's own commands as symbols, and every control inside the frame that holds it.
#include <gtest/gtest.h>

#include "app/app_fixture.h"

namespace {

using testing_support::SimProgram;

TEST(NewsPanel, LoadsTheNewsAddressOnTheNewsPageAtStart) {
    SimProgram program;
    app::Frmain& frmain = program.start().frmain();
    EXPECT_EQ(frmain.WebBrowser1.locationURL(), std::string(app::kServerBase) + app::kNewsPath);
    EXPECT_EQ(frmain.WebBrowser1.parent(), &frmain.Frame3);
    EXPECT_TRUE(frmain.WebBrowser1.shownOnScreen());
    frmain.Command3.raiseClick();
    EXPECT_FALSE(frmain.WebBrowser1.shownOnScreen());
    frmain.Command4.raiseClick();
    EXPECT_TRUE(frmain.WebBrowser1.shownOnScreen());
}

TEST(MainWindowLook, WindowCommandsAreSymbolsNamedByTheirTextAndPagesAreTiles) {
    SimProgram program;
    app::Frmain& frmain = program.start().frmain();
    using Face = ui::PictureButton::Face;
    const std::tuple<ui::PictureButton*, Face, const char*> small[] = {
        {&frmain.Command8, Face::HideGlyph, "隐藏"},
        {&frmain.frmtray, Face::TrayGlyph, "最小化托盘"},
        {&frmain.frmResize, Face::MinimizeGlyph, "最小化任务栏"},
        {&frmain.frmUnload, Face::CloseGlyph, "退出"},
    };
    for (const auto& [button, face, label] : small) {
        EXPECT_EQ(button->face(), face) << button->name();
        EXPECT_EQ(button->text(), label) << button->name();
        EXPECT_EQ(button->toolTip(), label) << button->name();
    }
    for (ui::PictureButton* tile :
         {&frmain.Command1, &frmain.Command2, &frmain.Command3, &frmain.Command9, &frmain.Command4,
          &frmain.Command7, &frmain.Command10, &frmain.Command6}) {
        EXPECT_EQ(tile->face(), Face::Tile) << tile->name();
        EXPECT_FALSE(tile->text().empty()) << tile->name();
    }
}

// A control reaching past its frame is cut off or drawn over the frame's border.
TEST(MainWindowLook, EveryControlLiesInsideTheFrameThatHoldsIt) {
    SimProgram program;
    app::Frmain& frmain = program.start().frmain();
    for (ui::Control* c : frmain.allControls()) {
        ui::Control* parent = c->parent();
        if (!parent || parent == &frmain || c->kind() == ui::ControlKind::Timer) continue;
        EXPECT_GE(c->left(), 0) << c->name();
        EXPECT_GE(c->top(), 0) << c->name();
        EXPECT_LE(c->left() + c->width(), parent->width()) << c->name() << " in " << parent->name();
        EXPECT_LE(c->top() + c->height(), parent->height())
            << c->name() << " in " << parent->name();
    }
}

}  // namespace
