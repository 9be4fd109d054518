// Opening and saving through the real window: keys, toolbar buttons, file dialogs, message
// boxes and dropped files.
#include "EditorTest.h"

#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CSliderView.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"

#include <wx/dnd.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <filesystem>

using testsupport::ReadBytes;

TEST_F(EditorTest, OpenModelSaveSceneReopenAndSaveAgainByteForByte)
{
    StartEditor();
    const std::string model = m_dir.File("figure.mqo");
    std::filesystem::copy_file(ModelPath(), model);

    // Ctrl+O with a model: an untitled, modified scene.
    m_chooser.Answer(model);
    PressKey('o', wxMOD_CONTROL);
    ASSERT_EQ(m_chooser.m_requests.size(), 1u);
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_modelPath, "figure.mqo");
    EXPECT_TRUE(Doc().IsModified());
    for (int v = 0; v < 30; ++v)
        g_scene.m_models[0].m_vertices[v].m_boneIndex = v % 6;

    // The scene file (Save As is not built yet: written through the document), then opened
    // with the toolbar's Open button.
    const std::string scene = m_dir.File("figure.zlkx");
    ASSERT_TRUE(Doc().OnSaveDocument(scene));
    g_scene.m_models[0].m_vertices[7].m_boneIndex = 5;  // a change after the save, then discarded
    Doc().SetModifiedFlag();
    m_chooser.Answer(scene);
    wxTEST_DIALOG(ClickTool(*Frame().m_mainToolBar, ID_FILE_OPEN), wxExpectModal<wxMessageDialog>(wxNO));
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "figure.zlkx - Zelvo Kinemorphix 3.9");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(g_scene.m_models[0].m_vertices[7].m_boneIndex, 1);

    // Ctrl+S writes the scene file again; reopened and saved once more, the same bytes.
    const std::vector<std::uint8_t> opened = scenefile::WriteSceneBytes();
    std::filesystem::remove(scene);
    PressKey('s', wxMOD_CONTROL);
    const std::vector<std::uint8_t> saved = ReadBytes(scene);
    EXPECT_EQ(saved, opened);
    m_chooser.Answer(scene);
    PressKey('o', wxMOD_CONTROL);
    EXPECT_EQ(m_chooser.m_requests.size(), 3u);
    PressKey('s', wxMOD_CONTROL);
    EXPECT_EQ(ReadBytes(scene), saved);
}

TEST_F(EditorTest, NewAsksToSaveChangesAndDroppedFilesOpen)
{
    StartEditor({ModelPath()});
    ASSERT_TRUE(Doc().IsModified());

    // Ctrl+N on a changed document: Cancel keeps it, No discards it.
    wxTEST_DIALOG(PressKey('n', wxMOD_CONTROL), wxExpectModal<wxMessageDialog>(wxCANCEL));
    EXPECT_EQ(g_scene.m_models.size(), 1u);
    wxTEST_DIALOG(PressKey('n', wxMOD_CONTROL), wxExpectModal<wxMessageDialog>(wxNO));
    EXPECT_TRUE(g_scene.m_models.empty());
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "無題 - Zelvo Kinemorphix 3.9");

    // A file dropped on the timeline pane opens through the framework's road.
    wxArrayString files;
    files.Add(wxString::FromUTF8(CorpusPath("nutti+blender-mqo/simple.mqo")));
    auto* target = dynamic_cast<wxFileDropTarget*>(Frame().m_sliderView->GetDropTarget());
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->OnDropFiles(10, 10, files));
    ASSERT_TRUE(WaitUntil([] { return !g_scene.m_models.empty(); }));
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "simple.mqo - Zelvo Kinemorphix 3.9");

    // Closing the window asks too; Cancel keeps it open.
    Doc().SetModifiedFlag();
    wxTEST_DIALOG(Frame().Close(), wxExpectModal<wxMessageDialog>(wxCANCEL));
    Pump(100);
    EXPECT_TRUE(Frame().IsShown());
}

TEST_F(EditorTest, AcceleratorsFireOnceAndNeverForAGreyedCommand)
{
    StartEditor();
    int undo = 0;
    bool enabled = true;
    const CommandEntry registered = CCommandRegistry::Instance().Find(ID_EDIT_UNDO);
    CCommandRegistry::Instance().Add(ID_EDIT_UNDO, [&] { ++undo; }, [&] { return EnabledIf(enabled); });
    Pump(100);

    PressKey('z', wxMOD_CONTROL);  // shown on the menu item
    EXPECT_EQ(undo, 1);
    PressKey(WXK_BACK, wxMOD_ALT);  // the second accelerator, from the accelerator table
    EXPECT_EQ(undo, 2);
    enabled = false;
    Pump(100);
    PressKey('z', wxMOD_CONTROL);
    PressKey(WXK_BACK, wxMOD_ALT);
    EXPECT_EQ(undo, 2);
    CCommandRegistry::Instance().Add(ID_EDIT_UNDO, registered);
}
