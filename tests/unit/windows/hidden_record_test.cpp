// The record of what Veilor hid: written before anything goes, used by every restore when a
// window's own program has rewritten its title, and read back by the start that follows a
// run which could not restore.
#include <gtest/gtest.h>

#include <limits>

#include "app/app_fixture.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_files.h"
#include "windows/hidden_record.h"

namespace windows::testing {
namespace {

using platform::WindowHandle;

constexpr const char* kRecordPath = "C:\\Users\\user\\AppData\\Local\\Veilor\\Hidden.dat";
// Where older versions kept it, beside the settings file.
constexpr const char* kOlderRecordPath = "C:\\Users\\user\\Documents\\Veilor\\Hidden.dat";
constexpr const char* kLeftoverMessage = "上次退出时未能还原的窗口和图标已经还原。";

class HiddenRecordTest : public ::testing::Test {
  protected:
    HiddenRecordTest() {
        program.sim.notifyArea.openShell();
        program.sim.notifyArea.addButton("QQ", 5);
    }
    WindowHandle peer(const std::string& title, std::uint32_t pid, bool visible = true) {
        return desktop.open(
            {.className = "Peer", .title = title, .visible = visible, .processId = pid});
    }
    app::Frmain& start() {
        program.start();
        return program.frmain();
    }
    std::optional<HiddenState> onDisk() {
        std::optional<std::string> text = program.sim.files.readFile(kRecordPath);
        return text ? parseRecord(*text) : std::nullopt;
    }
    // A record as a run of this boot (or another) left it, by default where this version
    // keeps it.
    void leave(HiddenState state, const char* path = kRecordPath) {
        program.sim.files.put(path, formatRecord(state));
    }
    platform::sim::SimWindow& window(WindowHandle w) { return *desktop.find(w); }
    bool iconHidden(int id) { return program.sim.notifyArea.buttonById(id)->hidden; }
    void hideIcon(int id) {
        for (auto& b : program.sim.notifyArea.buttons) {
            if (b.commandId == id) b.hidden = true;
        }
    }
    int leftoverMessages() {
        int n = 0;
        for (const auto& m : program.dialogs.messages())
            n += m.text == kLeftoverMessage;
        return n;
    }

    testing_support::SimProgram program;
    platform::sim::SimDesktop& desktop = program.sim.desktop;
};

TEST_F(HiddenRecordTest, OneKeyHide_WritesTheRecordBeforeTheFirstWindowGoes) {
    WindowHandle mail = peer("Inbox", 40);
    WindowHandle chat = peer("Chat", 41);
    app::Frmain& frmain = start();
    std::optional<HiddenState> atFirstHide;
    desktop.beforeShow = [&](WindowHandle w, bool shown) {
        if (!shown && (w == mail || w == chat) && !atFirstHide) atFirstHide = onDisk();
    };

    frmain.Command7.raiseClick();

    ASSERT_TRUE(atFirstHide) << "no record on disk when the first window was hidden";
    ASSERT_EQ(atFirstHide->windows.size(), 2u);
    for (const RecordedWindow& w : atFirstHide->windows) {
        EXPECT_EQ(w.processId, w.handle == mail ? 40u : 41u);
        EXPECT_EQ(w.title, w.handle == mail ? "Inbox" : "Chat") << "the title before marking";
    }
    EXPECT_EQ(atFirstHide->bootTime, program.sim.clock.boot);
    EXPECT_FALSE(program.sim.files.fileExists(kOlderRecordPath))
        << "the titles stay out of Documents, which may be a share";
    EXPECT_TRUE(program.sim.files.fileExists("C:\\Users\\user\\Documents\\Veilor\\Config.ini"))
        << "the settings file stays where it was";
    ASSERT_TRUE(onDisk());
    ASSERT_EQ(onDisk()->buttons.size(), 1u);
    EXPECT_EQ(onDisk()->buttons[0].commandId, 5);
    EXPECT_EQ(onDisk()->buttons[0].text, "QQ");
}

TEST_F(HiddenRecordTest, RetitledWindow_IsListedAndComesBackByRestoreAndByShow) {
    WindowHandle mail = peer("Inbox", 40);
    WindowHandle chat = peer("Chat", 41);
    app::Frmain& frmain = start();
    frmain.Command7.raiseClick();
    // The programs rewrite their titles while hidden, erasing the marker.
    window(mail).title = "(1) Inbox";
    window(chat).title = "Chat - typing";

    frmain.windowPage.Refresh1();
    const std::vector<std::string>& rows = frmain.windowPage.List1.rows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "(1) Inbox"), rows.end())
        << "a hidden window of ours stays in reach on the window page";
    frmain.windowPage.List1.setListIndex(
        static_cast<int>(std::find(rows.begin(), rows.end(), "(1) Inbox") - rows.begin()));
    frmain.windowPage.cmdShow1.raiseClick();
    EXPECT_TRUE(window(mail).visible);
    EXPECT_FALSE(window(chat).visible);

    frmain.RE();

    EXPECT_TRUE(window(chat).visible);
    EXPECT_EQ(window(mail).title, "(1) Inbox") << "a title without the marker is left alone";
    EXPECT_EQ(window(chat).title, "Chat - typing");
    EXPECT_FALSE(program.sim.files.fileExists(kRecordPath)) << "nothing is hidden any more";
}

TEST_F(HiddenRecordTest, StartAfterUncleanEnd_RestoresAllOfIt_DropsWhatHasGone) {
    WindowHandle marked = peer("[隐藏] Editor", 40, false);
    WindowHandle retitled = peer("(2) Inbox", 41, false);
    WindowHandle taskbar = program.sim.notifyArea.trayWnd;
    window(taskbar).visible = false;
    hideIcon(5);
    leave({.bootTime = program.sim.clock.boot + 3,
           .taskbar = true,
           .windows = {{marked, 40, "Editor"}, {retitled, 41, "Inbox"}, {0x7777, 42, "Gone"}},
           .buttons = {{5, "QQ"}}});

    app::Frmain& frmain = start();

    EXPECT_TRUE(window(marked).visible);
    EXPECT_EQ(window(marked).title, "Editor");
    EXPECT_TRUE(window(retitled).visible);
    EXPECT_EQ(window(retitled).title, "(2) Inbox");
    EXPECT_TRUE(window(taskbar).visible);
    EXPECT_FALSE(iconHidden(5));
    ASSERT_EQ(leftoverMessages(), 1);
    EXPECT_EQ(program.dialogs.messages().back().title, "Veilor");
    EXPECT_EQ(program.dialogs.messages().back().style, ui::mb::kOk | ui::mb::kIconInformation);
    EXPECT_TRUE(frmain.visible());
    EXPECT_FALSE(program.sim.files.fileExists(kRecordPath)) << "a restored record is done with";
}

TEST_F(HiddenRecordTest, HandleNowOfAnotherProcess_IsNotShown) {
    // The recorded program has ended and another one's window got its handle.
    WindowHandle stranger = peer("Setup", 77, false);
    leave(
        {.bootTime = program.sim.clock.boot, .windows = {{stranger, 40, "Editor"}}, .buttons = {}});

    start();

    EXPECT_FALSE(window(stranger).visible);
    EXPECT_EQ(window(stranger).title, "Setup");
    EXPECT_EQ(leftoverMessages(), 0) << "nothing was restored";
    EXPECT_FALSE(program.sim.files.fileExists(kRecordPath));
}

TEST_F(HiddenRecordTest, RecordOfAnOlderVersionInDocuments_IsRestoredAndRemoved) {
    WindowHandle w = peer("[隐藏] Editor", 40, false);
    WindowHandle progman = desktop.open({.className = "Progman", .title = "Program Manager"});
    window(progman).visible = false;
    leave({.bootTime = program.sim.clock.boot,
           .desktopIcons = true,
           .windows = {{w, 40, "Editor"}},
           .buttons = {}},
          kOlderRecordPath);

    start();

    EXPECT_TRUE(window(w).visible);
    EXPECT_EQ(window(w).title, "Editor");
    EXPECT_TRUE(window(progman).visible);
    EXPECT_EQ(leftoverMessages(), 1);
    EXPECT_FALSE(program.sim.files.fileExists(kOlderRecordPath)) << "honoured once, then gone";
    EXPECT_FALSE(program.sim.files.fileExists(kRecordPath));
}

// The clock may have been set between the crash and this start, so a record that looks
// older may well be of this boot: what is always safe comes back, and a window only where
// its handle, its process and its marker all still agree.
TEST_F(HiddenRecordTest, RecordOfAnotherBoot_BringsBackTaskbarAndIconsAndOnlyWhatStillMatches) {
    WindowHandle marked = peer("[隐藏] Editor", 40, false);
    WindowHandle unmarked = peer("Inbox", 41, false);         // its own program hid it
    WindowHandle stranger = peer("[隐藏] Notes", 77, false);  // another process has the handle
    WindowHandle progman = desktop.open({.className = "Progman", .title = "Program Manager"});
    WindowHandle taskbar = program.sim.notifyArea.trayWnd;
    for (WindowHandle part : {progman, taskbar})
        window(part).visible = false;
    program.sim.notifyArea.addButton("Updater", 6);  // hidden by its own program
    hideIcon(5);
    hideIcon(6);
    leave({.bootTime = program.sim.clock.boot - 3600,
           .taskbar = true,
           .desktopIcons = true,
           .windows = {{marked, 40, "Editor"}, {unmarked, 41, "Inbox"}, {stranger, 42, "Notes"}},
           .buttons = {{5, "QQ"}, {6, "Mail"}}});

    start();

    EXPECT_TRUE(window(taskbar).visible);
    EXPECT_TRUE(window(progman).visible);
    EXPECT_TRUE(window(marked).visible);
    EXPECT_EQ(window(marked).title, "Editor");
    EXPECT_FALSE(window(unmarked).visible) << "without the marker it may not be ours";
    EXPECT_FALSE(window(stranger).visible);
    EXPECT_EQ(window(stranger).title, "[隐藏] Notes");
    EXPECT_FALSE(iconHidden(5)) << "its identifier and its text both agree";
    EXPECT_TRUE(iconHidden(6)) << "an identifier alone may name another program's icon now";
    EXPECT_EQ(leftoverMessages(), 1);
    EXPECT_FALSE(program.sim.files.fileExists(kRecordPath));
}

TEST_F(HiddenRecordTest, RecordOfAnotherBootWithNothingHidden_StartsWithoutAMessage) {
    // After a real restart the shell shows its taskbar anyway: nothing came back.
    leave({.bootTime = program.sim.clock.boot - 86400,
           .taskbar = true,
           .windows = {},
           .buttons = {}});

    start();

    EXPECT_TRUE(window(program.sim.notifyArea.trayWnd).visible);
    EXPECT_EQ(leftoverMessages(), 0);
    EXPECT_FALSE(program.sim.files.fileExists(kRecordPath));
}

// A damaged record may hold a start time far from any real one; it once overflowed the
// distance to this boot's and could pass for a record of this boot, whose windows come
// back even without their marker.
TEST(HiddenRecordFile, OnlyAStartTimeNearThisBootsIsThisBoot) {
    platform::sim::SimFiles files;
    platform::sim::SimClock clock;
    HiddenRecord record(files, clock);
    const std::string path = "C:\\Veilor\\Hidden.dat";
    const std::int64_t boot = clock.boot;
    for (auto [recorded, thisBoot] : std::initializer_list<std::pair<std::int64_t, bool>>{
             {std::numeric_limits<std::int64_t>::min(), false},
             {std::numeric_limits<std::int64_t>::max(), false},
             {boot - kSameBootSeconds - 1, false},
             {boot - kSameBootSeconds, true},
             {boot + kSameBootSeconds, true}}) {
        files.put(path, formatRecord(
                            {.bootTime = recorded, .taskbar = true, .windows = {}, .buttons = {}}));
        std::optional<Leftover> left = record.leftoverAt(path);
        ASSERT_TRUE(left) << recorded;
        EXPECT_EQ(left->thisBoot, thisBoot) << recorded;
    }
}

TEST(HiddenRecordFormat, TitlesWithAnyCharacterSurviveTheFile) {
    HiddenState state{.bootTime = 1796720400,
                      .desktopIcons = true,
                      .windows = {{0x10A2, 99, "a\\b\r\nc [隐藏] d"}},
                      .buttons = {{7, "line1\nline2 \\n"}}};
    std::optional<HiddenState> back = parseRecord(formatRecord(state));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->bootTime, state.bootTime);
    EXPECT_TRUE(back->desktopIcons);
    EXPECT_FALSE(back->taskbar);
    ASSERT_EQ(back->windows.size(), 1u);
    EXPECT_EQ(back->windows[0].title, state.windows[0].title);
    EXPECT_EQ(back->windows[0].handle, 0x10A2u);
    ASSERT_EQ(back->buttons.size(), 1u);
    EXPECT_EQ(back->buttons[0].text, state.buttons[0].text);
    EXPECT_FALSE(parseRecord("[HotKey]\r\n0=65,0,-1,0\r\n")) << "not a record";
    EXPECT_FALSE(parseRecord("Veilor hidden 1\r\nwindow x 1 T\r\n")) << "a damaged entry";
}

}  // namespace
}  // namespace windows::testing
