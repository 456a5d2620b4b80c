// Proves the test rig itself: a peer program with a Chinese title is started, found, read
// back byte for byte, clicked and closed; the prefix runs Wine's virtual desktop and maps
// the Windows UI faces to a font with Chinese glyphs.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "rig/rig_protocol.h"
#include "support/driver.h"

using wine_test::Process;
using wine_test::WindowQuery;

namespace {

const std::wstring kTitle = L"[隐藏] 老板键测试窗口 — 文档1";
const std::string kTitleUtf8 = "[隐藏] 老板键测试窗口 — 文档1";

struct Peer {
    Process process = Process::start(wine_test::programPath(L"rig_peer"), kTitle);
    HWND window = process.valid()
                      ? wine_test::waitForWindow({rig::kPeerClass, kTitle, process.pid(), true})
                      : nullptr;
};

std::string registryString(HKEY root, const wchar_t* key, const wchar_t* name) {
    wchar_t value[256] = {};
    DWORD size = sizeof value;
    LSTATUS status = RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size);
    return status == ERROR_SUCCESS ? wine_test::toUtf8(value)
                                   : wine_test::concat("(error ", status, ")");
}

// The characters of `text` that `face` has no glyph for, as "U+XXXX" codes.
std::string missingGlyphs(const wchar_t* face, const std::wstring& text) {
    HDC dc = GetDC(nullptr);
    HFONT font =
        CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    std::string missing;
    for (size_t i = 0; i < text.size(); ++i) {
        if (glyphs[i] != 0xFFFF) continue;
        char code[16];
        std::snprintf(code, sizeof code, " U+%04X", static_cast<unsigned>(text[i]));
        missing += code;
    }
    return missing;
}

TEST(Rig, PeerWindowWithChineseTitleIsFoundReadBackAndClosed) {
    Peer peer;
    ASSERT_NE(peer.window, nullptr);

    EXPECT_EQ(wine_test::windowText(peer.window), kTitleUtf8);
    DWORD owner = 0;
    GetWindowThreadProcessId(peer.window, &owner);
    EXPECT_EQ(owner, peer.process.pid());

    PostMessageW(peer.window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(peer.process.waitExit());
    EXPECT_EQ(peer.process.exitCode(), std::optional<DWORD>(0));
    EXPECT_FALSE(IsWindow(peer.window)) << wine_test::describeWindow(peer.window);
}

TEST(Rig, ButtonClickedByMessageWritesItsFileToMyDocuments) {
    Peer peer;
    ASSERT_NE(peer.window, nullptr);
    const std::wstring file = wine_test::myDocumentsDir() + L"\\" + rig::kClickFilePrefix +
                              std::to_wstring(peer.process.pid()) + L".txt";
    DeleteFileW(file.c_str());

    ASSERT_TRUE(wine_test::clickButton(wine_test::controlById(peer.window, rig::kWriteButtonId)));

    EXPECT_TRUE(wine_test::pollEquals(wine_test::toUtf8(rig::kClickedTitleA),
                                      [&] { return wine_test::windowText(peer.window); }));
    EXPECT_EQ(wine_test::readFileBytes(file), std::optional<std::string>(rig::kClickFileText));
    DeleteFileW(file.c_str());
}

TEST(Rig, ButtonClickedWithTheRealMouseReachesThePeer) {
    Peer peer;
    ASSERT_NE(peer.window, nullptr);

    ASSERT_TRUE(
        wine_test::clickWithMouse(wine_test::controlById(peer.window, rig::kTitleButtonId)));

    EXPECT_TRUE(wine_test::pollEquals(wine_test::toUtf8(rig::kClickedTitleB),
                                      [&] { return wine_test::windowText(peer.window); }));
}

TEST(Rig, TerminatedPeerLeavesNoWindowBehind) {
    HWND window = nullptr;
    DWORD pid = 0;
    {
        Peer peer;
        ASSERT_NE(peer.window, nullptr);
        window = peer.window;
        pid = peer.process.pid();
    }
    EXPECT_TRUE(
        wine_test::pollUntil([&] { return !IsWindow(window); }, wine_test::kDeadlineMs,
                             wine_test::concat("the window of terminated pid ", pid, " to go"),
                             [&] { return wine_test::describeWindow(window); }));
}

TEST(Rig, ProgramsRunInWinesVirtualDesktop) {
    EXPECT_EQ(registryString(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer", L"Desktop"),
              "Default");
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    // The X screen of scripts/check is larger, so this size is the virtual desktop's.
    EXPECT_EQ(desktop.right - desktop.left, 1024);
    EXPECT_EQ(desktop.bottom - desktop.top, 768);
}

TEST(Rig, WindowsUiFacesDrawChinese) {
    const std::wstring text = L"隐藏窗口老板键";
    for (const wchar_t* face : {L"Tahoma", L"MS Shell Dlg", L"MS Shell Dlg 2",
                                L"Microsoft YaHei UI", L"SimSun", L"宋体"}) {
        EXPECT_EQ(missingGlyphs(face, text), "") << "face " << wine_test::toUtf8(face);
    }
}

}  // namespace
