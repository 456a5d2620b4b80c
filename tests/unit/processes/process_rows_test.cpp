// The rows of the process list against simulated processes: the name, id and path cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_processes.h"
#include "processes/process_rows.h"

namespace processes {
namespace {

using namespace std::string_literals;
using Paths = std::vector<std::string>;

TEST(ProcessRowCells, NameIsCutAtNulTrimmedAndLosesItsDirectory) {
    EXPECT_EQ(processName("  notepad.exe \0ad.exe  junk"s), "notepad.exe");
    EXPECT_EQ(processName("C:\\Tools\\x86\\peer.exe"), "peer.exe");
    EXPECT_EQ(matchName(" tools\\peer.exe \0rest"s), "tools\\peer.exe");
    EXPECT_EQ(processName("\0hidden"s), "");
    EXPECT_EQ(processName("记事本.exe"), "记事本.exe");
}

TEST(ProcessRowCells, IdReadsDecimalThenUpperCaseHex_AndBackUpToTheParenthesis) {
    EXPECT_EQ(processIdText(1234), "1234(&H4D2)");
    EXPECT_EQ(processIdText(0), "0(&H0)");
    EXPECT_EQ(processIdText(4294967292u), "4294967292(&HFFFFFFFC)");
    EXPECT_EQ(processIdOf("1234(&H4D2)"), 1234u);
    EXPECT_EQ(processIdOf("4294967292(&HFFFFFFFC)"), 4294967292u);
    EXPECT_EQ(processIdOf("(&H4D2)"), 0u) << "the hex part is never read";
    EXPECT_EQ(processIdOf(""), 0u);
}

TEST(ProcessRowCells, PathStartsAtTheDriveLetter) {
    EXPECT_EQ(normalisePath("\\??\\C:\\Windows\\a.exe"), "C:\\Windows\\a.exe");
    EXPECT_EQ(normalisePath("\\\\?\\D:\\x.exe"), "D:\\x.exe");
    EXPECT_EQ(normalisePath("C:\\x.exe"), "C:\\x.exe") << "colon second: unchanged";
    EXPECT_EQ(normalisePath("\\SystemRoot\\x.exe"), "\\SystemRoot\\x.exe");
    EXPECT_EQ(normalisePath(":x"), ":x");
    // Characters, not bytes: one character before the colon is the drive letter.
    EXPECT_EQ(normalisePath("前缀E:\\软件\\a.exe"), "E:\\软件\\a.exe");
    EXPECT_EQ(normalisePath("盘:\\a.exe"), "盘:\\a.exe");
}

TEST(ProcessRowPath, FirstModuleThatNamesTheProcess_ElseTheLastThatDoes_ElseTheFirst) {
    const Paths modules = {"C:\\App\\PEER.EXE", "C:\\Other\\peer.exe.dll", "C:\\Last\\peer.exe"};
    EXPECT_EQ(pathFromModules("peer.exe", modules), "C:\\App\\PEER.EXE") << "case ignored";
    EXPECT_EQ(pathFromModules("peer.exe", {"C:\\Host\\host.exe", "C:\\A\\peer.exe", "C:\\B\\x.dll",
                                           "C:\\C\\peer.exe"}),
              "C:\\C\\peer.exe")
        << "the last matching module wins";
    EXPECT_EQ(pathFromModules("gone.exe", {"C:\\Host\\host.exe", "C:\\B\\x.dll"}),
              "C:\\Host\\host.exe");
    EXPECT_EQ(pathFromModules("peer.exe", {}), "");
    // A name with a directory part is matched whole.
    EXPECT_EQ(pathFromModules("tools\\app.exe", {"C:\\Other\\app.exe", "C:\\Tools\\App.exe"}),
              "C:\\Tools\\App.exe");
    EXPECT_EQ(pathFromModules("[System Process]", {"C:\\Windows\\System32\\ntoskrnl.exe"}), "");
}

class ProcessRowsTest : public ::testing::Test {
  protected:
    std::vector<ProcessRow> rows() { return processRows(procs); }
    std::string pathOf(std::uint32_t id) {
        for (const ProcessRow& row : rows()) {
            if (processIdOf(row.item.subItems.at(0)) == id) return row.item.subItems.at(1);
        }
        ADD_FAILURE() << "no row for " << id;
        return {};
    }

    platform::sim::SimDesktop desktop;
    platform::sim::SimProcesses procs{desktop};
};

TEST_F(ProcessRowsTest, RowsInSnapshotOrderWithKeysNamesIdsAndPaths) {
    procs.add(0, "[System Process]");
    procs.add(4, "System");
    procs.add(1234, "C:\\Tools\\peer.exe\0old"s, {"\\??\\C:\\Tools\\peer.exe", "C:\\W\\k.dll"});
    const std::vector<ProcessRow> list = rows();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].key, "a0");
    EXPECT_EQ(list[2].key, "a2");
    EXPECT_EQ(list[0].item.text, "[System Process]");
    EXPECT_EQ(list[2].item.text, "peer.exe");
    EXPECT_EQ(list[2].item.subItems, Paths({"1234(&H4D2)", "C:\\Tools\\peer.exe"}));
    EXPECT_EQ(list[1].item.subItems, Paths({"4(&H4)", ""})) << "no modules, no image path";
}

TEST_F(ProcessRowsTest, IdleProcessGetsNoPathEvenWhenItsModulesCanBeRead) {
    procs.add(0, "[SYSTEM PROCESS]", {"C:\\Windows\\System32\\ntoskrnl.exe"});
    EXPECT_EQ(pathOf(0), "");
}

TEST_F(ProcessRowsTest, WideProcessSeenFromThisNarrowProgramTakesItsImagePath) {
    procs.add(800, "wide.exe", {"C:\\Wide\\wide.exe"}).wide = true;
    procs.find(800)->imagePath = "\\??\\C:\\Wide\\wide.exe";
    EXPECT_EQ(pathOf(800), "C:\\Wide\\wide.exe");
    procs.wideSelf = true;
    procs.find(800)->imagePath.clear();
    EXPECT_EQ(pathOf(800), "C:\\Wide\\wide.exe") << "a 64-bit program walks its modules";
}

// The rows take the image path first and walk the modules only where it does not hold the
// entry's name; they must read as the module walk's everywhere.
TEST_F(ProcessRowsTest, ImagePathFirstGivesTheModuleWalksPaths_WalkingOnlyWhereItMust) {
    procs.add(0, "[System Process]", {"C:\\Windows\\System32\\ntoskrnl.exe"});
    procs.add(4, "System");
    procs.add(100, "peer.exe", {"C:\\Peer\\peer.exe", "C:\\W\\k.dll"});
    procs.add(101, "C:\\Tools\\tool.exe\0junk"s, {"\\??\\C:\\Tools\\tool.exe"});
    procs.add(102, "UPPER.EXE", {"C:\\App\\upper.exe"});
    // Renamed or hosted: the image does not hold the entry's name, a later module does.
    procs.add(103, "plugin.exe", {"C:\\Host\\host.exe", "C:\\Host\\plugin.exe"});
    procs.add(104, "gone.exe", {"C:\\Host\\host.exe", "C:\\W\\k.dll"});
    procs.add(105, "wide.exe", {"C:\\Wide\\wide.exe"}).wide = true;
    procs.add(106, "locked.exe", {"C:\\Locked\\locked.exe"}).opens = false;
    procs.add(107, "bare.exe", {"C:\\Bare\\bare.exe"}).imagePath.clear();
    procs.add(108, "ntprefix.exe", {"C:\\N\\ntprefix.exe"}).imagePath = "\\??\\C:\\N\\ntprefix.exe";
    procs.add(109, "unread.exe", {"C:\\U\\unread.exe"}).modulesReadable = false;

    const std::vector<platform::ProcessEntry> entries = procs.processes();
    std::vector<std::string> walked;
    for (const platform::ProcessEntry& entry : entries)
        walked.push_back(moduleWalkPath(procs, entry));
    const int snapshotsBefore = procs.moduleSnapshots();
    const std::vector<ProcessRow> list = rows();
    ASSERT_EQ(list.size(), entries.size());
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].item.subItems.at(1), walked[i]) << entries[i].exeFile;
    }
    EXPECT_EQ(walked[5], "C:\\Host\\plugin.exe");
    EXPECT_EQ(walked[9], "C:\\Bare\\bare.exe");
    EXPECT_EQ(walked[10], "C:\\N\\ntprefix.exe");
    // Walked: the two whose image lacks the name, the two without an image path, and the
    // one that cannot be opened.
    EXPECT_EQ(procs.moduleSnapshots() - snapshotsBefore, 5);
}

TEST_F(ProcessRowsTest, ProcessThatCannotBeOpenedKeepsAnEmptyPath) {
    procs.add(900, "locked.exe", {"C:\\Locked\\locked.exe"}).opens = false;
    EXPECT_EQ(pathOf(900), "");
    procs.snapshotFails = true;
    EXPECT_TRUE(rows().empty());
}

}  // namespace
}  // namespace processes
