// Where everything on the main window sits, in twips on the 500 x 380 pixel skin.
#include "app/frmain.h"

namespace app {
namespace {

constexpr int kPageLeft = 1560;
constexpr int kPageTop = 1440;
constexpr int kPageWidth = 5655;
constexpr int kPageHeight = 3375;

struct HotKeyRow {
    int index;
    const char* caption;
};

// The hotkey tab lists every box but the black screen's, in this order.
constexpr HotKeyRow kHotKeyTabRows[] = {
    {0, "一键隐藏："},   {1, "隐藏自身："},     {2, "隐藏全部托盘："},
    {3, "隐藏任务栏："}, {4, "还原全部状态："}, {6, "桌面图标："},
};

}  // namespace

void Frmain::createControls() {
    int top = 90;
    for (const HotKeyRow& row : kHotKeyTabRows) {
        createHotKeyRow(row.index, Frame6, row.caption, top);
        top += 330;
    }
    createPasswordTab();
}

void Frmain::createHotKeyRow(int index, ui::Frame& frame, const char* caption, int top) {
    hotKeyCaption[index] =
        std::make_unique<ui::Label>(&frame, ui::ids::kHotKeyCaption0 + index, "hotKeyCaption");
    hotKeyCaption[index]->setText(caption);
    hotKeyCaption[index]->setBounds(120, top + 40, 1500, 270);
    txtHotKey[index] =
        std::make_unique<ui::TextBox>(&frame, ui::ids::kTxtHotKey0 + index, "txtHotKey");
    txtHotKey[index]->setBounds(1680, top, 1980, 300);
    labHotKey[index] =
        std::make_unique<ui::Label>(&frame, ui::ids::kLabHotKey0 + index, "labHotKey");
    labHotKey[index]->setBounds(3780, top + 40, 360, 270);
}

void Frmain::createPasswordTab() {
    const char* captions[] = {"设置密码：", "确认密码："};
    for (int i = 0; i < 2; ++i) {
        auto label = std::make_unique<ui::Label>(&Frame7, 0, i == 0 ? "Label6" : "Label7");
        label->setText(captions[i]);
        label->setBounds(120, 190 + i * 400, 1500, 270);
        frame7Labels.push_back(std::move(label));
        txtBlackPwd[i] =
            std::make_unique<ui::TextBox>(&Frame7, ui::ids::kTxtBlackPwd0 + i, "txtBlackPwd");
        txtBlackPwd[i]->setPassword(true);
        txtBlackPwd[i]->setBounds(1680, 150 + i * 400, 1980, 300);
    }
    createHotKeyRow(5, Frame7, "快捷键：", 950);
    auto hint = std::make_unique<ui::Label>(&Frame7, 0, "Label8");
    hint->setText("提示：出于安全考虑，请不要使用与重要资料相同的密码。");
    hint->setBounds(120, 1500, 5100, 540);
    frame7Labels.push_back(std::move(hint));
}

void Frmain::layoutChrome() {
    setText("");
    setBounds(0, 0, 7485, 5655);
    struct Place {
        ui::Control& control;
        int left, top, width, height;
        const char* label;
    };
    const Place places[] = {
        {Command1, 240, 1680, 1200, 660, "窗口管理器"},
        {Command2, 240, 2520, 1200, 660, "托盘管理器"},
        {Command3, 240, 3360, 1200, 660, "进程管理"},
        {Command9, 240, 4200, 1200, 660, "计划任务"},
        {Command4, 240, 5040, 1200, 480, "最新资讯"},
        {Command7, 1560, 5160, 1100, 400, "一键隐藏"},
        {Command10, 2760, 5160, 1100, 400, "桌面图标"},
        {Command6, 3960, 5160, 1100, 400, "黑屏锁定"},
        {Command5, 5160, 5160, 780, 400, "设置"},
        {cmdStart, 6000, 5160, 1260, 400, "检查更新"},
        {cmdStop, 6000, 5160, 1260, 400, "取消更新"},
        {Command8, 6000, 0, 345, 330, "隐藏"},
        {frmtray, 6360, 0, 345, 330, "最小化托盘"},
        {frmResize, 6720, 0, 345, 330, "最小化任务栏"},
        {frmUnload, 7080, 0, 345, 330, "退出"},
    };
    for (const Place& p : places) {
        p.control.setBounds(p.left, p.top, p.width, p.height);
        p.control.setText(p.label);
    }
    for (ui::Control* small : {&Command8, &frmtray, &frmResize, &frmUnload}) {
        small->setToolTip(small->text());
    }
    Command8.setFace(ui::PictureButton::Face::HideGlyph);
    frmtray.setFace(ui::PictureButton::Face::TrayGlyph);
    frmResize.setFace(ui::PictureButton::Face::MinimizeGlyph);
    frmUnload.setFace(ui::PictureButton::Face::CloseGlyph);
    vLabel.setBold(true);
    vLabel.setForeColor(0xF6EEE8);  // light, on the skin's dark header
    vLabel.setBounds(120, 120, 3000, 300);
    cmdStop.setVisible(false);
    cmdStop.setEnabled(false);
    Timer6.setInterval(1000);
    Timer6.setEnabled(false);
    lblCount.setBounds(kPageLeft, kPageTop + kPageHeight + 60, kPageWidth, 270);
}

void Frmain::layoutPages() {
    const std::pair<ui::Frame*, const char*> pages[] = {
        {&Frame1, "窗口管理器"}, {&Frame2, "托盘管理器"}, {&Frame3, "最新资讯"},
        {&Frame4, "设置"},       {&Frame8, "进程管理"},   {&Frame9, "计划任务"},
    };
    // All six share one place, made there rather than moved there as the window loads:
    // moving a page moves every control on it, and none of that is seen before the show.
    for (const auto& [frame, caption] : pages) {
        frame->setText(caption);
        frame->setBounds(kPageLeft, kPageTop, kPageWidth, kPageHeight);
        frame->setVisible(false);
    }
    layoutSettingsPage();
    WebBrowser1.setBounds(120, 300, kPageWidth - 240, kPageHeight - 420);
}

void Frmain::layoutSettingsPage() {
    // Below the page's caption, which stays readable above the tabs.
    TabStrip1.setBounds(60, 270, kPageWidth - 120, 2610);
    TabStrip1.addTab("常规选项", "a");
    TabStrip1.addTab("快捷键", "b");
    TabStrip1.addTab("黑屏锁定", "c");
    TabStrip1.addTab("隐藏规则", "d");
    for (ui::Frame* f : {&Frame5, &Frame6, &Frame7, &FrameRules}) {
        f->setBounds(120, 630, kPageWidth - 240, 2190);
        f->setVisible(f == &Frame5);
    }
    const std::pair<ui::CheckBox*, const char*> options[] = {
        {&CheckStarRun, "开机自动运行"},
        {&CheckStartMini, "运行后最小化到托盘"},
        {&CheckEndMini, "按退出按钮后最小化到托盘"},
        {&EndMsgbox, "退出程序时不显示确认提示"},
    };
    int top = 240;
    for (const auto& [box, caption] : options) {
        box->setText(caption);
        box->setBounds(120, top, 4200, 300);
        top += 360;
    }
    Command13.setText("修复快捷键");
    Command13.setToolTip("当快捷键为“空”时，点击此按钮可以修复快捷键。");
    Command13.setBounds(4200, 1740, 1095, 300);  // beside the last hotkey row
    cmdSetOK.setText("确定");
    cmdSetOK.setBounds(3360, 2930, 1020, 360);
    cmdSetCancel.setText("取消");
    cmdSetCancel.setBounds(4500, 2930, 1020, 360);
    Label27.setBounds(180, 3000, 2400, 270);
}

}  // namespace app
