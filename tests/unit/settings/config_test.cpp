#include "settings_fixture.h"

namespace {

using settings_test::kDefaultFile;
using settings_test::SettingsTest;

TEST_F(SettingsTest, FirstStartWritesEveryKeyWithItsDefaultInOrder) {
    ASSERT_FALSE(sim.files.fileExists(path));
    load();
    EXPECT_EQ(file(), kDefaultFile);
    const char* texts[] = {"Alt + A", "Alt + M", "Alt + T", "Alt + W",
                           "Alt + R", "Alt + B", "Alt + I"};
    for (int i = 0; i < settings::kHotKeyCount; ++i) {
        EXPECT_EQ(boxes[i]->text(), texts[i]) << i;
        EXPECT_EQ(boxes[i]->tag, settings::kHotKeyDefaults[i]) << i;
    }
    EXPECT_EQ(loaded.mStartRun, "0");
    EXPECT_EQ(loaded.mStartMini, "0");
    EXPECT_EQ(loaded.mEndMini, "0");
    EXPECT_EQ(loaded.mBlackPwd, "");
    EXPECT_EQ(loaded.mEndMsg, "0");
}

TEST_F(SettingsTest, SettingsPathIsConfigIniInTheFolder) {
    EXPECT_EQ(path, "C:\\Users\\user\\Documents\\Veilor\\Config.ini");
    EXPECT_EQ(settings::configPath("D:\\Docs\\"), "D:\\Docs\\Config.ini");
    EXPECT_EQ(settings::AddString("C:\\a", "\\"), "C:\\a\\");
    EXPECT_EQ(settings::AddString("Config.INI", ".ini"), "Config.INI");
    EXPECT_EQ(settings::AddString("", "\\"), "\\");
}

TEST_F(SettingsTest, EmptyValueLoadsAsDefaultAndIsWrittenBack) {
    sim.files.put(path, "[HotKey]\r\n0=\r\n[Config]\r\nStartMini=\r\nEndMsg=1\r\n");
    load();
    EXPECT_EQ(boxes[0]->text(), "Alt + A");
    EXPECT_EQ(loaded.mStartMini, "0");
    EXPECT_EQ(loaded.mEndMsg, "1");
    EXPECT_EQ(file(),
              "[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n2=84,0,-1,0\r\n3=87,0,-1,0\r\n"
              "4=82,0,-1,0\r\n5=66,0,-1,0\r\n6=73,0,-1,0\r\n[Config]\r\nStartMini=0\r\n"
              "EndMsg=1\r\nStartRun=0\r\nEndMini=0\r\nBlackPwd=\r\n");
}

TEST_F(SettingsTest, ValueLongerThan143CharactersIsCut) {
    std::string ascii(200, 'x');
    ascii[142] = 'L';
    std::string chinese;
    for (int i = 0; i < 150; ++i)
        chinese += "密";
    sim.files.put(path, "[Config]\r\nBlackPwd=" + ascii + "\r\nStartRun=" + chinese + "\r\n");
    load();
    EXPECT_EQ(loaded.mBlackPwd, ascii.substr(0, 143));
    EXPECT_EQ(loaded.mStartRun, chinese.substr(0, 143 * 3));
    // Reading never shortens what is stored.
    EXPECT_NE(file().find(ascii), std::string::npos);
}

TEST_F(SettingsTest, HotKeyValuesLoadAndSaveBackInCanonicalForm) {
    sim.files.put(path,
                  "[HotKey]\r\n0=65,-1,0,0\r\n1=46,0,0,0\r\n2=8,-1,-1,0\r\n3=8\r\n"
                  "4=116,-1,0,-1,7,8\r\n5=66,0,-1\r\n6=73,0,1,0\r\n");
    load();
    EXPECT_EQ(boxes[0]->text(), "Ctrl + A");
    EXPECT_EQ(boxes[1]->text(), "(空)");
    EXPECT_EQ(boxes[2]->text(), "(空)");
    EXPECT_EQ(boxes[3]->text(), "(空)");
    EXPECT_EQ(boxes[4]->text(), "Ctrl + Shift + F5");
    EXPECT_EQ(boxes[5]->text(), "Alt + B");
    EXPECT_EQ(boxes[6]->text(), "(热键至少需要一个控制键)");
    save();
    std::string text = file();
    for (const char* line :
         {"0=65,-1,0,0\r\n", "1=46,0,0,0\r\n", "2=46,0,0,0\r\n", "3=46,0,0,0\r\n",
          "4=116,-1,0,-1\r\n", "5=66,0,-1,0\r\n", "6=73,0,1,0\r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    }
}

TEST_F(SettingsTest, PasswordIsStoredAsTypedInTheConfirmationBox) {
    load();
    for (std::string typed : {"Pass Word!", "密码 123", "=semi;colon"}) {
        pwd.setText("not this one");
        pwdConfirm.setText(typed);
        save();
        EXPECT_NE(file().find("BlackPwd=" + typed + "\r\n"), std::string::npos) << file();
        load();
        EXPECT_EQ(loaded.mBlackPwd, typed);
    }
}

TEST_F(SettingsTest, SavingWritesEveryKeyInOrderAndLeavesLoadedSettingsAlone) {
    sim.files.put(path, "[Config]\r\nEndMsg=0\r\n");
    for (int i = 0; i < settings::kHotKeyCount; ++i)
        boxes[i]->tag = std::to_string(65 + i) + ",-1,0,0";
    CheckStarRun.setValue(1);
    CheckEndMini.setValue(1);
    EndMsgbox.setValue(1);
    pwdConfirm.setText("pw");
    loaded.mEndMsg = "0";
    save();
    EXPECT_EQ(file(),
              "[Config]\r\nEndMsg=1\r\nStartRun=1\r\nStartMini=0\r\nEndMini=1\r\nBlackPwd=pw\r\n"
              "[HotKey]\r\n0=65,-1,0,0\r\n1=66,-1,0,0\r\n2=67,-1,0,0\r\n3=68,-1,0,0\r\n"
              "4=69,-1,0,0\r\n5=70,-1,0,0\r\n6=71,-1,0,0\r\n");
    EXPECT_EQ(loaded.mEndMsg, "0");
    load();
    EXPECT_EQ(loaded.mEndMsg, "1");
    EXPECT_EQ(loaded.mBlackPwd, "pw");
    EXPECT_EQ(boxes[6]->text(), "Ctrl + G");
}

TEST_F(SettingsTest, SavingUnchangedSettingsKeepsTheFileAsItIs) {
    load();
    int writes = sim.files.writeCount();
    save();
    EXPECT_EQ(file(), kDefaultFile);
    EXPECT_EQ(sim.files.writeCount(), writes);
}

TEST_F(SettingsTest, ReadIniWritesTheDefaultOnlyWhenNothingIsStored) {
    settings::RWini ini(sim.profile);
    ini.IniFileName = path;
    EXPECT_EQ(ini.ReadIni("Config", "Missing", "dflt"), "dflt");
    EXPECT_EQ(file(), "[Config]\r\nMissing=dflt\r\n");
    ini.WriteIni("Config", "Missing", "kept");
    EXPECT_EQ(ini.ReadIni("config", "MISSING", "dflt"), "kept");
    EXPECT_EQ(file(), "[Config]\r\nMissing=kept\r\n");
}

}  // namespace
