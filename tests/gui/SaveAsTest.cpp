// Save As and overwrite export in the running editor: the save dialog answered through its
// seam, the options dialog clicked like a user does, the files checked by their readers.
#include "EditorTest.h"

#include "app/CDialogSave.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandTable.h"
#include "app/logic/SaveAsRules.h"
#include "consumers/ConsumerSupport.h"
#include "export/Exporters.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"

#include <wx/aui/auibar.h>
#include <wx/evtloop.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>

using testsupport::ReadBytes;

class SaveAsTest : public EditorTest {
protected:
    static void Click(wxWindow* window)
    {
        wxUIActionSimulator().MouseMove(window->GetScreenRect().GetPosition() + window->GetSize() / 2);
        Pump(50);
        wxUIActionSimulator().MouseClick();
        Pump(150);
    }
    static void Type(wxTextCtrl* edit, const char* text)
    {
        edit->SetFocus();
        edit->SelectAll();
        wxUIActionSimulator().Text(text);
        Pump(100);
    }

    // The options dialog shown for real: `use` works it, then OK is clicked unless `use`
    // closed it. Inside the key press's handling the running loop refuses to yield again:
    // events go through a loop of its own.
    class UseOptions : public wxExpectModalBase<CDialogSave, UseOptions> {
    public:
        explicit UseOptions(std::function<void(CDialogSave&)> use = {}) : m_use(std::move(use)) {}

    protected:
        int OnInvoked(CDialogSave* dialog) const override
        {
            wxEventLoop loop;
            wxEventLoopActivator activate(&loop);
            int closedBy = wxID_NONE;  // a dialog shown without ShowModal keeps no return code
            dialog->Bind(wxEVT_BUTTON, [&](wxCommandEvent& event) { closedBy = event.GetId(), event.Skip(); });
            dialog->Show();
            Pump(100);
            if (m_use)
                m_use(*dialog);
            if (dialog->IsShown())
                Click(dialog->FindWindow(wxID_OK));
            EXPECT_TRUE(WaitUntil([&] { return !dialog->IsShown(); }));
            return closedBy;
        }
        std::function<void(CDialogSave&)> m_use;
    };

    bool OverwriteExportEnabled()
    {
        Pump(200);
        return Frame().m_mainToolBar->GetToolEnabled(WindowIdOf(ID_FILE_OVERWRITE_EXPORT));
    }

    // Each export type of the range through both dialogs, then overwrite export.
    void ExportTypes(int first, int last)
    {
        StartEditor();
        g_scene.DeleteTextures();
        g_scene = consumers::RiggedFigure(5);
        Doc().UpdateAllViews(HintDocumentLoaded);
        const char* const formats[] = {"", "", "", "as2", "as3", "dae", "java", "webgl", "stage3d", "java", "objc",
                                       "fbx", "kotlin", "csv", "webgpu"};  // by type
        std::string file;
        for (const ExporterInfo& exporter : Exporters()) {
            if (!exporter.function || exporter.type < first || exporter.type > last)
                continue;
            file = m_dir.File("Figure" + std::to_string(exporter.type) + "." + rules::TypeExtension(exporter.type));
            m_chooser.Answer(file, exporter.type);
            // The greyed choices follow the type; Stage3D's dialog first gets a scale that is
            // no number, refused with a message while the dialog stays.
            wxTEST_DIALOG(PressKey('a', wxMOD_CONTROL), UseOptions([&](CDialogSave& dialog) {
                              EXPECT_EQ(dialog.FormRadio(0)->IsEnabled(), exporter.restriction < 1);
                              EXPECT_EQ(dialog.FormRadio(1)->IsEnabled(), exporter.restriction < 2);
                              EXPECT_EQ(dialog.FlashRadio(1)->IsEnabled(), exporter.flashOptions);
                              if (exporter.restriction < 2 && exporter.type != ExportTypeFbx)
                                  Click(dialog.FormRadio(1));  // bones with baked matrices
                              if (exporter.type != ExportTypeStage3D)
                                  return;
                              Type(dialog.ScaleEdit(), "abc");
                              Click(dialog.FindWindow(wxID_OK));
                              Type(dialog.ScaleEdit(), "2");
                              Click(dialog.FlashRadio(1));
                              SaveWindowPng(ShotPath("save_options_stage3d"));
                          }),
                          wxExpectModal<wxMessageDialog>(wxOK).Optional());
            CCentigrade reread;  // the bone export reads back as a model
            if (exporter.type == ExportTypeBoneAnimation)
                EXPECT_TRUE(reread.ImportMqo(file) && reread.m_models.size() == 1);
            else
                EXPECT_CONSUMER_ACCEPTS(formats[exporter.type], file, "");
        }
        EXPECT_EQ(Doc().m_exportScale, first <= ExportTypeStage3D && ExportTypeStage3D <= last ? 2.0f : 1.0f);
        const std::vector<std::uint8_t> written = ReadBytes(file);
        std::filesystem::remove(file);
        ClickTool(*Frame().m_mainToolBar, ID_FILE_OVERWRITE_EXPORT);
        EXPECT_EQ(ReadBytes(file).size(), written.size());  // COLLADA stamps the time
    }
};

TEST_F(SaveAsTest, BoneAnimationToColladaAreWrittenAndAccepted) { ExportTypes(2, 5); }
TEST_F(SaveAsTest, VantaForm3DToLumaFold3DAreWrittenAndAccepted) { ExportTypes(6, 9); }
TEST_F(SaveAsTest, ObjectiveCToWebGPUAreWrittenAndAccepted) { ExportTypes(10, 14); }

TEST_F(SaveAsTest, SceneSavedUnderATypedNameReopensIdentical)
{
    const std::string model = m_dir.File("figure.mqo");
    std::filesystem::copy_file(ModelPath(), model);
    StartEditor({model});
    m_chooser.Answer(m_dir.File("figure"), ExportTypeScene);  // the typed name gets ".zlkx"
    PressKey('a', wxMOD_CONTROL);
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "figure.zlkx - Zelvo Kinemorphix 3.9");
    EXPECT_FALSE(Doc().IsModified());

    // Reopened, saved under another name and reopened: the same bytes each time.
    m_chooser.Answer(m_dir.File("figure.zlkx"));
    PressKey('o', wxMOD_CONTROL);
    const std::vector<std::uint8_t> opened = scenefile::WriteSceneBytes();
    const std::string copy = m_dir.File("copy.zlkx");
    m_chooser.Answer(copy, ExportTypeScene);
    PressKey('a', wxMOD_CONTROL);
    std::filesystem::remove(copy);
    ASSERT_TRUE(OverwriteExportEnabled());
    ClickTool(*Frame().m_mainToolBar, ID_FILE_OVERWRITE_EXPORT);
    EXPECT_EQ(ReadBytes(copy), opened);
    m_chooser.Answer(copy);
    PressKey('o', wxMOD_CONTROL);
    EXPECT_EQ(scenefile::WriteSceneBytes(), opened);
    EXPECT_FALSE(OverwriteExportEnabled());
}
