// The application's own commands and the sample scene in the running editor: the About box,
// the help page, the desktop registration and the sample dropped on the window.
#include "EditorTest.h"
#include "EditorTestHelpers.h"

#include "app/CAboutDlg.h"
#include "app/CKinemorphixDoc.h"
#include "app/CSliderView.h"
#include "app/logic/CommandIds.h"
#include "app/logic/IProfile.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <wx/dnd.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::string DataFile(const std::string& relative)
{
    const char* data = std::getenv("XDG_DATA_HOME");
    return std::string(data ? data : "") + "/" + relative;
}

}  // namespace

TEST_F(EditorTest, AboutHelpAndTheRemovalOfTheDesktopRegistration)
{
    StartEditor();
    wxTEST_DIALOG(PressKey('q', wxMOD_ALT), wxExpectDismissableModal<CAboutDlg>(wxID_OK));
    // The tests' program has no help page beside it: the message names the file.
    wxTEST_DIALOG(PressKey('i', wxMOD_ALT), ExpectMessage("Kinemorphix.html"));

    // Registered at start-up below the data folder; removed by the command, colours kept.
    const std::string files[] = {DataFile("applications/kinemorphix.desktop"),
                                 DataFile("mime/packages/kinemorphix.xml")};
    for (const std::string& file : files)
        ASSERT_TRUE(std::filesystem::exists(file)) << file;
    TheApp().Profile().WriteProfileInt("ProgramData", "BoneColor", 0x123456);
    wxTEST_DIALOG(RunCommand(ID_SETTINGS_DELETE_REGISTRY), ExpectMessage("レジストリ情報を削除しました！"));
    for (const std::string& file : files)
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
    EXPECT_EQ(TheApp().Profile().GetProfileInt("ProgramData", "BoneColor", 0), 0x123456);
    TheApp().Profile().WriteProfileInt("ProgramData", "BoneColor", 0x00FFFF);

    // The next start registers the type again.
    EXPECT_TRUE(TheApp().RegisterShellFileTypes());
    for (const std::string& file : files)
        EXPECT_TRUE(std::filesystem::exists(file)) << file;
}

TEST_F(EditorTest, SampleSceneDroppedOnTheWindowOpensBoundAndItsAnimationMoves)
{
    StartEditor({CorpusPath("nutti+blender-mqo/simple.mqo")});
    ASSERT_TRUE(Doc().IsModified());
    wxArrayString files;
    files.Add(wxString::FromUTF8(SamplePath()));
    auto* target = dynamic_cast<wxFileDropTarget*>(Frame().GetDropTarget());
    ASSERT_NE(target, nullptr);
    // The file opens once the drop is over, asking first about the changed model.
    EXPECT_TRUE(target->OnDropFiles(20, 20, files));
    wxTEST_DIALOG(ASSERT_TRUE(WaitUntil([] { return g_scene.m_bones.size() == 7; })),
                  wxExpectModal<wxMessageDialog>(wxNO));
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "figure.zlkx - Zelvo Kinemorphix 3.9");
    EXPECT_FALSE(Doc().IsModified());
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_animationNames, std::vector<std::string>{"walk"});
    for (const CVector& vertex : g_scene.m_models[0].m_vertices)
        EXPECT_GE(vertex.m_boneIndex, 0);
    for (const CBone& bone : g_scene.m_bones)
        EXPECT_FALSE(bone.m_boundVertices.empty()) << bone.m_name;
    ASSERT_EQ(g_scene.m_materials.size(), 2u);
    EXPECT_NE(g_scene.m_materials[0].m_image, nullptr) << "figure.png beside the scene";

    // Between the keys the figure stands differently.
    const CapturedFrame rest = CaptureView();
    g_currentFrame = 25;
    Frame().m_sceneView->InvalidateView();
    const CapturedFrame stepping = CaptureView();
    g_currentFrame = 0;
    ASSERT_EQ(rest.rgb.size(), stepping.rgb.size());
    int changed = 0;
    for (std::size_t i = 0; i < rest.rgb.size(); ++i)
        changed += rest.rgb[i] != stepping.rgb[i];
    EXPECT_GT(changed, 600);
}
