// The application's own commands and the sample scene in the running editor: the About box,
// the help page, the desktop registration, the sample opened from the command line or dropped,
// and the whole window drawn with a model.
#include "EditorTest.h"
#include "EditorTestHelpers.h"

#include "app/CAboutDlg.h"
#include "app/CHierarchyView.h"
#include "app/CKinemorphixDoc.h"
#include "app/CSliderView.h"
#include "app/logic/CommandIds.h"
#include "app/logic/IProfile.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <wx/aui/auibar.h>
#include <wx/button.h>
#include <wx/dnd.h>
#include <wx/image.h>
#include <wx/stattext.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The About box: its caption, version line and OK button.
class ExpectAbout : public wxExpectModalBase<CAboutDlg, ExpectAbout> {
protected:
    int OnInvoked(CAboutDlg* dialog) const override
    {
        EXPECT_EQ(dialog->GetTitle().utf8_string(), "バージョン情報 Kinemorphix");
        bool version = false;
        for (wxWindow* child : dialog->GetChildren())
            if (auto* text = wxDynamicCast(child, wxStaticText))
                version |= text->GetLabel() == "Zelvo Kinemorphix Version 3.9";
        EXPECT_TRUE(version);
        EXPECT_NE(wxDynamicCast(dialog->FindWindow(wxID_OK), wxButton), nullptr);
        return wxID_OK;
    }
};

std::string DataFile(const std::string& relative)
{
    const char* data = std::getenv("XDG_DATA_HOME");
    return std::string(data ? data : "") + "/" + relative;
}

}  // namespace

TEST_F(EditorTest, AboutHelpAndTheRemovalOfTheDesktopRegistration)
{
    StartEditor();
    wxTEST_DIALOG(PressKey('q', wxMOD_ALT), ExpectAbout());
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

TEST_F(EditorTest, SampleSceneOpensBoundAndItsAnimationMoves)
{
    StartEditor({SamplePath()});
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "figure.zlkx - Zelvo Kinemorphix 3.9");
    EXPECT_FALSE(Doc().IsModified());
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_bones.size(), 7u);
    EXPECT_EQ(g_scene.m_animationNames, std::vector<std::string>{"walk"});
    for (const CVector& vertex : g_scene.m_models[0].m_vertices)
        EXPECT_GE(vertex.m_boneIndex, 0);
    int bonesWithVertices = 0;
    for (const CBone& bone : g_scene.m_bones)
        bonesWithVertices += !bone.m_boundVertices.empty();
    EXPECT_EQ(bonesWithVertices, 7);
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
    for (std::size_t i = 0; i < rest.rgb.size(); i += 3)
        changed += rest.rgb[i] != stepping.rgb[i] || rest.rgb[i + 1] != stepping.rgb[i + 1];
    EXPECT_GT(changed, 200);
}

TEST_F(EditorTest, SceneDroppedOnTheWindowOpensAfterTheSaveQuestion)
{
    StartEditor({CorpusPath("nutti+blender-mqo/simple.mqo")});
    ASSERT_TRUE(Doc().IsModified());
    wxArrayString files;
    files.Add(wxString::FromUTF8(SamplePath()));
    auto* target = dynamic_cast<wxFileDropTarget*>(Frame().GetDropTarget());
    ASSERT_NE(target, nullptr);
    // The file opens once the drop is over, asking first about the changed model.
    EXPECT_TRUE(target->OnDropFiles(20, 20, files));
    wxTEST_DIALOG(EXPECT_TRUE(WaitUntil([] { return g_scene.m_bones.size() == 7; })),
                  wxExpectModal<wxMessageDialog>(wxNO));
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "figure.zlkx - Zelvo Kinemorphix 3.9");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(g_scene.m_models[0].m_vertices[8].m_boneIndex, g_scene.m_models[0].m_vertices[15].m_boneIndex);
    EXPECT_GE(g_scene.m_models[0].m_vertices[8].m_boneIndex, 0);
}

TEST_F(EditorTest, WindowWithACorpusModelShowsTheModelPanesAndBars)
{
    StartEditor({CorpusPath("garlic-flavor+mqo_loader/shodai_dsan.mqo")});
    const std::string shot = ShotPath("editor_corpus_window");
    ASSERT_TRUE(SaveWindowPng(shot));
    wxImage image;
    ASSERT_TRUE(image.LoadFile(wxString::FromUTF8(shot), wxBITMAP_TYPE_PNG));
    const wxPoint origin = Frame().GetScreenPosition();

    // Counts the pixels of a window's area in the screenshot that pass a test.
    const auto count = [&](wxWindow& window, auto test) {
        const wxRect area(window.GetScreenPosition() - origin, window.GetSize());
        int n = 0;
        for (int y = area.y; y < area.GetBottom() && y < image.GetHeight(); ++y)
            for (int x = area.x; x < area.GetRight() && x < image.GetWidth(); ++x)
                n += test(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
        return std::pair(n, area.width * area.height);
    };
    const COLORREF bg = g_scene.m_backgroundColor, line = g_scene.m_lineColor;
    const auto [background, viewArea] = count(*Frame().m_sceneView, [&](int r, int g, int b) {
        return r == RedOf(bg) && g == GreenOf(bg) && b == BlueOf(bg);
    });
    const auto [edges, ignored] = count(*Frame().m_sceneView, [&](int r, int g, int b) {
        return r == RedOf(line) && g == GreenOf(line) && b == BlueOf(line);
    });
    EXPECT_GT(background, viewArea / 4);
    EXPECT_GT(edges, viewArea / 500) << "the model's edges";
    // The left panes are drawn in the light colours of their lists, not left black.
    for (wxWindow* pane : {static_cast<wxWindow*>(Frame().m_hierarchyView), static_cast<wxWindow*>(Frame().m_sliderView)}) {
        const auto [light, area] = count(*pane, [](int r, int g, int b) { return r + g + b > 600; });
        EXPECT_GT(light, area / 2);
    }
    // The toolbars show their coloured icons (the blue of save, undo and redo).
    const auto [blue, barArea] = count(*Frame().m_mainToolBar, [](int r, int, int b) { return b > r + 80; });
    EXPECT_GT(blue, 40);
}
