// A black-screen password must come back from the settings file exactly as typed; what
// the file cannot give back is refused before anything is saved.
#include <gtest/gtest.h>

#include "settings/password.h"
#include "settings/settings_fixture.h"

namespace settings_test {
namespace {

TEST_F(SettingsTest, AwkwardPasswordsLoadBackExactlyAsTyped) {
    load();
    const std::string longest(143, 'p');
    for (std::string typed :
         {std::string(" lead"), std::string("trail "), std::string("\t both \t"),
          std::string("\"quoted\""), std::string("'single'"), std::string("\""),
          std::string("a\"b"), std::string("\" x \""), std::string("密码 中文"),
          std::string("\u3000全角空格"), std::string("=;#[x]"), longest}) {
        ASSERT_EQ(settings::passwordFit(sim.profile, path, typed), settings::PasswordFit::Fits)
            << typed;
        pwdConfirm.setText(typed);
        save();
        load();
        EXPECT_EQ(loaded.mBlackPwd, typed) << file();
    }
    // Where nothing would be lost, the file holds the password as typed.
    pwdConfirm.setText("Pass Word!");
    save();
    EXPECT_NE(file().find("BlackPwd=Pass Word!\r\n"), std::string::npos) << file();
}

TEST_F(SettingsTest, PasswordsTheFileCannotGiveBackDoNotFit) {
    using settings::PasswordFit;
    EXPECT_EQ(settings::passwordFit(sim.profile, path, std::string(144, 'p')),
              PasswordFit::TooLong);
    // The quotes that keep a blank count against the limit too.
    EXPECT_EQ(settings::passwordFit(sim.profile, path, " " + std::string(141, 'p')),
              PasswordFit::TooLong);
    EXPECT_EQ(settings::passwordFit(sim.profile, path, "two\r\nlines"), PasswordFit::Unstorable);
    sim.profile.codePage = platform::sim::SimProfile::CodePage::Western;
    EXPECT_EQ(settings::passwordFit(sim.profile, path, "密码"), PasswordFit::Unstorable);
    EXPECT_EQ(settings::passwordFit(sim.profile, path, "caf\u00e9"), PasswordFit::Fits);
    EXPECT_NE(settings::passwordRefusal(PasswordFit::TooLong), "");
    EXPECT_EQ(settings::passwordRefusal(PasswordFit::Fits), "");
}

}  // namespace
}  // namespace settings_test
