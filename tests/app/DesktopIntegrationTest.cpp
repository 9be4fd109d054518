// The scene file type registered with the desktop below a scratch data folder, and where the
// help page is found.
#include "app/logic/DocumentTypeRegistration.h"
#include "app/logic/EmbeddedResources.h"
#include "app/logic/HelpFile.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

using testsupport::ReadFile;
using testsupport::TempDir;
namespace fs = std::filesystem;

namespace {

const char* const kFiles[] = {
    "applications/kinemorphix.desktop",
    "mime/packages/kinemorphix.xml",
    "icons/hicolor/scalable/apps/kinemorphix.svg",
    "icons/hicolor/scalable/mimetypes/application-x-kinemorphix.svg",
};

// Sets an environment variable for the scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

}  // namespace

TEST(DocumentTypeRegistration, ExecLineQuotesThePathAsDesktopEntriesRequire)
{
    EXPECT_EQ(doctype::DesktopExecValue("/usr/bin/kinemorphix"), "\"/usr/bin/kinemorphix\" %f");
    EXPECT_EQ(doctype::DesktopExecValue("/home/a b/build/kinemorphix"), "\"/home/a b/build/kinemorphix\" %f");
    // ", `, $ and \ are escaped inside the quotes, and the key file doubles the backslashes.
    EXPECT_EQ(doctype::DesktopExecValue("/x/$HOME\"q`\\/k"), "\"/x/\\\\$HOME\\\\\"q\\\\`\\\\\\\\/k\" %f");
    EXPECT_EQ(doctype::DesktopExecValue("/x/100%/k"), "\"/x/100%%/k\" %f");
    EXPECT_EQ(doctype::DesktopExecValue("/x/\u65b0\u898f/k"), "\"/x/\u65b0\u898f/k\" %f");
    EXPECT_EQ(doctype::DesktopExecValue("/x/a\nb"), "");
    EXPECT_TRUE(doctype::RegistrationFiles("/x/a\nb").empty());
}

TEST(DocumentTypeRegistration, WritesTheFilesOnceAndRemovesExactlyThem)
{
    TempDir data;
    const std::string folder = data.Folder().string();
    data.Write("applications/other.desktop", "[Desktop Entry]\n");
    data.Write("mime/packages/other.xml", "<mime-info/>");

    doctype::Outcome outcome = doctype::Register(folder, "/opt/k m/kinemorphix");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_TRUE(outcome.changed);
    for (const char* file : kFiles)
        EXPECT_TRUE(fs::is_regular_file(data.File(file))) << file;
    const std::string entry = ReadFile(data.File(kFiles[0]));
    EXPECT_NE(entry.find("\nExec=\"/opt/k m/kinemorphix\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=application/x-kinemorphix;\n"), std::string::npos);
    EXPECT_EQ(entry.find("Exec=kinemorphix"), std::string::npos);
    const std::string mime = ReadFile(data.File(kFiles[1]));
    EXPECT_NE(mime.find("type=\"application/x-kinemorphix\""), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.zlkx\"/>"), std::string::npos);

    // The next start finds everything in place; a moved program rewrites the entry.
    EXPECT_FALSE(doctype::Register(folder, "/opt/k m/kinemorphix").changed);
    outcome = doctype::Register(folder, "/usr/local/bin/kinemorphix");
    EXPECT_TRUE(outcome.changed);
    EXPECT_NE(ReadFile(data.File(kFiles[0])).find("Exec=\"/usr/local/bin/kinemorphix\" %f"), std::string::npos);

    outcome = doctype::Unregister(folder);
    EXPECT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.changed);
    for (const char* file : kFiles)
        EXPECT_FALSE(fs::exists(data.File(file))) << file;
    EXPECT_TRUE(fs::exists(data.File("applications/other.desktop")));
    EXPECT_TRUE(fs::exists(data.File("mime/packages/other.xml")));
    outcome = doctype::Unregister(folder);
    EXPECT_TRUE(outcome.ok);
    EXPECT_FALSE(outcome.changed);
}

TEST(DocumentTypeRegistration, FolderThatCannotHoldTheFilesIsReportedByName)
{
    TempDir data;
    data.Write("applications", "a file where the folder should be");
    const doctype::Outcome outcome = doctype::Register(data.Folder().string(), "/usr/bin/kinemorphix");
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.error.find("applications/kinemorphix.desktop"), std::string::npos) << outcome.error;
    EXPECT_EQ(ReadFile(data.File("applications")), "a file where the folder should be");
}

TEST(DocumentTypeRegistration, DataFolderFollowsTheXdgRules)
{
    {
        ScopedEnv data("XDG_DATA_HOME", "/tmp/xdg-data");
        EXPECT_EQ(doctype::UserDataFolder(), "/tmp/xdg-data");
    }
    ScopedEnv home("HOME", "/home/user");
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        ScopedEnv data("XDG_DATA_HOME", ignored);
        EXPECT_EQ(doctype::UserDataFolder(), "/home/user/.local/share");
    }
}

TEST(HelpFile, FoundBesideTheProgramOrInTheInstalledDataFolder)
{
    TempDir root;
    const std::string bin = root.Path() + "bin";
    fs::create_directories(bin);
    EXPECT_FALSE(FindHelpFile(bin));
    const std::vector<std::string> places = HelpFileCandidates(bin);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[1], root.Path() + "share/kinemorphix/Kinemorphix.html");

    root.Write("share/kinemorphix/Kinemorphix.html", "<html/>");
    EXPECT_EQ(FindHelpFile(bin), places[1]);
    root.Write("bin/Kinemorphix.html", "<html/>");
    EXPECT_EQ(FindHelpFile(bin), bin + "/Kinemorphix.html");
    TempDir other;
    fs::create_directories(other.Path() + "bin/Kinemorphix.html");  // a folder is no help file
    EXPECT_FALSE(FindHelpFile(other.Path() + "bin"));
}
