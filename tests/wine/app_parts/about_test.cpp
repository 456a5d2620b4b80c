#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/frm_about.h"
#include "app_parts_support.h"
#include "platform/win32/wide.h"
#include "real_parts.h"

using app_parts_test::ModalWatcher;
using platform::win32::narrow;
using platform::win32::wide;
using wine_test::pollUntil;

namespace {

struct RegValue {
    const wchar_t* key;
    const wchar_t* name;
};
constexpr RegValue kMsInfoPath{L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH"};
constexpr RegValue kToolsLocation{L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO"};

std::optional<std::wstring> readValue(RegValue v) {
    wchar_t data[1024] = {};
    DWORD bytes = sizeof(data);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, v.key, v.name, RRF_RT_REG_SZ, nullptr, data, &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(data);
}

void writeValue(RegValue v, const std::wstring& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, v.key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void deleteValue(RegValue v) {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, v.key, v.name);
}

// What a message box of this process showed before the watcher answered it.
struct SeenMessage {
    bool seen = false;
    std::string title;
    std::string text;
    bool icon = false;
};

bool hasVisibleIcon(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        LONG style = GetWindowLongW(child, GWL_STYLE);
        // The box keeps its icon control; what counts is whether it holds a picture.
        if (IsWindowVisible(child) && (style & SS_TYPEMASK) == SS_ICON &&
            SendMessageW(child, STM_GETICON, 0, 0) != 0) {
            return true;
        }
    }
    return false;
}

// Reads and answers (OK) the first message box this process shows while it runs.
class MessageAnswerer {
  public:
    MessageAnswerer()
        : watcher_([this] {
              HWND box = app_parts_test::ownWindow(L"#32770");
              if (!box || !hold_.over()) return false;
              seen_.seen = true;
              seen_.title = wine_test::windowText(box);
              seen_.text = wine_test::windowText(GetDlgItem(box, 0xFFFF));
              seen_.icon = hasVisibleIcon(box);
              PostMessageW(box, WM_COMMAND, IDOK, 0);
              return true;
          }) {}
    const SeenMessage& seen() const { return seen_; }

  private:
    SeenMessage seen_;
    app_parts_test::Hold hold_;
    ModalWatcher watcher_;
};

class FrmAboutWineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedPath_ = readValue(kMsInfoPath);
        savedLocation_ = readValue(kToolsLocation);
        deleteValue(kMsInfoPath);
        deleteValue(kToolsLocation);
    }
    void TearDown() override {
        restore(kMsInfoPath, savedPath_);
        restore(kToolsLocation, savedLocation_);
        if (!scratch_.empty()) {
            // The stand-in tool may still be on its way out and hold its file open.
            const std::wstring tool = scratch_ + L"\\MSINFO32.EXE";
            pollUntil([&] { return DeleteFileW(tool.c_str()) || !wine_test::fileExists(tool); });
            DeleteFileW((scratch_ + L"\\MSINFO32.started").c_str());
            RemoveDirectoryW(scratch_.c_str());
        }
    }
    static void restore(RegValue v, const std::optional<std::wstring>& saved) {
        if (saved) {
            writeValue(v, *saved);
        } else {
            deleteValue(v);
        }
    }
    HWND aboutWindow() const { return reinterpret_cast<HWND>(about_.handle()); }
    // Clicks the system-information button as a user would and answers any message.
    SeenMessage clickSysInfo() {
        MessageAnswerer answerer;
        EXPECT_TRUE(wine_test::clickButton(GetDlgItem(aboutWindow(), ui::ids::kAboutCmdSysInfo)));
        return answerer.seen();
    }
    std::wstring makeScratchFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        scratch_ = std::wstring(temp) + L"veilor msinfo " + std::to_wstring(GetCurrentProcessId()) +
                   L"-" + std::to_wstring(GetTickCount64());
        CreateDirectoryW(scratch_.c_str(), nullptr);
        return scratch_;
    }
    static void expectUnavailable(const SeenMessage& m) {
        ASSERT_TRUE(m.seen) << "no message box appeared";
        EXPECT_EQ(m.text, "此时系统信息不可用");
        EXPECT_EQ(m.title, "Veilor");
        EXPECT_FALSE(m.icon) << "the message has no icon";
    }
    // Waits for the stand-in tool's record of its start.
    static ::testing::AssertionResult startedNormally(const std::wstring& marker) {
        std::string content;
        return pollUntil(
            [&] {
                content = wine_test::readFileBytes(marker).value_or("");
                return !content.empty();
            },
            wine_test::kDeadlineMs, wine_test::concat("the tool to start (", narrow(marker), ")"),
            [&] { return content.empty() ? std::string("no record") : content; });
    }

    std::optional<std::wstring> savedPath_;
    std::optional<std::wstring> savedLocation_;
    std::wstring scratch_;
    app_parts_test::RealParts parts_;
    app::FrmAbout about_{parts_.ctx};
};

TEST_F(FrmAboutWineTest, ShowsItsTextsAndOkHidesTheSameBox) {
    about_.show();
    HWND window = aboutWindow();
    ASSERT_TRUE(pollUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_EQ(wine_test::windowText(window), "关于 Veilor");
    EXPECT_EQ(wine_test::windowText(GetDlgItem(window, ui::ids::kAboutLblTitle)), "Veilor");
    EXPECT_EQ(wine_test::windowText(GetDlgItem(window, ui::ids::kAboutLblVersion)),
              "版本 V1.0 正式版");
    EXPECT_EQ(wine_test::windowText(GetDlgItem(window, ui::ids::kAboutCmdSysInfo)),
              "系统信息(&S)...");
    app_parts_test::Hold hold;
    pollUntil([&] { return hold.over(); }, 60000);  // time for a screenshot when asked

    ASSERT_TRUE(wine_test::clickButton(GetDlgItem(window, ui::ids::kAboutCmdOK)));
    EXPECT_FALSE(IsWindowVisible(window));
    about_.show();
    EXPECT_EQ(aboutWindow(), window) << "the same box comes back";
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(FrmAboutWineTest, NeitherValue_TellsTheUserAndStartsNothing) {
    about_.show();
    expectUnavailable(clickSysInfo());
}

TEST_F(FrmAboutWineTest, MsinfoPath_StartsTheToolInANormalWindow) {
    const std::wstring stub = wine_test::programPath(L"sysinfo_stub");
    const std::wstring marker = wine_test::binDir() + L"\\sysinfo_stub.started";
    DeleteFileW(marker.c_str());
    writeValue(kMsInfoPath, stub);
    about_.show();
    SeenMessage m = clickSysInfo();
    EXPECT_FALSE(m.seen) << "unexpected message: " << m.text;
    EXPECT_TRUE(startedNormally(marker));
    EXPECT_EQ(wine_test::readFileBytes(marker).value_or(""), "show=1");
    DeleteFileW(marker.c_str());
}

TEST_F(FrmAboutWineTest, ToolsLocation_StartsTheToolOnlyWhenItIsThere) {
    const std::wstring folder = makeScratchFolder();
    writeValue(kToolsLocation, folder);
    about_.show();
    expectUnavailable(clickSysInfo());

    ASSERT_TRUE(CopyFileW(wine_test::programPath(L"sysinfo_stub").c_str(),
                          (folder + L"\\MSINFO32.EXE").c_str(), FALSE))
        << "error " << GetLastError();
    SeenMessage m = clickSysInfo();
    EXPECT_FALSE(m.seen) << "unexpected message: " << m.text;
    EXPECT_TRUE(startedNormally(folder + L"\\MSINFO32.started"));
}

TEST_F(FrmAboutWineTest, AToolThatCannotStart_TellsTheUser) {
    writeValue(kMsInfoPath, L"C:\\nowhere\\msinfo32.exe");
    about_.show();
    expectUnavailable(clickSysInfo());
}

}  // namespace
