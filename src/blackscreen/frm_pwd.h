#pragma once
// The unlock prompt of the black screen: a small see-through dark box on top of it that
// takes the password and ends the black screen when it is right.
#include <functional>
#include <string>

#include "platform/desktop.h"
#include "ui/control_ids.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace blackscreen {

class FrmPwd : public ui::Form {
  public:
    // password gives the password as last loaded from the settings file.
    FrmPwd(ui::FormHost& host, platform::Desktop& desktop, std::function<std::string()> password);

    ui::Label Label1{this, ui::ids::kPwdLabel1, "Label1"};
    ui::TextBox Text1{this, ui::ids::kPwdText1, "Text1"};
    ui::Button Command1{this, ui::ids::kPwdCommand1, "Command1"};
    ui::Button Command3{this, ui::ids::kPwdCommand3, "Command3"};

    // Shows the prompt above the black window, ready for typing.
    void popUp();
    void Command1_Click();
    void Command3_Click();
    // The right password was given.
    std::function<void()> onUnlock;

  private:
    void layout();

    platform::Desktop& desktop_;
    std::function<std::string()> password_;
};

}  // namespace blackscreen
