// The process page on a loaded main window: the list it shows, read on a worker, and
// ending a process as a user does it, against simulated processes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_fixture.h"
#include "processes/process_rows.h"

namespace processes {
namespace {

using platform::sim::SimProcesses;

constexpr std::uint32_t kPeer = 1234;
constexpr std::uint32_t kCritical = 600;

class ProcessPageTest : public ::testing::Test {
  protected:
    ProcessPageTest() {
        procs.add(0, "[System Process]");
        procs.add(kCritical, "csrss.exe", {"C:\\Windows\\System32\\csrss.exe"}).critical = true;
        procs.add(SimProcesses::kOwnProcess, "Veilor.exe", {program.sim.environment.exePath});
        procs.add(kPeer, "peer.exe", {"C:\\Peer\\peer.exe"});
        program.start();
    }
    ProcessPage& page() { return program.frmain().processPage; }
    // The page shown and its first rows read.
    void openPage() {
        program.frmain().Command3.raiseClick();
        tasks.runAll();
    }
    void refresh() {
        page().Command11.raiseClick();
        tasks.runAll();
    }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (const ui::ListViewItem& row : page().ListView1.items())
            out.push_back(row.text);
        return out;
    }
    void clickRow(std::uint32_t id) {
        const auto& items = page().ListView1.items();
        for (size_t i = 0; i < items.size(); ++i) {
            if (processIdOf(items[i].subItems.at(0)) == id) {
                page().ListView1.setSelectedIndex(static_cast<int>(i));
                return;
            }
        }
        ADD_FAILURE() << "no row for process " << id;
    }
    // Picks the row and ends it, answering the question with `answer`; with `settle`, the
    // refill that follows has its rows in.
    void endRow(std::uint32_t id, int answer = ui::mb::kAnswerYes, bool settle = true) {
        clickRow(id);
        program.dialogs.clear();
        program.dialogs.answerMessage(answer);
        page().Command12.raiseClick();
        if (settle) tasks.runAll();
    }

    testing_support::SimProgram program;
    SimProcesses& procs = program.sim.processes;
    platform::sim::SimTasks& tasks = program.sim.tasks;
};

class OpenProcessPageTest : public ProcessPageTest {
  protected:
    OpenProcessPageTest() { openPage(); }
};

TEST_F(ProcessPageTest, Load_EnablesDebugPrivilege_CreatesTheColumns_FirstShowingFillsTheList) {
    EXPECT_TRUE(procs.debugPrivilege());
    const auto& columns = page().ListView1.columns();
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].title, "进程名");
    EXPECT_EQ(columns[0].widthTwips, 1600);
    EXPECT_EQ(columns[1].title, "进程ID");
    EXPECT_EQ(columns[1].widthTwips, 1200);
    EXPECT_EQ(columns[2].title, "路径");
    EXPECT_EQ(columns[2].widthTwips, 3800);
    EXPECT_EQ(tasks.pending(), 0u) << "nothing of the list is read before the page is shown";
    EXPECT_TRUE(names().empty());

    program.frmain().Command3.raiseClick();
    EXPECT_TRUE(page().ListView1.shownOnScreen());
    EXPECT_TRUE(names().empty()) << "the rows come once the worker has read them";
    tasks.runAll();
    EXPECT_EQ(names(), std::vector<std::string>(
                           {"[System Process]", "csrss.exe", "Veilor.exe", "peer.exe"}));
    EXPECT_EQ(page().Command11.text(), "刷新");
    EXPECT_EQ(page().Command12.text(), "结束进程");
    EXPECT_FALSE(page().Command12.enabled());
    EXPECT_EQ(page().Label10.text(), "");
    program.frmain().Command4.raiseClick();
    program.frmain().Command3.raiseClick();
    EXPECT_EQ(tasks.pending(), 0u) << "showing the page again keeps its list";

    clickRow(kPeer);
    EXPECT_TRUE(page().Command12.enabled());
    refresh();
    EXPECT_FALSE(page().Command12.enabled()) << "every refill asks for a fresh click";
    EXPECT_EQ(page().ListView1.selectedIndex(), -1);
}

TEST_F(OpenProcessPageTest, RefillKeepsTheRowsUntilTheNewOnesAreIn_TheNewestRefillWins) {
    const std::vector<std::string> before = names();
    clickRow(kPeer);
    procs.add(900, "late.exe", {"C:\\Late\\late.exe"});
    page().Command11.raiseClick();
    EXPECT_EQ(names(), before) << "nothing is read on this thread";
    EXPECT_FALSE(page().Command12.enabled());
    page().Command11.raiseClick();
    ASSERT_EQ(tasks.pending(), 2u);
    // The second worker ends first; the first one's rows, read later without late.exe,
    // must not replace them.
    tasks.finish(1);
    EXPECT_EQ(names().back(), "late.exe");
    procs.exit(900);
    page().ListView1.setSelectedIndex(0);
    tasks.finish(0);
    EXPECT_EQ(names().back(), "late.exe");
    EXPECT_TRUE(page().Command12.enabled()) << "the superseded rows change nothing";
    EXPECT_EQ(tasks.delivered(), 2) << "the first showing and the second refill only";
}

TEST_F(OpenProcessPageTest, NoInTheQuestionChangesNothing) {
    endRow(kPeer, ui::mb::kAnswerNo);
    ASSERT_EQ(program.dialogs.messages().size(), 1u);
    EXPECT_EQ(program.dialogs.messages()[0].text, "确实要结束进程[peer.exe]吗？");
    EXPECT_EQ(program.dialogs.messages()[0].title, "Veilor");
    EXPECT_EQ(program.dialogs.messages()[0].style, ui::mb::kYesNo);
    EXPECT_EQ(procs.terminations(), 0);
    EXPECT_EQ(procs.handlesOpen(), 0);
    EXPECT_TRUE(page().Command12.enabled());
    EXPECT_EQ(page().Label10.text(), "");
    EXPECT_EQ(names().size(), 4u);
}

TEST_F(OpenProcessPageTest, Yes_EndsThePeer_RefillsWithoutIt_KeepsTheResult) {
    program.sim.notifyArea.openShell(10, 4);
    auto sweep = [&] {
        return program.sim.notifyArea.mouseMoves(program.sim.notifyArea.toolbar).size();
    };
    endRow(kPeer, ui::mb::kAnswerYes, false);
    EXPECT_EQ(procs.ended(), std::vector<std::uint32_t>({kPeer}));
    EXPECT_NE(procs.find(kPeer), nullptr) << "nobody waited for it on this thread";
    EXPECT_EQ(page().Label10.text(), "进程[peer.exe]已经被终止！");
    EXPECT_EQ(names().size(), 4u) << "the old rows stand until the new ones are read";
    EXPECT_FALSE(page().Command12.enabled());
    EXPECT_EQ(sweep(), 0u) << "the sweep waits for the rows";

    tasks.runAll();
    EXPECT_EQ(page().Label10.text(), "进程[peer.exe]已经被终止！");
    EXPECT_EQ(names(), std::vector<std::string>({"[System Process]", "csrss.exe", "Veilor.exe"}))
        << "the ended process was waited for, so the refill no longer lists it";
    EXPECT_EQ(page().ListView1.key(2), "a2");
    EXPECT_FALSE(page().Command12.enabled());
    EXPECT_FALSE(page().ProcKilled);
    EXPECT_EQ(procs.handlesOpen(), 0);
    EXPECT_EQ(sweep(), 9u * 3u) << "the notification area is swept for its icons";

    refresh();
    EXPECT_EQ(page().Label10.text(), "") << "a plain refresh clears the result";
}

TEST_F(OpenProcessPageTest, RefreshDuringAnEndingsRefill_StillWaitsForItAndSweeps) {
    program.sim.notifyArea.openShell(10, 4);
    auto sweep = [&] {
        return program.sim.notifyArea.mouseMoves(program.sim.notifyArea.toolbar).size();
    };
    endRow(kPeer, ui::mb::kAnswerYes, false);
    page().Command11.raiseClick();
    EXPECT_EQ(page().Label10.text(), "");
    tasks.finish(1);
    EXPECT_EQ(names(), std::vector<std::string>({"[System Process]", "csrss.exe", "Veilor.exe"}));
    EXPECT_EQ(sweep(), 9u * 3u);
    tasks.runAll();
    EXPECT_EQ(sweep(), 9u * 3u) << "swept once";
    EXPECT_EQ(procs.handlesOpen(), 0);
}

TEST_F(OpenProcessPageTest, OwnRowIsNeverEnded_ByNameOrById) {
    endRow(SimProcesses::kOwnProcess);
    EXPECT_EQ(page().Label10.text(), "进程[Veilor.exe]不能被终止！");
    procs.find(SimProcesses::kOwnProcess)->exeFile = "renamed.exe";
    refresh();
    endRow(SimProcesses::kOwnProcess);
    EXPECT_EQ(page().Label10.text(), "进程[renamed.exe]不能被终止！");
    EXPECT_EQ(procs.terminations(), 0);
    EXPECT_EQ(names().size(), 4u);
    EXPECT_FALSE(page().Command12.enabled());
}

TEST_F(OpenProcessPageTest, CriticalOrUnopenableOrRefusingProcessGetsTheFailureText) {
    endRow(kCritical);
    EXPECT_EQ(page().Label10.text(), "进程[csrss.exe]不能被终止！");
    EXPECT_EQ(procs.terminations(), 0) << "a critical process is never asked to end";

    procs.find(kPeer)->opens = false;
    endRow(kPeer);
    EXPECT_EQ(page().Label10.text(), "进程[peer.exe]不能被终止！");
    procs.find(kPeer)->opens = true;
    procs.find(kPeer)->refusesTermination = true;
    endRow(kPeer);
    EXPECT_EQ(page().Label10.text(), "进程[peer.exe]不能被终止！");
    EXPECT_EQ(names().size(), 4u);
    EXPECT_EQ(procs.handlesOpen(), 0);
}

TEST_F(OpenProcessPageTest, ACriticalFlagThatCannotBeReadRefusesTheEnding) {
    procs.find(kPeer)->criticalUnreadable = true;
    endRow(kPeer);
    EXPECT_EQ(page().Label10.text(), "进程[peer.exe]不能被终止！");
    EXPECT_EQ(procs.terminations(), 0) << "unknown counts as critical";
    EXPECT_EQ(names().size(), 4u);
    EXPECT_EQ(procs.handlesOpen(), 0);
}

TEST_F(OpenProcessPageTest, AnIdGivenToAnotherProgramSinceTheListWasFilledRefusesTheEnding) {
    auto& desktop = program.sim.desktop;
    clickRow(kPeer);
    // While the list stands (or the question waits), peer.exe ends and its id is reused.
    procs.exit(kPeer);
    procs.add(kPeer, "editor.exe", {"C:\\Tools\\editor.exe"});
    const auto editorWindow =
        desktop.open({.className = "Editor", .title = "Editor", .processId = kPeer});
    program.dialogs.clear();
    program.dialogs.answerMessage(ui::mb::kAnswerYes);
    page().Command12.raiseClick();
    tasks.runAll();
    EXPECT_EQ(page().Label10.text(), "进程[peer.exe]不能被终止！");
    EXPECT_EQ(procs.terminations(), 0);
    ASSERT_NE(desktop.find(editorWindow), nullptr);
    EXPECT_EQ(names(), std::vector<std::string>(
                           {"[System Process]", "csrss.exe", "Veilor.exe", "editor.exe"}))
        << "the list is filled again and shows the program that holds the id now";
    EXPECT_FALSE(page().Command12.enabled());

    // The same program started again under the same id is another process too.
    clickRow(kPeer);
    procs.exit(kPeer);
    procs.add(kPeer, "editor.exe", {"C:\\Tools\\editor.exe"});
    program.dialogs.answerMessage(ui::mb::kAnswerYes);
    page().Command12.raiseClick();
    tasks.runAll();
    EXPECT_EQ(page().Label10.text(), "进程[editor.exe]不能被终止！");
    EXPECT_EQ(procs.terminations(), 0);

    // The row of the process that holds the id now ends it.
    endRow(kPeer);
    EXPECT_EQ(page().Label10.text(), "进程[editor.exe]已经被终止！");
    EXPECT_EQ(procs.ended(), std::vector<std::uint32_t>({kPeer}));
    EXPECT_EQ(procs.handlesOpen(), 0);
}

TEST_F(OpenProcessPageTest, HiddenWindowOfAnEndedProcessLeavesTheRecordAtTheNextRestore) {
    auto& desktop = program.sim.desktop;
    const auto peerWindow =
        desktop.open({.className = "Peer", .title = "Peer", .processId = kPeer});
    const auto other = desktop.open({.className = "Other", .title = "Other", .processId = 77});
    app::Frmain& frmain = program.frmain();
    frmain.Command7.raiseClick();
    ASSERT_EQ(frmain.hiddenRecord.state().windows.size(), 2u);
    endRow(kPeer);
    EXPECT_EQ(desktop.find(peerWindow), nullptr);

    frmain.reOneKey.onAction();
    EXPECT_TRUE(frmain.hiddenRecord.state().windows.empty());
    EXPECT_TRUE(desktop.find(other)->visible);
    EXPECT_EQ(desktop.find(other)->title, "Other");
}

}  // namespace
}  // namespace processes
