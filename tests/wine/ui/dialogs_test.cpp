// The standard dialogs on the real desktop, answered from a second thread as a user
// would answer them.
#include "platform/win32/wide.h"
#include "ui/win32/win32_dialogs.h"
#include "ui_test_support.h"

using platform::win32::narrow;
using platform::win32::wide;

namespace ui_test {
namespace {

class DialogsTest : public ::testing::Test {
  protected:
    ui::win32::UiFonts fonts;
    ui::win32::Win32Dialogs dialogs{fonts};
};

struct SeenInputBox {
    std::string prompt;
    std::string initial;
    std::string face;
    bool selectedAll = false;
};

void typeInto(HWND edit, const std::wstring& text) {
    for (wchar_t ch : text)
        SendMessageW(edit, WM_CHAR, ch, 0);
}

SeenInputBox readInputBox(HWND dlg) {
    SeenInputBox seen;
    HWND edit = GetDlgItem(dlg, ui::win32::kInputBoxEditId);
    seen.prompt = narrow(text16(GetDlgItem(dlg, ui::win32::kInputBoxPromptId)));
    seen.initial = narrow(text16(edit));
    DWORD from = 0, to = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    seen.selectedAll = from == 0 && to == text16(edit).size();
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    seen.face = narrow(lf.lfFaceName);
    return seen;
}

TEST_F(DialogsTest, InputBoxReturnsWhatTheUserTypedOverTheDefault) {
    SeenInputBox seen;
    WindowHelper user(L"#32770", L"重命名", [&](HWND dlg) {
        seen = readInputBox(dlg);
        typeInto(GetDlgItem(dlg, ui::win32::kInputBoxEditId), L"新的标题 2");
        SendMessageW(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    });
    std::string answer = dialogs.inputBox("请输入新的窗口标题：", "重命名", "旧标题");
    user.join();
    ASSERT_TRUE(user.found()) << "the input box never appeared";
    EXPECT_EQ("新的标题 2", answer);
    EXPECT_EQ("请输入新的窗口标题：", seen.prompt);
    EXPECT_EQ("旧标题", seen.initial);
    EXPECT_TRUE(seen.selectedAll) << "the default text is selected, so typing replaces it";
    EXPECT_EQ(narrow(fonts.face()), seen.face);
}

TEST_F(DialogsTest, InputBoxCancelledReturnsNothingWhateverWasTyped) {
    WindowHelper user(L"#32770", L"输入", [&](HWND dlg) {
        typeInto(GetDlgItem(dlg, ui::win32::kInputBoxEditId), L"abc");
        SendMessageW(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
    });
    std::string answer = dialogs.inputBox("密码：", "输入", "");
    user.join();
    ASSERT_TRUE(user.found());
    EXPECT_EQ("", answer);

    WindowHelper closer(L"#32770", L"输入", [&](HWND dlg) { PostMessageW(dlg, WM_CLOSE, 0, 0); });
    EXPECT_EQ("", dialogs.inputBox("密码：", "输入", "默认"));
    closer.join();
    ASSERT_TRUE(closer.found());
}

// Keeps the text of the last non-empty static control: the message of a message box.
BOOL CALLBACK keepStaticText(HWND child, LPARAM lp) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    std::wstring text = text16(child);
    if (lstrcmpiW(cls, L"Static") == 0 && !text.empty())
        *reinterpret_cast<std::string*>(lp) = narrow(text);
    return TRUE;
}

TEST_F(DialogsTest, MessageBoxShowsTextAndTitleAndReturnsTheButtonPressed) {
    std::string text;
    bool hasYes = false;
    WindowHelper user(L"#32770", L"退出", [&](HWND dlg) {
        hasYes = GetDlgItem(dlg, IDYES) != nullptr;
        EnumChildWindows(dlg, keepStaticText, reinterpret_cast<LPARAM>(&text));
        SendMessageW(GetDlgItem(dlg, IDNO), BM_CLICK, 0, 0);
    });
    int answer = dialogs.messageBox("退出程序后所有隐藏将恢复，确定仍要退出？", "退出", 292);
    user.join();
    ASSERT_TRUE(user.found());
    EXPECT_EQ(ui::mb::kAnswerNo, answer);
    EXPECT_TRUE(hasYes);
    EXPECT_EQ("退出程序后所有隐藏将恢复，确定仍要退出？", text);
}

TEST(OpenFileFilter, ClassicBarsBecomeNulSeparatedPairs) {
    using ui::win32::openFileFilter;
    EXPECT_EQ(std::wstring(L"可执行文件\0*.exe\0\0", 13), openFileFilter("可执行文件|*.exe|"));
    EXPECT_EQ(std::wstring(L"程序\0*.exe\0所有文件\0*.*\0\0", 19),
              openFileFilter("程序|*.exe|所有文件|*.*"));
    EXPECT_EQ(std::wstring(), openFileFilter(""));
}

TEST_F(DialogsTest, OpenFileReturnsThePathTheUserChose) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring path = std::wstring(temp) + L"计划任务.exe";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    WindowHelper user(L"#32770", L"选择程序", [&](HWND dlg) {
        // The file-name box (cmb13, or edt1 in the old style) takes a full path.
        if (!SetDlgItemTextW(dlg, 0x47c, path.c_str())) SetDlgItemTextW(dlg, 0x480, path.c_str());
        SendMessageW(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    });
    std::string chosen = dialogs.openFile("选择程序", "可执行文件|*.exe|");
    user.join();
    DeleteFileW(path.c_str());
    ASSERT_TRUE(user.found()) << "the open-file dialog never appeared";
    EXPECT_EQ(0, lstrcmpiW(wide(chosen).c_str(), path.c_str())) << chosen;
}

}  // namespace
}  // namespace ui_test
