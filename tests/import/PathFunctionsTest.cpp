#include "import/PathFunctions.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct Names {
    std::string extension, name, base, mqo;
    int nameResult, baseResult;
};

Names Take(const std::string& path)
{
    Names n{"<untouched>", "<untouched>", "<untouched>", "", 0, 0};
    EXPECT_EQ(GetFileExtension(n.extension, path), 1);
    n.nameResult = GetFileName(n.name, path);
    n.baseResult = GetFileBaseName(n.base, path);
    EXPECT_EQ(MakeMqoPath(n.mqo, path), 1);
    return n;
}

}  // namespace

TEST(PathFunctions, NamesOfOrdinaryPaths)
{
    struct Row {
        const char* path;
        const char* extension;
        const char* name;
        const char* base;
        const char* mqo;
    };
    const Row rows[] = {
        {"C:\\data\\robot.hi.mqo", "mqo", "robot.hi.mqo", "robot.hi", "C:\\data\\robot.hi.mqo"},
        {"C:\\data\\robot", "", "robot", "robot", "C:\\data\\robot.mqo"},
        {"C:\\a.b\\c", "", "c", "c", "C:\\a.b\\c.mqo"},
        {"/home/u/walk.ZLKX", "ZLKX", "walk.ZLKX", "walk", "/home/u/walk.mqo"},
        {"models/a.b/c.d", "d", "c.d", "c", "models/a.b/c.mqo"},
        {"scene.zlkx", "zlkx", "scene.zlkx", "scene", "scene.mqo"},
        {"mixed\\dir/file.x", "x", "file.x", "file", "mixed\\dir/file.mqo"},
    };
    for (const Row& r : rows) {
        const Names n = Take(r.path);
        EXPECT_EQ(n.extension, r.extension) << r.path;
        EXPECT_EQ(n.nameResult, 1) << r.path;
        EXPECT_EQ(n.name, r.name) << r.path;
        EXPECT_EQ(n.baseResult, 1) << r.path;
        EXPECT_EQ(n.base, r.base) << r.path;
        EXPECT_EQ(n.mqo, r.mqo) << r.path;
    }
}

TEST(PathFunctions, EmptyResultsLeaveTheOutputAlone)
{
    for (const char* path : {"C:\\data\\", "data/", ""}) {
        const Names n = Take(path);
        EXPECT_EQ(n.nameResult, 0) << path;
        EXPECT_EQ(n.name, "<untouched>") << path;
        EXPECT_EQ(n.baseResult, 0) << path;
        EXPECT_EQ(n.base, "<untouched>") << path;
    }
    // A file name that is only an extension has a name but no base name.
    const Names dotOnly = Take("C:\\data\\.mqo");
    EXPECT_EQ(dotOnly.name, ".mqo");
    EXPECT_EQ(dotOnly.baseResult, 0);
    EXPECT_EQ(dotOnly.extension, "mqo");
}

TEST(PathFunctions, DoubleByteTrailBytesAreNotSeparatorsOrDots)
{
    // ソ = 83 5C, 表 = 95 5C; a '.' or '/' right after a lead byte belongs to that character.
    const std::string folder = "C:\\\x83\x5C\\";
    const std::string file = "\x95\x5C\xE0\x2E\xE0\x2F";
    const Names n = Take(folder + file + ".mqo");
    EXPECT_EQ(n.extension, "mqo");
    EXPECT_EQ(n.name, file + ".mqo");
    EXPECT_EQ(n.base, file);
    const Names noDot = Take(folder + file);
    EXPECT_EQ(noDot.extension, "");
    EXPECT_EQ(noDot.name, file);
    EXPECT_EQ(noDot.mqo, folder + file + ".mqo");
}

TEST(PathFunctions, LongPathsHaveNoLimit)
{
    const std::string longFolder(3000, 'f');
    const Names n = Take(longFolder + "\\" + std::string(500, 'n') + ".zlkx");
    EXPECT_EQ(n.base, std::string(500, 'n'));
    EXPECT_EQ(n.extension, "zlkx");
}

TEST(PathFunctions, ModuleFolderIsTheTestProgramsFolder)
{
    const std::string& folder = GetModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(&folder, &g_moduleFolder);
    char self[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    EXPECT_EQ(std::string(self).rfind(folder, 0), 0u);
}

TEST(PathFunctions, ChangeDirectoryToFileFolder)
{
    testsupport::TempDir temp;
    std::filesystem::create_directory(temp.Folder() / "\xE8\xA1\xA8");  // 表
    const std::string before = std::filesystem::current_path().string();

    const std::string folderCp932 = temp.Folder().string() + "/\x95\x5C\\";
    EXPECT_NE(ChangeDirectoryToFileFolder(folderCp932 + "model.mqo"), 0);
    EXPECT_EQ(g_fileFolder, folderCp932);
    EXPECT_EQ(std::filesystem::current_path(), temp.Folder() / "\xE8\xA1\xA8");

    // No folder in the path, or a folder that does not exist: the current folder stays.
    EXPECT_EQ(ChangeDirectoryToFileFolder("model.mqo"), 0);
    EXPECT_EQ(ChangeDirectoryToFileFolder("C:\\data\\model.mqo"), 0);
    EXPECT_EQ(g_fileFolder, "C:\\data\\");
    EXPECT_EQ(std::filesystem::current_path(), temp.Folder() / "\xE8\xA1\xA8");
    std::filesystem::current_path(before);
}
