// Starting the editor, opening, saving and exporting through the real window (keys, toolbar
// buttons, file dialogs, our own dialogs clicked like a user does, message boxes, dropped
// files; exports checked by their readers), and the application's own commands.
#include "EditorTest.h"

#include "app/CAboutDlg.h"
#include "app/CDialogSave.h"
#include "app/CFrameRuler.h"
#include "app/CHierarchyView.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CSliderView.h"
#include "app/CSmartSplitterWnd.h"
#include "app/CWxMessageSink.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "app/logic/CommandTable.h"
#include "app/logic/IProfile.h"
#include "app/logic/SaveAsRules.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "consumers/ConsumerSupport.h"
#include "export/Exporters.h"
#include "scene/SceneFile.h"

#include <wx/aui/auibar.h>
#include <wx/dnd.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <filesystem>

using testsupport::ReadBytes;

namespace {
const char* const kSaveChanges = "への変更を保存しますか?";
}  // namespace

// Nothing on a menu, toolbar or accelerator is dead.
TEST(CommandHandlers, EveryCommandHasAHandler)
{
    std::string names;
    for (int id : CCommandRegistry::Instance().CommandsWithoutHandler())
        names += std::string(" ") + FindCommand(id)->name;
    EXPECT_TRUE(names.empty()) << "without handler:" << names;
}

TEST_F(EditorTest, StartsUntitledWithFivePanesMenusAndBars)
{
    StartEditor();
    CMainFrame& frame = Frame();
    EXPECT_EQ(frame.GetTitle().utf8_string(), "無題 - Zelvo Kinemorphix 3.9");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(frame.m_mainSplitter->PaneExtent(0), 200);
    EXPECT_EQ(frame.m_rightSplitter->GetSashSize(), 5);

    // The 3D view has the height the bars leave less 170 pixels; the three left panes share the
    // height they were made with. After a resize too; but a frame too low keeps the rows it had.
    const auto panes = [&] { return frame.m_mainSplitter->GetSize().y; };
    EXPECT_EQ(frame.m_rightSplitter->PaneExtent(0), panes() - 170);
    EXPECT_NEAR(frame.m_leftSplitter->PaneExtent(0), frame.m_leftSplitter->PaneExtent(1), 1);
    frame.SetClientSize(900, 640);
    Pump(300);
    EXPECT_EQ(frame.m_rightSplitter->PaneExtent(0), panes() - 170);
    const int viewHeight = frame.m_rightSplitter->PaneExtent(0);
    frame.SetClientSize(900, 150);
    Pump(300);
    EXPECT_LE(frame.m_rightSplitter->PaneExtent(0), viewHeight);
    EXPECT_NE(frame.m_rightSplitter->PaneExtent(0), panes() - 170);

    // In a small window the toolbars take two rows; still the timeline form keeps its controls
    // (the 5-pixel bar above it) and the three lists keep a share of the column.
    CSliderView& timeline = *frame.m_sliderView;
    for (const wxSize& size : {wxSize(800, 600), wxSize(1280, 800)}) {
        frame.SetSize(size);
        Pump(300);
        const bool twoRows = size.x == 800;
        EXPECT_EQ(frame.m_controlToolBar->GetScreenPosition().y > frame.m_mainToolBar->GetScreenPosition().y, twoRows);
        EXPECT_EQ(frame.m_rightSplitter->PaneExtent(0), panes() - 170);
        EXPECT_EQ(frame.m_rightSplitter->PaneExtent(1), 165);
        for (wxWindow* control : std::initializer_list<wxWindow*>{timeline.LastFrameEdit(), timeline.FrameRuler()})
            EXPECT_LE(control->GetRect().GetBottom(), timeline.GetClientSize().y) << size.x;
        for (int row = 0; row < 3; ++row)
            EXPECT_GT(frame.m_leftSplitter->PaneExtent(row), 80) << size.x << " row " << row;
        SaveWindowPng(ShotPath("main_window_" + std::to_string(size.x)));
    }

    // Menus from the table, with the accelerator shown and the mnemonic kept, and the update
    // rules applied to them.
    wxMenuBar* bar = frame.GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 7u);
    const wxMenuItem* open = bar->FindItem(WindowIdOf(ID_FILE_OPEN));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->GetItemLabel().utf8_string(), "開く...(&O)\tCtrl+O");
    EXPECT_EQ(open->GetHelp().utf8_string(), "既存のファイルを開く");
    frame.UpdateWindowUI();
    EXPECT_TRUE(bar->IsEnabled(WindowIdOf(ID_FILE_SAVE)));
    EXPECT_FALSE(bar->IsEnabled(WindowIdOf(ID_CONTROL_KEY_FRAME_DIALOG)));  // no bone selected
    EXPECT_FALSE(bar->IsEnabled(WindowIdOf(ID_FILE_MRU_FILE1)));           // no recent file yet

    // The empty scene on the profile's background.
    const CapturedFrame shot = CaptureView();
    EXPECT_EQ(shot.width, frame.m_sceneView->GetClientSize().x);
    EXPECT_GT(CountColour(shot, MakeRgb(30, 65, 90)), shot.width * shot.height / 2);
}

TEST_F(EditorTest, StartsWithAModelNamedOnTheCommandLineAndDrawsIt)
{
    StartEditor({ModelPath()});
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "ninja_bones.mqo - Zelvo Kinemorphix 3.9");
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_bones.size(), 6u);
    EXPECT_TRUE(Doc().IsModified());

    const CapturedFrame shot = CaptureView();
    ASSERT_TRUE(SavePng(shot, ShotPath("editor_model_view")));
    ASSERT_TRUE(SaveWindowPng(ShotPath("editor_model_window")));
    // In the window's picture the left panes and the timeline are drawn in their light list
    // colours, and the toolbar shows its coloured icons (the blue of save, undo and redo).
    wxImage window;
    ASSERT_TRUE(window.LoadFile(wxString::FromUTF8(ShotPath("editor_model_window")), wxBITMAP_TYPE_PNG));
    const auto count = [&](wxWindow& pane, auto test) {
        const wxRect area(pane.GetScreenPosition() - Frame().GetScreenPosition(), pane.GetSize());
        int n = 0;
        for (int y = area.y; y < area.GetBottom() && y < window.GetHeight(); ++y)
            for (int x = area.x; x < area.GetRight() && x < window.GetWidth(); ++x)
                n += test(window.GetRed(x, y), window.GetGreen(x, y), window.GetBlue(x, y));
        return n;
    };
    for (wxWindow* pane : std::initializer_list<wxWindow*>{Frame().m_hierarchyView, Frame().m_sliderView})
        EXPECT_GT(count(*pane, [](int r, int g, int b) { return r + g + b > 600; }), pane->GetSize().x * pane->GetSize().y / 2);
    EXPECT_GT(count(*Frame().m_mainToolBar, [](int r, int, int b) { return b > r + 80; }), 40);
    const int pixels = shot.width * shot.height;
    const int background = CountColour(shot, g_scene.m_backgroundColor);
    EXPECT_GT(background, pixels / 4);
    EXPECT_LT(background, pixels - pixels / 50);  // the model covers part of the view
    EXPECT_GT(CountColour(shot, g_scene.m_lineColor), pixels / 200);

    // The recent-file list now offers the model on the File menu.
    Frame().UpdateWindowUI();
    const wxMenuItem* first = Frame().GetMenuBar()->FindItem(WindowIdOf(ID_FILE_MRU_FILE1));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first->GetItemLabel().Find("ninja_bones.mqo"), wxNOT_FOUND);
    EXPECT_TRUE(first->IsEnabled());
}

TEST_F(EditorTest, FileThatCannotBeOpenedStartsAnEmptyDocumentAfterTheMessage)
{
    const std::string broken = m_dir.Write("broken.zlkx", "not a scene");
    wxTEST_DIALOG(StartEditor({broken}), ExpectMessage("broken.zlkx"));
    EXPECT_EQ(Doc().GetTitle(), "\x96\xB3\x91\xE8");
    EXPECT_TRUE(g_scene.m_models.empty());
    EXPECT_TRUE(Frame().IsShown());

    // What the toolkit logs itself comes in the same boxes, with the same buttons.
    wxLog* const console = wxLog::SetActiveTarget(new wxLogGui);
    UseMessageBoxesForLog();
    wxLogError("%s", "cannot read skin.png");
    wxTEST_DIALOG(wxLog::FlushActive(), ExpectMessage("skin.png"));
    delete wxLog::SetActiveTarget(console);
}

TEST_F(EditorTest, ModelSavedAsASceneUnderATypedNameReopensAndSavesByteForByte)
{
    StartEditor();
    const std::string model = m_dir.File("figure.mqo");
    std::filesystem::copy_file(ModelPath(), model);
    const auto canOverwriteExport = [&] {
        Pump(200);
        return Frame().m_mainToolBar->GetToolEnabled(WindowIdOf(ID_FILE_OVERWRITE_EXPORT));
    };

    // Ctrl+O with a model: an untitled, modified scene.
    m_chooser.Answer(model);
    PressKey('o', wxMOD_CONTROL);
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_modelPath, "figure.mqo");
    EXPECT_TRUE(Doc().IsModified());
    for (int v = 0; v < 30; ++v)
        g_scene.m_models[0].m_vertices[v].m_boneIndex = v % 6;

    // Ctrl+A with a name typed without extension: the scene file gets ".zlkx".
    m_chooser.Answer(m_dir.File("figure"), ExportTypeScene);
    PressKey('a', wxMOD_CONTROL);
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "figure.zlkx - Zelvo Kinemorphix 3.9");
    EXPECT_FALSE(Doc().IsModified());

    // Reopened with the toolbar's Open button, the change made since discarded.
    const std::string scene = m_dir.File("figure.zlkx");
    g_scene.m_models[0].m_vertices[7].m_boneIndex = 5;
    Doc().SetModifiedFlag();
    m_chooser.Answer(scene);
    wxTEST_DIALOG(ClickTool(*Frame().m_mainToolBar, ID_FILE_OPEN), ExpectMessage(kSaveChanges, wxID_NO));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(g_scene.m_models[0].m_vertices[7].m_boneIndex, 1);

    // Ctrl+S writes the bytes it was read from; so does overwrite export after Save As under
    // another name, and that file reopens to the same bytes. Open ends the overwrite export.
    const std::vector<std::uint8_t> opened = scenefile::WriteSceneBytes();
    std::filesystem::remove(scene);
    PressKey('s', wxMOD_CONTROL);
    EXPECT_EQ(ReadBytes(scene), opened);
    const std::string copy = m_dir.File("copy.zlkx");
    m_chooser.Answer(copy, ExportTypeScene);
    PressKey('a', wxMOD_CONTROL);
    std::filesystem::remove(copy);
    ASSERT_TRUE(canOverwriteExport());
    ClickTool(*Frame().m_mainToolBar, ID_FILE_OVERWRITE_EXPORT);
    EXPECT_EQ(ReadBytes(copy), opened);
    m_chooser.Answer(copy);
    PressKey('o', wxMOD_CONTROL);
    EXPECT_EQ(scenefile::WriteSceneBytes(), opened);
    EXPECT_FALSE(canOverwriteExport());
}

TEST_F(EditorTest, NewAndCloseAskToSaveChangesAndTheSampleDroppedOnAPaneOpensBoundAndMoves)
{
    StartEditor({ModelPath()});
    ASSERT_TRUE(Doc().IsModified());

    // Ctrl+N on a changed document: Cancel keeps it, No discards it.
    wxTEST_DIALOG(PressKey('n', wxMOD_CONTROL), ExpectMessage(kSaveChanges, wxID_CANCEL));
    EXPECT_EQ(g_scene.m_models.size(), 1u);
    wxTEST_DIALOG(PressKey('n', wxMOD_CONTROL), ExpectMessage(kSaveChanges, wxID_NO));
    EXPECT_TRUE(g_scene.m_models.empty());
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "無題 - Zelvo Kinemorphix 3.9");

    // Closing the window asks too; Cancel keeps it open.
    Doc().SetModifiedFlag();
    wxTEST_DIALOG(Frame().Close(), ExpectMessage(kSaveChanges, wxID_CANCEL));
    Pump(100);
    EXPECT_TRUE(Frame().IsShown());

    // A file dropped on a pane opens through the framework's road once the drop is over,
    // asking first about the changes.
    wxArrayString files;
    files.Add(wxString::FromUTF8(SamplePath()));
    auto* target = dynamic_cast<wxFileDropTarget*>(Frame().m_sliderView->GetDropTarget());
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->OnDropFiles(10, 10, files));
    wxTEST_DIALOG(ASSERT_TRUE(WaitUntil([] { return g_scene.m_bones.size() == 7; })),
                  ExpectMessage(kSaveChanges, wxID_NO));
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

TEST_F(EditorTest, AboutHelpAndTheRemovalOfTheDesktopRegistration)
{
    StartEditor();
    wxTEST_DIALOG(PressKey('q', wxMOD_ALT), wxExpectDismissableModal<CAboutDlg>(wxID_OK));
    // The tests' program has no help page beside it: the message names the file.
    wxTEST_DIALOG(PressKey('i', wxMOD_ALT), ExpectMessage("Kinemorphix.html"));

    // Registered at start-up below the data folder; removed by the command, colours kept.
    const std::string data = std::getenv("XDG_DATA_HOME");
    const std::string files[] = {data + "/applications/kinemorphix.desktop", data + "/mime/packages/kinemorphix.xml"};
    for (const std::string& file : files)
        ASSERT_TRUE(std::filesystem::exists(file)) << file;
    TheApp().Profile().WriteProfileInt("ProgramData", "BoneColor", 0x123456);
    wxTEST_DIALOG(RunCommand(ID_SETTINGS_DELETE_REGISTRY), ExpectMessage("レジストリ情報を削除しました！"));
    for (const std::string& file : files)
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
    EXPECT_EQ(TheApp().Profile().GetProfileInt("ProgramData", "BoneColor", 0), 0x123456);
    TheApp().Profile().WriteProfileInt("ProgramData", "BoneColor", 0x00FFFF);
    EXPECT_TRUE(TheApp().RegisterShellFileTypes());  // as the next start does
}

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
                          ExpectMessage("").Optional());
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
