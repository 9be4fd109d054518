// Starting with a profile that a disk fault or a hand edit damaged, and with a profile or data
// folder that cannot be made: the editor starts with what the profile still holds, tells the
// user once in Japanese, and the toolkit never asserts nor complains over a file's content.
#include "EditorTest.h"

#include "app/CKinemorphixApp.h"
#include "app/logic/ColorSettings.h"
#include "app/logic/CommandIds.h"
#include "app/logic/IProfile.h"
#include "app/logic/ProfileText.h"
#include "scene/CCentigrade.h"

#include <wx/colordlg.h>
#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include <sys/stat.h>

using testsupport::ReadFile;

namespace {

// What the toolkit logs while it lives: errors, warnings and messages, which it would show in
// English boxes.
class ToolkitComplaints : public wxLog {
public:
    ToolkitComplaints() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~ToolkitComplaints() override { wxLog::SetActiveTarget(m_previous); }
    std::string all;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Message)
            all += message.utf8_string() + "\n";
    }

private:
    wxLog* m_previous;
};

// The one message box, holding every part, with the program's own "OK".
class ExpectOneMessage : public wxExpectModalBase<wxMessageDialog, ExpectOneMessage> {
public:
    explicit ExpectOneMessage(std::vector<std::string> parts) : m_parts(std::move(parts)) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        const std::string text = dialog->GetMessage().utf8_string();
        for (const std::string& part : m_parts)
            EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
        EXPECT_EQ(dialog->GetOKLabel().utf8_string(), "OK");
        return wxID_OK;
    }

private:
    std::vector<std::string> m_parts;
};

std::string RandomBytes(std::mt19937& random, std::size_t count)
{
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes += static_cast<char>(random() & 0xFF);
    return bytes;
}

}  // namespace

class UserFoldersTest : public EditorTest {
protected:
    // Prepares the profile and the desktop registration below these homes, as a start does.
    void UseHomes(const std::string& config, const std::string& data)
    {
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        TheApp().PrepareUserFolders();
    }
    void Restart()
    {
        TheApp().CloseEditor();
        ASSERT_TRUE(WaitUntil([] { return TheApp().GetMainFrame() == nullptr; }));
        TheApp().PrepareUserFolders();
    }
    void TearDown() override
    {
        EditorTest::TearDown();
        if (!m_config.empty())
            UseHomes(m_config, m_data);
    }

    const char* const m_configHome = std::getenv("XDG_CONFIG_HOME");
    const std::string m_config = m_configHome ? m_configHome : "";
    const std::string m_data = m_configHome ? std::getenv("XDG_DATA_HOME") : "";
};

TEST_F(UserFoldersTest, DamagedProfileStartsWithTheColoursItStillHoldsAfterOneMessage)
{
    std::mt19937 random(11);
    const std::string colours = "[ProgramData]\nBoneColor=255\nLineColor=65280\n";
    const struct {
        const char* name;
        std::string bytes;
        bool told;  // lines were lost: the user hears of it, the file is kept beside
    } files[] = {
        {"no key", "[ProgramData]\nBoneColor=255\n=x\nLineColor=65280\n", true},
        {"random bytes", RandomBytes(random, 3000) + "\n" + colours + RandomBytes(random, 2000), true},
        // Nothing lost, but the toolkit alone would stop on the group given twice.
        {"a group twice", "[ProgramData]\nBoneColor=255\n[Recent File List]\n[ProgramData]\nLineColor=65280\n", false},
    };
    int n = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const std::string home = m_dir.Path() + "config" + std::to_string(++n);
        const std::string conf = m_dir.Write("config" + std::to_string(n) + "/kinemorphix/kinemorphix.conf", file.bytes);
        {
            ToolkitComplaints complaints;
            UseHomes(home, m_data);
            if (file.told) {
                wxTEST_DIALOG(StartEditor(), ExpectOneMessage({"一部が壊れていた", conf + ".bak"}));
            } else {
                StartEditor();
            }
            EXPECT_EQ(complaints.all, "");
        }
        EXPECT_EQ(std::tuple(g_scene.m_boneColor, g_scene.m_lineColor, g_scene.m_selectColor),
                  std::tuple(COLORREF{255}, COLORREF{65280}, COLORREF{0xD9BF4D}));
        if (file.told) {
            EXPECT_TRUE(ReadFile(conf + ".bak") == file.bytes);  // the bytes as they were
        }

        // The profile now holds what could be read: the next start says nothing, and a
        // colour chosen is kept with the rest.
        Restart();
        StartEditor();
        EXPECT_EQ(std::tuple(g_scene.m_boneColor, g_scene.m_lineColor), std::tuple(COLORREF{255}, COLORREF{65280}));
        EXPECT_TRUE(TheApp().Profile().WriteProfileInt(kProfileSection, "SelectColor", 0x123456));
        EXPECT_NE(ReadFile(conf).find("[ProgramData]\nBoneColor=255\nLineColor=65280\nSelectColor=1193046\n"),
                  std::string::npos)
            << ReadFile(conf);
        Restart();
    }
}

TEST_F(UserFoldersTest, FoldersThatCannotBeMadeGiveOneMessageAndTheColoursStayForTheRun)
{
    // Files where the two folders should be.
    const std::string config = m_dir.Write("config-file", "x"), data = m_dir.Write("data-file", "y");
    {
        ToolkitComplaints complaints;
        UseHomes(config, data);
        wxTEST_DIALOG(StartEditor(), ExpectOneMessage({"設定フォルダー「" + config + "/kinemorphix」を作れません",
                                                       "登録できませんでした", data}));
        EXPECT_EQ(complaints.all, "");
    }

    // A colour chosen is used for the run without another message (an unexpected box fails
    // the test); New reads it back.
    wxTEST_DIALOG(RunCommand(ID_COLOR_BONE), wxExpectDismissableModal<wxColourDialog>(wxID_OK));
    EXPECT_FALSE(TheApp().Profile().WriteProfileInt(kProfileSection, "SelectColor", 0x123456));
    PressKey('n', wxMOD_CONTROL);
    EXPECT_EQ(g_scene.m_selectColor, COLORREF{0x123456});
    EXPECT_EQ(ReadFile(config), "x");
    EXPECT_EQ(ReadFile(data), "y");
}

// Lines made of the characters the parser treats specially: what ReadProfileText keeps, the
// toolkit reads without an assertion (the test program fails on one) or a complaint, and
// writes back as it was read.
TEST_F(EditorTest, ProfileTextFromRandomLinesIsReadByTheToolkitWithoutAWordAndWrittenBackAsRead)
{
    std::mt19937 random(5);
    const std::string alphabet = "[]=\\\"/;#. !ab\t\xE6\x97\xA5\x80\r\n";
    for (int file = 0; file < 400; ++file) {
        std::string text;
        for (int c = std::uniform_int_distribution(0, 200)(random); c > 0; --c)
            text += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        SCOPED_TRACE(text);
        const ProfileReading reading = ReadProfileText({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        ToolkitComplaints complaints;
        wxMemoryInputStream in(reading.text.data(), reading.text.size());
        wxFileConfig config(in, wxConvUTF8);
        config.DisableAutoSave();
        wxMemoryOutputStream out;
        ASSERT_TRUE(config.Save(out, wxConvUTF8));
        std::string saved(out.GetLength(), '\0');
        out.CopyTo(saved.data(), saved.size());
        EXPECT_EQ(saved, reading.text);
        EXPECT_EQ(complaints.all, "");
    }
}

// A profile that cannot be read is never replaced: a FIFO stays a FIFO, whatever is chosen.
TEST_F(UserFoldersTest, ProfileThatCannotBeReadIsToldAndNeverWritten)
{
    const std::string home = m_dir.Path() + "config", conf = home + "/kinemorphix/kinemorphix.conf";
    std::filesystem::create_directories(home + "/kinemorphix");
    ASSERT_EQ(mkfifo(conf.c_str(), 0600), 0);
    UseHomes(home, m_data);
    wxTEST_DIALOG(StartEditor(), ExpectOneMessage({"「" + conf + "」を読めません（FIFO", "書き込みません"}));
    EXPECT_FALSE(TheApp().Profile().WriteProfileInt(kProfileSection, "BoneColor", 1));
    EXPECT_TRUE(std::filesystem::is_fifo(conf));
}
