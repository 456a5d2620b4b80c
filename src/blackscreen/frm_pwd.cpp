#include "blackscreen/frm_pwd.h"

namespace blackscreen {
namespace {

constexpr std::int32_t kDarkGrey = 0x404040;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr int kOpacity = 80;
constexpr int kEnter = 13;
constexpr const char* kPrompt = "请输入密码";
constexpr const char* kWrong = "密码错误！";

}  // namespace

FrmPwd::FrmPwd(ui::FormHost& host, platform::Desktop& desktop,
               std::function<std::string()> password)
    : ui::Form(host, ui::ids::kFrmPwd, "frmPwd"),
      desktop_(desktop),
      password_(std::move(password)) {
    setStyle(ui::FormStyle::onTop(kDarkGrey, kOpacity));
    // Titled with the program's name, so the window list never offers it for hiding.
    setText("Veilor 黑屏密码");
    layout();
    Command1.onClick = [this] { Command1_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Text1.onKeyPress = [this](int& key) {
        if (key != kEnter) return;
        key = 0;  // no beep from the box
        Command1_Click();
    };
}

void FrmPwd::layout() {
    setBounds(0, 0, 4320, 1320);
    Label1.setBounds(240, 210, 3240, 330);
    Label1.setForeColor(kWhite);
    Label1.setText(kPrompt);
    Command3.setBounds(3840, 90, 390, 330);
    Command3.setText("X");
    Text1.setBounds(240, 690, 2760, 390);
    Text1.setPassword(true);
    Text1.setTakesEnter(true);
    Command1.setBounds(3120, 660, 960, 450);
    Command1.setText("确定");
}

void FrmPwd::popUp() {
    show();
    desktop_.setWindowPos(handle(), 0, 0, 0, 0, platform::kSwpNoMove | platform::kSwpNoSize);
    Text1.setFocus();
}

void FrmPwd::Command1_Click() {
    const bool right = Text1.text() == password_();
    Text1.setText("");
    if (!right) {
        Text1.setFocus();
        Label1.setText(kWrong);
        return;
    }
    if (onUnlock) onUnlock();
}

void FrmPwd::Command3_Click() {
    hide();
    Label1.setText(kPrompt);
    Text1.setText("");
}

}  // namespace blackscreen
