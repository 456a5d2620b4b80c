#include <gtest/gtest.h>

#include "platform/win32/win32_files.h"
#include "platform_test_support.h"

using platform::win32::Win32Files;
using platform_test::TempFolder;

namespace {

TEST(Win32Files, FoldersAndFilesWithChineseNamesAreToldApart) {
    TempFolder root(L"veilor-files");
    Win32Files files;
    std::string folder = root / "我的文档测试";
    ASSERT_TRUE(files.folderExists(root.path())) << root.path();
    EXPECT_FALSE(files.folderExists(folder));
    EXPECT_TRUE(files.createFolder(folder)) << folder;
    EXPECT_TRUE(files.folderExists(folder));
    EXPECT_FALSE(files.fileExists(folder)) << "a folder is not a file";
    EXPECT_FALSE(files.createFolder(folder)) << "creating an existing folder fails";
    EXPECT_FALSE(files.createFolder(root / "缺少\\子文件夹")) << "parent folder is missing";

    std::string file = folder + "\\配置.ini";
    EXPECT_FALSE(files.fileExists(file));
    ASSERT_TRUE(files.writeFile(file, "[设置]\r\n"));
    EXPECT_TRUE(files.fileExists(file));
    EXPECT_FALSE(files.folderExists(file)) << "a file is not a folder";
    EXPECT_FALSE(files.fileExists("")) << "empty path";
}

TEST(Win32Files, WholeFileRoundTripKeepsEveryByte) {
    TempFolder root(L"veilor-files");
    Win32Files files;
    const char kBinary[] = "a\0b\r\n\xff\xfe 隐藏";
    std::string binary(kBinary, sizeof(kBinary) - 1);
    std::string big(3 * 1024 * 1024 + 17, 'x');
    big[12345] = '\0';

    ASSERT_TRUE(files.writeFile(root / "二进制.bin", binary));
    EXPECT_EQ(files.readFile(root / "二进制.bin"), binary);
    ASSERT_TRUE(files.writeFile(root / "big.bin", big));
    std::optional<std::string> back = files.readFile(root / "big.bin");
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->size(), big.size());
    EXPECT_TRUE(*back == big);

    ASSERT_TRUE(files.writeFile(root / "empty.txt", ""));
    EXPECT_EQ(files.readFile(root / "empty.txt"), std::optional<std::string>(""))
        << "an empty file is there, with no bytes";
    ASSERT_TRUE(files.writeFile(root / "二进制.bin", "short"));
    EXPECT_EQ(files.readFile(root / "二进制.bin"), std::optional<std::string>("short"))
        << "rewriting replaces all of the old contents";
}

TEST(Win32Files, ReadingAndWritingWhatCannotBeThereFails) {
    TempFolder root(L"veilor-files");
    Win32Files files;
    EXPECT_EQ(files.readFile(root / "missing.txt"), std::nullopt);
    EXPECT_EQ(files.readFile(root.path()), std::nullopt) << "a folder cannot be read as a file";
    EXPECT_FALSE(files.writeFile(root / "no-such-folder\\a.txt", "x"));
    EXPECT_FALSE(files.writeFile(root.path(), "x")) << "a folder cannot be overwritten";
    EXPECT_FALSE(files.deleteFile(root / "missing.txt"));
}

TEST(Win32Files, FileInUseKeepsItsContentsWhenAWriteFails) {
    TempFolder root(L"veilor-files");
    Win32Files files;
    std::string path = root / "正在使用.txt";
    ASSERT_TRUE(files.writeFile(path, "old contents"));
    HANDLE held = CreateFileW(platform::win32::wide(path).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.writeFile(path, "new")) << "another program holds the file";
    EXPECT_FALSE(files.deleteFile(path));
    CloseHandle(held);
    EXPECT_EQ(files.readFile(path), std::optional<std::string>("old contents"));
    EXPECT_FALSE(files.fileExists(path + ".veilor-new")) << "no scratch file is left behind";
}

TEST(Win32Files, CopyHonoursOverwriteAndDeleteRemoves) {
    TempFolder root(L"veilor-files");
    Win32Files files;
    std::string from = root / "新版本.exe";
    std::string to = root / "副本.exe";
    ASSERT_TRUE(files.writeFile(from, "new"));
    ASSERT_TRUE(files.writeFile(to, "old"));
    EXPECT_FALSE(files.copyFile(from, to, false)) << "the target exists and may not be replaced";
    EXPECT_EQ(files.readFile(to), std::optional<std::string>("old"));
    EXPECT_TRUE(files.copyFile(from, to, true));
    EXPECT_EQ(files.readFile(to), std::optional<std::string>("new"));
    EXPECT_FALSE(files.copyFile(root / "missing.exe", to, true));
    EXPECT_FALSE(files.copyFile(from, root / "no-such-folder\\x.exe", true));

    EXPECT_TRUE(files.deleteFile(to));
    EXPECT_FALSE(files.fileExists(to));
    EXPECT_FALSE(files.deleteFile(to)) << "already gone";
    EXPECT_TRUE(files.fileExists(from));
}

}  // namespace
