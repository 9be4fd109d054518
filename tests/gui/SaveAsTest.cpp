// Save As and overwrite export in the running editor: the save dialog answered through its
// seam, the options dialog clicked like a user does, the files checked by their readers.
#include "EditorTest.h"

#include "app/CDialogSave.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/logic/CommandIds.h"
#include "app/logic/SaveAsRules.h"
#include "consumers/ConsumerSupport.h"
#include "export/Exporters.h"
#include "scene/Globals.h"

#include <wx/aui/auibar.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <filesystem>

using testsupport::ReadBytes;

class SaveAsTest : public EditorTest {
protected:
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
            wxTEST_DIALOG(PressKey('a', wxMOD_CONTROL), DialogSession<CDialogSave>([&](CDialogSave& dialog) {
                              EXPECT_EQ(dialog.FormRadio(0)->IsEnabled(), exporter.restriction < 1);
                              EXPECT_EQ(dialog.FormRadio(1)->IsEnabled(), exporter.restriction < 2);
                              EXPECT_EQ(dialog.FlashRadio(1)->IsEnabled(), exporter.flashOptions);
                              if (exporter.restriction < 2 && exporter.type != ExportTypeFbx)
                                  ClickCentre(*dialog.FormRadio(1));  // bones with baked matrices
                              if (exporter.type != ExportTypeStage3D)
                                  return;
                              const auto typeScale = [&](const char* text) {
                                  dialog.ScaleEdit()->SetFocus();
                                  dialog.ScaleEdit()->SelectAll();
                                  TypeText(text);
                              };
                              typeScale("abc");
                              ClickCentre(*dialog.FindWindow(wxID_OK));
                              typeScale("2");
                              ClickCentre(*dialog.FlashRadio(1));
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
