#include "export/ExportFile.h"

#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

namespace {

std::string ReadText(const std::string& path)
{
    const auto bytes = testsupport::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::size_t FileCount(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// Makes write() fail part way, as a full disk would (even for root), while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = m_saved;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    struct rlimit m_saved {};
    void (*m_handler)(int) = nullptr;
};

}  // namespace

TEST(ExportFile, WrittenFileReplacesTheOldOneOnlyWhenComplete)
{
    testsupport::TempDir folder;
    const std::string path = folder.File("out.js");
    testsupport::WriteBytes(path, {'o', 'l', 'd'});
    {
        ExportFile file(path);
        ASSERT_TRUE(file.IsOpen());
        file.Writer().Print("var %s = %f;\n", std::string("x"), 0.5);
        EXPECT_EQ(ReadText(path), "old");  // nothing replaced while writing
        const ExportResult result = file.Finish();
        EXPECT_TRUE(result.ok) << result.error;
    }
    EXPECT_EQ(ReadText(path), "var x = 0.500000;\r\n");
    EXPECT_EQ(FileCount(folder.Folder()), 1u);

    // An export given up half way (no Finish) leaves the old file and no temporary one.
    {
        ExportFile file(path);
        file.Writer().Print("half\n");
    }
    EXPECT_EQ(ReadText(path), "var x = 0.500000;\r\n");
    EXPECT_EQ(FileCount(folder.Folder()), 1u);
}

// A disk that fills up while the last buffered text is flushed: the export fails, the old
// file stays, and no warning speaks of a file that was not written. (Running out of space
// in the middle of an export: MqoExport.FullDeviceFailsAndKeepsTheOldFile.)
TEST(ExportFile, FullDeviceFailsAndKeepsTheOldFile)
{
    testsupport::TempDir folder;
    const std::string path = folder.File("scene.csv");
    testsupport::WriteBytes(path, {'o', 'l', 'd'});
    ExportResult result;
    CapturingMessageSink messages;
    {
        FileSizeLimit limit(4096);
        ExportFile file(path);
        ASSERT_TRUE(file.IsOpen());
        for (int i = 0; i < 1000; ++i)
            file.Writer().Print("V,%.4f,%.4f,%d\n", i * 0.5, -i * 0.25, i);
        file.NoteUnassignedVertices();
        result = file.Finish();
    }
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(FileCount(folder.Folder()), 1u);
}

TEST(ExportFile, UnwritablePlacesFailWithoutLeavingFiles)
{
    testsupport::TempDir folder;
    ExportFile missing(folder.File("missing/out.csv"));
    EXPECT_FALSE(missing.IsOpen());
    const ExportResult result = missing.Finish();
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));

    std::filesystem::create_directory(folder.Folder() / "dir.csv");
    ExportFile directory(folder.File("dir.csv"));
    EXPECT_FALSE(directory.IsOpen());
    EXPECT_FALSE(directory.Finish().ok);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Folder() / "dir.csv"));
    EXPECT_EQ(FileCount(folder.Folder()), 1u);
}

TEST(ExportFile, SymbolicLinkIsWrittenThrough)
{
    testsupport::TempDir folder;
    testsupport::WriteBytes(folder.File("real.kt"), {'o', 'l', 'd'});
    std::filesystem::create_symlink("real.kt", folder.Folder() / "link.kt");
    ExportFile file(folder.File("link.kt"));
    file.Writer().Print("new\n");
    ASSERT_TRUE(file.Finish().ok);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Folder() / "link.kt"));
    EXPECT_EQ(ReadText(folder.File("real.kt")), "new\r\n");
}

// The warning comes once, after the file is in place, however often it was noted; a failed
// export does not warn about a file that was never written.
TEST(ExportFile, UnassignedVertexWarningFollowsACompleteFile)
{
    testsupport::TempDir folder;
    const std::string path = folder.File("model.java");
    class CheckingSink : public IMessageSink {
    public:
        MessageResult Show(const std::string& text, MessageButtons buttons, MessageIcon) override
        {
            messages.push_back(text);
            fileWasThere = ReadText(path) == "complete\r\n";
            okOnly = buttons == MessageButtons::Ok;
            return MessageResult::Ok;
        }
        std::string path;
        std::vector<std::string> messages;
        bool fileWasThere = false;
        bool okOnly = false;
    } sink;
    sink.path = path;
    IMessageSink* previous = SetMessageSink(&sink);
    {
        ExportFile file(path);
        file.NoteUnassignedVertices();
        file.Writer().Print("complete\n");
        file.NoteUnassignedVertices();
        const ExportResult result = file.Finish();
        EXPECT_TRUE(result.ok);
        EXPECT_TRUE(result.unassignedVertices);
    }
    {
        ExportFile file(folder.File("missing/model.java"));
        file.NoteUnassignedVertices();
        EXPECT_FALSE(file.Finish().ok);
    }
    SetMessageSink(previous);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "ボーンに割り当てられていない頂点があります！");
    EXPECT_TRUE(sink.fileWasThere);
    EXPECT_TRUE(sink.okOnly);
}

// The file name without its last extension; a name that is only an extension has none.
TEST(ExportCommon, ClassNameComesFromTheOutputPath)
{
    EXPECT_EQ(ExportClassName("C:\\models.v2\\a.b.as"), "a.b");
    EXPECT_EQ(ExportClassName("/home/u/.as"), "Model");
}

TEST(ExportCommon, ConvertToUtf8)
{
    std::string out = "stale";
    EXPECT_FALSE(ConvertToUtf8(static_cast<const char*>(nullptr), out));
    EXPECT_EQ(out, "");
    out = "stale";
    EXPECT_FALSE(ConvertToUtf8("", out));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(ConvertToUtf8("//\x92\xB8\x93\x5F", out));  // //頂点
    EXPECT_EQ(out, "//\xE9\xA0\x82\xE7\x82\xB9");
    EXPECT_TRUE(ConvertToUtf8(std::string_view("ab\0cd", 5), out));
    EXPECT_EQ(out, "ab");
}

