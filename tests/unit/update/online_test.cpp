// The download into a file on the simulated network: texts in the label, what becomes of
// the file, and the rules for the server's two text files.
#include <gtest/gtest.h>

#include "platform/sim/sim_system.h"
#include "ui/form.h"
#include "ui/sim/sim_forms.h"
#include "update/online.h"
#include "update/server_text.h"

namespace update {
namespace {

constexpr char kUrl[] = "http://server/file.bin";
constexpr char kPath[] = "C:\\Temp\\file.bin";

class DownloadTest : public ::testing::Test {
  protected:
    DownloadTest() { sim.files.put(kPath, "old contents"); }
    void download() {
        job = std::make_unique<DownloadToFile>(system, label, kUrl, kPath,
                                               [this](const DownloadResult& r) { result = r; });
    }
    std::string file() { return sim.files.readFile(kPath).value_or("<none>"); }

    platform::sim::SimSystem sim;
    platform::System system = sim.system();
    ui::sim::SimForms forms;
    ui::Form form{forms, 1, "form"};
    ui::Label label{&form, 2, "lblCount"};
    std::unique_ptr<DownloadToFile> job;
    std::optional<DownloadResult> result;
};

TEST_F(DownloadTest, FormatByteSizeAddsThePlainCountAbove1024) {
    EXPECT_EQ(FormatByteSize(sim.internet, 1024), "1.00 KB");
    EXPECT_EQ(FormatByteSize(sim.internet, 1025), "1025字节(1.00 KB)");
    EXPECT_EQ(FormatByteSize(sim.internet, 2048), "2048字节(2.00 KB)");
    // Counts past what 32 bits hold, signed or not, keep their digits.
    EXPECT_EQ(FormatByteSize(sim.internet, 3'000'000'000ULL), "3000000000字节(2.79 GB)");
    EXPECT_EQ(FormatByteSize(sim.internet, 5'000'000'000ULL), "5000000000字节(4.65 GB)");
}

TEST_F(DownloadTest, EveryBlockShowsTotalAndSpeedThenTheSummary) {
    sim.internet.answers[kUrl].body = std::string(5000, 'x');
    download();
    EXPECT_EQ(label.text(), "正在连接服务器...");
    sim.clock.ticks += 1000;
    ASSERT_TRUE(sim.internet.step());
    EXPECT_EQ(label.text(), "已下载 2048字节(2.00 KB) [ 2048字节(2.00 KB) /秒 ]");
    EXPECT_EQ(file(), std::string(2048, 'x'));  // the older file went at the first block
    sim.clock.ticks += 500;
    sim.internet.step();
    EXPECT_EQ(label.text(), "已下载 4096字节(4.00 KB) [ 4096字节(4.00 KB) /秒 ]");
    sim.internet.runAll();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->end, DownloadEnd::Complete);
    EXPECT_EQ(result->bytes, 5000u);
    EXPECT_EQ(label.text(), "共下载 5000 字节");
    EXPECT_EQ(file(), std::string(5000, 'x'));
    ASSERT_EQ(sim.internet.requests.size(), 1u);
    EXPECT_TRUE(sim.internet.requests[0].reload);
}

TEST_F(DownloadTest, AnEmptyAnswerLeavesAnEmptyFile) {
    sim.internet.answers[kUrl].body = "";
    download();
    sim.internet.runAll();
    EXPECT_EQ(label.text(), "共下载 0 字节");
    EXPECT_EQ(file(), "");
    EXPECT_EQ(result->end, DownloadEnd::Complete);
}

TEST_F(DownloadTest, NoServerOrAnErrorStatusLeavesTheOlderFileAlone) {
    for (int status : {0, 404, 500, 302}) {
        sim.internet.answers.clear();
        if (status) sim.internet.answers[kUrl] = {status, "<html>error page</html>"};
        result.reset();
        download();
        sim.internet.runAll();
        ASSERT_TRUE(result) << status;
        EXPECT_EQ(result->end, DownloadEnd::Failed) << status;
        EXPECT_EQ(result->bytes, 0u) << status;
        EXPECT_EQ(label.text(), "打开URL错误") << status;
        EXPECT_EQ(file(), "old contents") << status;
    }
}

TEST_F(DownloadTest, CancelStopsAfterTheBlockInHandAndKeepsWhatCame) {
    sim.internet.answers[kUrl].body = std::string(10000, 'y');
    download();
    sim.internet.step();
    job->cancel();
    sim.internet.runAll();
    EXPECT_EQ(result->end, DownloadEnd::Cancelled);
    EXPECT_EQ(file(), std::string(2048, 'y'));
    EXPECT_EQ(label.text(), "共下载 2048 字节");
}

TEST_F(DownloadTest, ADroppedConnectionOrAFullDiskIsNoCompleteFile) {
    sim.internet.answers[kUrl] = {200, std::string(10000, 'z'), false, 3000};
    download();
    sim.internet.runAll();
    EXPECT_EQ(result->end, DownloadEnd::Broken);
    EXPECT_EQ(file().size(), 3000u);

    sim.internet.answers[kUrl].breakAfter = static_cast<std::size_t>(-1);
    sim.files.spaceLeft = 4096;
    download();
    sim.internet.runAll();
    EXPECT_EQ(result->end, DownloadEnd::Failed);
    EXPECT_EQ(sim.internet.openCount(), 0);  // the transfer was stopped, not left running
}

TEST_F(DownloadTest, AnAnswerPast256MegabytesFailsAndLeavesNoFile) {
    sim.internet.answers[kUrl].padTo = kMostDownloadBytes + 1;
    download();
    sim.internet.runAll();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->end, DownloadEnd::Failed);
    EXPECT_EQ(result->bytes, kMostDownloadBytes) << "all up to the most came, nothing past it";
    EXPECT_EQ(label.text(), "共下载 268435456 字节");
    EXPECT_FALSE(sim.files.fileExists(kPath)) << "the partial file is deleted";
    EXPECT_EQ(sim.internet.openCount(), 0);
    EXPECT_EQ(sim.internet.requests.back().maxBytes, kMostDownloadBytes);
}

TEST(ServerTextTest, SplitsAtTheFirstTwoLineEnds) {
    auto parts = splitParts("1.01\r\nsetup.exe\r\n1.2 MB\r\nmore\r\n");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->part1, "1.01");
    EXPECT_EQ(parts->part2, "setup.exe");
    EXPECT_EQ(parts->part3, "1.2 MB\r\nmore\r\n");
    EXPECT_EQ(splitParts("1.01\r\n\r\n")->part3, "");
    EXPECT_FALSE(splitParts("1.01\r\nsetup.exe"));
    EXPECT_FALSE(splitParts("1.01\nsetup.exe\n1.2 MB\n"));
}

TEST(ServerTextTest, VersionsArePlainDecimalNumbers) {
    EXPECT_EQ(plainNumber("1.05"), 1.05);
    EXPECT_EQ(plainNumber("2"), 2.0);
    EXPECT_EQ(plainNumber(".5"), 0.5);
    for (const char* bad : {"", ".", "1.0.1", "1,05", " 1.01", "1.01 ", "-1", "1e3", "&H10"})
        EXPECT_FALSE(plainNumber(bad)) << bad;
    // However many digits the server writes, a number comes back, never a NaN that
    // compares as neither older nor newer.
    EXPECT_DOUBLE_EQ(plainNumber("." + std::string(400, '8')).value_or(-1), 0.8888888888888889);
    EXPECT_GT(plainNumber(std::string(400, '9') + "." + std::string(400, '9')).value_or(0), 1.01);
    EXPECT_EQ(versionNumber(1, 0, 0), 1.0);
    EXPECT_EQ(versionNumber(1, 2, 3), 1.23);
}

TEST(ServerTextTest, OnlyBareFileNamesAreAccepted) {
    EXPECT_TRUE(isBareFileName("Veilor_1.01-setup.exe"));
    EXPECT_TRUE(isBareFileName(std::string(64, 'a')));
    for (const std::string& bad :
         {std::string(), std::string(65, 'a'), std::string(".hidden"), std::string("..\\x.exe"),
          std::string("a/b.exe"), std::string("C:x.exe"), std::string("a b.exe"),
          std::string("x.exe?y=1"), std::string("新版.exe")})
        EXPECT_FALSE(isBareFileName(bad)) << bad;
}

}  // namespace
}  // namespace update
