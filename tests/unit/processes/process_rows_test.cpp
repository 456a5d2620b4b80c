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

TEST_F(ProcessRowsTest, ProcessThatCannotBeOpenedKeepsAnEmptyPath) {
    procs.add(900, "locked.exe", {"C:\\Locked\\locked.exe"}).opens = false;
    EXPECT_EQ(pathOf(900), "");
    procs.snapshotFails = true;
    EXPECT_TRUE(rows().empty());
}

}  // namespace
}  // namespace processes
