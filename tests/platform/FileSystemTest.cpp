#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/ProcessSignals.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <barrier>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
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

// A file-size limit makes write() fail part way, as a full disk would, even for root; with
// the start-up's signal setting the program lives on to report it.
TEST(FileSystem, WriteThatRunsOutOfSpaceKeepsTheOldFile)
{
    testsupport::TempDir folder;
    const std::string target = folder.File("scene.zlkx");
    const std::vector<std::uint8_t> old(64, 7);
    testsupport::WriteBytes(target, old);

    IgnoreFileSizeSignal();
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::vector<std::uint8_t> big(4096, 1);
    std::string error;
    const bool written = fs_cp932::WriteFileAtomically(target, big.data(), big.size(), error);
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(written);
    EXPECT_EQ(error, std::strerror(EFBIG));
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

namespace {

std::vector<std::string> FolderNames(const testsupport::TempDir& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Folder()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A save killed after writing part of its temporary file.
void KilledSave(const std::string& target)
{
    const pid_t child = ::fork();
    if (child == 0) {
        static AtomicFile file;  // never destroyed: the process ends as if killed
        const bool ok = file.Open(target) && file.Write("partial", 7);
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace

// A name as long as the folder allows (255 bytes, here of three-byte characters) can be
// written; the temporary file's name never grows past that limit.
TEST(FileSystem, AtomicWriteOfTheLongestName)
{
    testsupport::TempDir folder;
    std::string name;
    for (int i = 0; i < 85; ++i)
        name += "\xE8\xA1\xA8";  // 表
    std::string error;
    const std::uint8_t fresh[] = {1, 2, 3};
    ASSERT_TRUE(fs_cp932::WriteFileAtomically(fs_cp932::FromFileSystem(folder.Path() + name), fresh, 3, error)) << error;
    EXPECT_EQ(FolderNames(folder), std::vector<std::string>{name});
}

// Leftovers of killed saves go with the next successful save of the same target; those of
// another target, one a writer still holds and one made a moment ago (whose writer may not
// have locked it yet) stay.
TEST(FileSystem, SuccessfulSaveRemovesItsOwnStaleTemporaries)
{
    testsupport::TempDir folder;
    const std::string target = folder.File("walk.zlkx");
    const std::string other = folder.File("walk.zlkx2");
    KilledSave(target);
    KilledSave(target);
    KilledSave(other);
    AtomicFile held;
    ASSERT_TRUE(held.Open(target));
    const auto minuteAgo = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1);
    for (const auto& entry : std::filesystem::directory_iterator(folder.Folder()))
        std::filesystem::last_write_time(entry.path(), minuteAgo);
    KilledSave(target);
    ASSERT_EQ(FolderNames(folder).size(), 5u);

    std::string error;
    const std::uint8_t fresh[] = {9};
    ASSERT_TRUE(fs_cp932::WriteFileAtomically(target, fresh, 1, error)) << error;
    const std::vector<std::string> names = FolderNames(folder);
    ASSERT_EQ(names.size(), 4u);  // the held and the young file, the other target's leftover, the target
    EXPECT_TRUE(names[0].starts_with(".walk.zlkx.kmx-")) << names[0];
    EXPECT_TRUE(names[1].starts_with(".walk.zlkx.kmx-")) << names[1];
    EXPECT_TRUE(names[2].starts_with(".walk.zlkx2.kmx-")) << names[2];
    EXPECT_EQ(names[3], "walk.zlkx");
    held.Discard();
    EXPECT_EQ(FolderNames(folder).size(), 3u);
}

// Four saves of one target at a time, 150 times over: every save succeeds, the target is
// always one writer's whole file and no temporary file is left beside it.
TEST(FileSystem, RacingSavesOfOneTargetAllSucceed)
{
    testsupport::TempDir folder;
    const std::string target = folder.File("race.zlkx");
    std::vector<std::vector<std::uint8_t>> contents;
    for (int w = 1; w <= 4; ++w)
        contents.emplace_back(1000 * w, static_cast<std::uint8_t>(w));
    std::atomic<int> failures = 0;
    int wholeFiles = 0;
    std::barrier round(4, [&]() noexcept {
        wholeFiles += static_cast<int>(std::ranges::count(contents, testsupport::ReadBytes(target)));
    });
    std::vector<std::jthread> writers;
    for (const std::vector<std::uint8_t>& bytes : contents)
        writers.emplace_back([&] {
            for (int i = 0; i < 150; ++i) {
                std::string error;
                failures += !fs_cp932::WriteFileAtomically(target, bytes.data(), bytes.size(), error);
                round.arrive_and_wait();
            }
        });
    writers.clear();  // waits for them
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(wholeFiles, 150);
    EXPECT_EQ(FolderNames(folder), std::vector<std::string>{"race.zlkx"});
}
