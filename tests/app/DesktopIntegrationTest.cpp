// The scene file type registered with the desktop below a scratch data folder, and where the
// help page is found.
#include "app/logic/DocumentTypeRegistration.h"
#include "app/logic/HelpFile.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using testsupport::ReadFile;
using testsupport::TempDir;
namespace fs = std::filesystem;

TEST(DocumentTypeRegistration, ExecLineQuotesThePathAsDesktopEntriesRequire)
{
    EXPECT_EQ(doctype::DesktopExecValue("/home/a b/kinemorphix"), "\"/home/a b/kinemorphix\" %f");
    // ", `, $ and \ are escaped inside the quotes, and the key file doubles the backslashes.
    EXPECT_EQ(doctype::DesktopExecValue("/x/$HOME\"q`\\/k"), "\"/x/\\\\$HOME\\\\\"q\\\\`\\\\\\\\/k\" %f");
    EXPECT_EQ(doctype::DesktopExecValue("/x/100%/k"), "\"/x/100%%/k\" %f");
    EXPECT_EQ(doctype::DesktopExecValue("/x/a\nb"), "");
    EXPECT_TRUE(doctype::RegistrationFiles("/x/a\nb").empty());
}

TEST(DocumentTypeRegistration, WritesTheFilesOnceAndRemovesExactlyThem)
{
    TempDir data;
    const std::string folder = data.Folder().string();
    data.Write("applications/other.desktop", "[Desktop Entry]\n");
    const char* const files[] = {"applications/kinemorphix.desktop", "mime/packages/kinemorphix.xml",
                                 "icons/hicolor/scalable/apps/kinemorphix.svg",
                                 "icons/hicolor/scalable/mimetypes/application-x-kinemorphix.svg"};

    doctype::Outcome outcome = doctype::Register(folder, "/opt/k m/kinemorphix");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_TRUE(outcome.changed);
    for (const char* file : files)
        EXPECT_TRUE(fs::is_regular_file(data.File(file))) << file;
    const std::string entry = ReadFile(data.File(files[0]));
    EXPECT_NE(entry.find("\nExec=\"/opt/k m/kinemorphix\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=application/x-kinemorphix;\n"), std::string::npos);
    EXPECT_NE(ReadFile(data.File(files[1])).find("<glob pattern=\"*.zlkx\"/>"), std::string::npos);

    // The next start finds everything in place; a moved program rewrites the entry.
    EXPECT_FALSE(doctype::Register(folder, "/opt/k m/kinemorphix").changed);
    EXPECT_TRUE(doctype::Register(folder, "/usr/bin/kinemorphix").changed);

    outcome = doctype::Unregister(folder);
    EXPECT_TRUE(outcome.ok && outcome.changed);
    for (const char* file : files)
        EXPECT_FALSE(fs::exists(data.File(file))) << file;
    EXPECT_TRUE(fs::exists(data.File("applications/other.desktop")));
    outcome = doctype::Unregister(folder);
    EXPECT_TRUE(outcome.ok && !outcome.changed);

    // A folder that cannot hold the files: reported by name, nothing else touched.
    TempDir blocked;
    blocked.Write("applications", "a file where the folder should be");
    outcome = doctype::Register(blocked.Folder().string(), "/usr/bin/kinemorphix");
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.error.find("applications/kinemorphix.desktop"), std::string::npos) << outcome.error;
    EXPECT_EQ(ReadFile(blocked.File("applications")), "a file where the folder should be");
}

// A FIFO nobody writes to where a registration file or its temporary goes would hold every
// start for ever: it is replaced at once by the file.
TEST(DocumentTypeRegistration, FifosInPlaceOfTheFilesAreReplaced)
{
    TempDir data;
    fs::create_directories(data.File("applications"));
    const std::string entry = data.File("applications/kinemorphix.desktop");
    ASSERT_EQ(::mkfifo(entry.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((entry + ".new").c_str(), 0600), 0);

    const doctype::Outcome outcome = doctype::Register(data.Folder().string(), "/usr/bin/kinemorphix");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_TRUE(fs::is_regular_file(entry));
    EXPECT_NE(ReadFile(entry).find("\nExec=\"/usr/bin/kinemorphix\" %f\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(entry + ".new"));
}

TEST(HelpFile, FoundBesideTheProgramOrInTheInstalledDataFolder)
{
    TempDir root;
    const std::string bin = root.Path() + "bin";
    fs::create_directories(bin + "/Kinemorphix.html");  // a folder is no help page
    EXPECT_FALSE(FindHelpFile(bin));
    root.Write("share/kinemorphix/Kinemorphix.html", "<html/>");
    EXPECT_EQ(FindHelpFile(bin), root.Path() + "share/kinemorphix/Kinemorphix.html");
    fs::remove(bin + "/Kinemorphix.html");
    root.Write("bin/Kinemorphix.html", "<html/>");
    EXPECT_EQ(FindHelpFile(bin), bin + "/Kinemorphix.html");
}

TEST(HelpFile, JapaneseWrapsBetweenCharactersButNotBeforeClosingNorAfterOpeningMarks)
{
    const struct {
        char32_t before, after;
        bool wraps;
    } rows[] = {
        {U'の', U'木', true},  {U'は', U'M', true},   {U'a', U'形', true},  {U'）', U'は', true},
        {U'a', U'b', false},   {U' ', U'形', false},  {U'形', U' ', false}, {U'ボ', U'ー', false},
        {U'木', U'、', false}, {U'ン', U'ッ', false}, {U'「', U'b', false}, {U'e', U'」', false},
        {U'値', U')', false},  {U'(', U'フ', false},  {U'す', U'。', false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(MayWrapBetween(row.before, row.after), row.wraps)
            << static_cast<unsigned>(row.before) << " " << static_cast<unsigned>(row.after);
}
