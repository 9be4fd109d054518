#include "platform/FileSystem.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(FileSystem, AbsolutePaths)
{
    EXPECT_TRUE(fs_cp932::IsAbsolutePath("/usr/share"));
    EXPECT_TRUE(fs_cp932::IsAbsolutePath("\\data\\x.mqo"));
    EXPECT_TRUE(fs_cp932::IsAbsolutePath("C:\\data\\x.mqo"));
    EXPECT_TRUE(fs_cp932::IsAbsolutePath("d:x.png"));
    EXPECT_FALSE(fs_cp932::IsAbsolutePath("tex\\x.png"));
    EXPECT_FALSE(fs_cp932::IsAbsolutePath(""));
    EXPECT_FALSE(fs_cp932::IsAbsolutePath("1:x"));
}

TEST(FileSystem, BackslashesBecomeSlashesButTrailBytesStay)
{
    // 表 (0x95 0x5C) inside a folder name; the real separators turn into '/'.
    EXPECT_EQ(fs_cp932::ToFileSystem("tex\\\x95\x5C\\a.png"), "tex/\xE8\xA1\xA8/a.png");
    EXPECT_EQ(fs_cp932::FromFileSystem("tex/\xE8\xA1\xA8/a.png"), "tex/\x95\x5C/a.png");
}

TEST(FileSystem, OpensFilesNamedWithWindowsSeparators)
{
    testsupport::TempDir folder;
    std::filesystem::create_directory(folder.Folder() / "\xE8\xA1\xA8");
    testsupport::WriteBytes((folder.Folder() / "\xE8\xA1\xA8" / "a.txt").string(), {'h', 'i'});
    const std::string cp932Path = fs_cp932::FromFileSystem(folder.Folder().string()) + "\\\x95\x5C\\a.txt";
    std::vector<std::uint8_t> data;
    std::string error;
    ASSERT_TRUE(fs_cp932::ReadWholeFile(cp932Path, data, error)) << error;
    EXPECT_EQ(data, (std::vector<std::uint8_t>{'h', 'i'}));
}

TEST(FileSystem, AtomicWriteReplacesOnlyWhenComplete)
{
    testsupport::TempDir folder;
    const std::string target = folder.File("scene.zlkx");
    testsupport::WriteBytes(target, {1, 2, 3});
    std::string error;
    const std::uint8_t fresh[] = {9, 8};
    ASSERT_TRUE(fs_cp932::WriteFileAtomically(target, fresh, 2, error)) << error;
    EXPECT_EQ(testsupport::ReadBytes(target), (std::vector<std::uint8_t>{9, 8}));
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Folder()), {}), 1);
}

// A file-size limit makes write() fail part way, as a full disk would, even for root.
TEST(FileSystem, WriteThatRunsOutOfSpaceKeepsTheOldFile)
{
    testsupport::TempDir folder;
    const std::string target = folder.File("scene.zlkx");
    const std::vector<std::uint8_t> old(64, 7);
    testsupport::WriteBytes(target, old);

    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::vector<std::uint8_t> big(4096, 1);
    std::string error;
    const bool written = fs_cp932::WriteFileAtomically(target, big.data(), big.size(), error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(testsupport::ReadBytes(target), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Folder()), {}), 1);
}

TEST(FileSystem, WriteIntoAMissingFolderFails)
{
    testsupport::TempDir folder;
    const std::string target = folder.File("missing/scene.zlkx");
    std::string error;
    const std::uint8_t fresh[] = {9};
    EXPECT_FALSE(fs_cp932::WriteFileAtomically(target, fresh, 1, error));
    EXPECT_FALSE(std::filesystem::exists(target));
}
