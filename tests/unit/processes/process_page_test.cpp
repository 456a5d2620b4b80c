// The process page on a loaded main window: the list it shows, and ending a process as a
// user does it, against simulated processes.
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
    // Picks the row and ends it, answering the question with `answer`.
    void endRow(std::uint32_t id, int answer = ui::mb::kAnswerYes) {
        clickRow(id);
        program.dialogs.clear();
        program.dialogs.answerMessage(answer);
        page().Command12.raiseClick();
    }

    testing_support::SimProgram program;
    SimProcesses& procs = program.sim.processes;
};

TEST_F(ProcessPageTest, Load_EnablesDebugPrivilege_CreatesTheColumns_FillsTheList) {
    EXPECT_TRUE(procs.debugPrivilege());
    const auto& columns = page().ListView1.columns();
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].title, "进程名");
    EXPECT_EQ(columns[0].widthTwips, 1600);
    EXPECT_EQ(columns[1].title, "进程ID");
    EXPECT_EQ(columns[1].widthTwips, 1200);
    EXPECT_EQ(columns[2].title, "路径");
    EXPECT_EQ(columns[2].widthTwips, 3800);
    EXPECT_EQ(names(), std::vector<std::string>(
                           {"[System Process]", "csrss.exe", "Veilor.exe", "peer.exe"}));
    EXPECT_EQ(page().Command11.text(), "刷新");
    EXPECT_EQ(page().Command12.text(), "结束进程");
    EXPECT_FALSE(page().Command12.enabled());
    EXPECT_EQ(page().Label10.text(), "");

    program.frmain().Command3.raiseClick();
    EXPECT_TRUE(page().ListView1.shownOnScreen());
    clickRow(kPeer);
    EXPECT_TRUE(page().Command12.enabled());
    page().Command11.raiseClick();
    EXPECT_FALSE(page().Command12.enabled()) << "every refill asks for a fresh click";
    EXPECT_EQ(page().ListView1.selectedIndex(), -1);
}

TEST_F(ProcessPageTest, NoInTheQuestionChangesNothing) {
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

TEST_F(ProcessPageTest, Yes_EndsThePeer_RefillsWithoutIt_KeepsTheResult) {
    program.sim.notifyArea.openShell(10, 4);
    endRow(kPeer);
    EXPECT_EQ(procs.ended(), std::vector<std::uint32_t>({kPeer}));
    EXPECT_EQ(page().Label10.text(), "进程[peer.exe]已经被终止！");
    EXPECT_EQ(names(), std::vector<std::string>({"[System Process]", "csrss.exe", "Veilor.exe"}))
        << "the ended process was waited for, so the refill no longer lists it";
    EXPECT_EQ(page().ListView1.key(2), "a2");
    EXPECT_FALSE(page().Command12.enabled());
    EXPECT_FALSE(page().ProcKilled);
    EXPECT_EQ(procs.handlesOpen(), 0);
    const auto& sweep = program.sim.notifyArea.mouseMoves(program.sim.notifyArea.toolbar);
    EXPECT_EQ(sweep.size(), 9u * 3u) << "the notification area is swept for its icons";

    page().Command11.raiseClick();
    EXPECT_EQ(page().Label10.text(), "") << "a plain refresh clears the result";
}

TEST_F(ProcessPageTest, OwnRowIsNeverEnded_ByNameOrById) {
    endRow(SimProcesses::kOwnProcess);
    EXPECT_EQ(page().Label10.text(), "进程[Veilor.exe]不能被终止！");
    procs.find(SimProcesses::kOwnProcess)->exeFile = "renamed.exe";
    page().Command11.raiseClick();
    endRow(SimProcesses::kOwnProcess);
    EXPECT_EQ(page().Label10.text(), "进程[renamed.exe]不能被终止！");
    EXPECT_EQ(procs.terminations(), 0);
    EXPECT_EQ(names().size(), 4u);
    EXPECT_FALSE(page().Command12.enabled());
}

TEST_F(ProcessPageTest, CriticalOrUnopenableOrRefusingProcessGetsTheFailureText) {
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

TEST_F(ProcessPageTest, ACriticalFlagThatCannotBeReadRefusesTheEnding) {
    procs.find(kPeer)->criticalUnreadable = true;
    endRow(kPeer);
    EXPECT_EQ(page().Label10.text(), "进程[peer.exe]不能被终止！");
    EXPECT_EQ(procs.terminations(), 0) << "unknown counts as critical";
    EXPECT_EQ(names().size(), 4u);
    EXPECT_EQ(procs.handlesOpen(), 0);
}

TEST_F(ProcessPageTest, AnIdGivenToAnotherProgramSinceTheListWasFilledRefusesTheEnding) {
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
    EXPECT_EQ(page().Label10.text(), "进程[editor.exe]不能被终止！");
    EXPECT_EQ(procs.terminations(), 0);

    // The row of the process that holds the id now ends it.
    endRow(kPeer);
    EXPECT_EQ(page().Label10.text(), "进程[editor.exe]已经被终止！");
    EXPECT_EQ(procs.ended(), std::vector<std::uint32_t>({kPeer}));
    EXPECT_EQ(procs.handlesOpen(), 0);
}

TEST_F(ProcessPageTest, HiddenWindowOfAnEndedProcessLeavesTheRecordAtTheNextRestore) {
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
