// The editing panes in the running editor, driven with real clicks and keys: the bone tree
// and the timeline following each other, renames, values typed at key and in-between
// frames, the last frame, playback, the animation list's pop-up and the material dialog.
#include "EditorTest.h"

#include "app/CAnimationView.h"
#include "app/CDlgMaterial.h"
#include "app/CFrameRuler.h"
#include "app/CHierarchyView.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CMaterialView.h"
#include "app/CSliderView.h"
#include "app/logic/CommandIds.h"
#include "scene/CCentigrade.h"
#include "scene/DibStream.h"
#include "scene/Globals.h"

#include <wx/button.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <filesystem>

namespace {

const std::string kFigure = std::string(KMX_TEST_DATA_DIR) + "/../../resources/sample/figure.mqo";

// Chooses the n-th item (from 0) of the pop-up menu that the window opens next, by keys, once
// the menu is on the screen.
class PopupChooser : public wxTimer {
public:
    PopupChooser(wxWindow& owner, int item) : m_owner(owner), m_item(item)
    {
        m_owner.Bind(wxEVT_MENU_OPEN, &PopupChooser::OnOpen, this);
    }
    ~PopupChooser() override { m_owner.Unbind(wxEVT_MENU_OPEN, &PopupChooser::OnOpen, this); }
    void Notify() override
    {
        wxUIActionSimulator simulator;
        for (int i = 0; i <= m_item; ++i)
            simulator.Char(WXK_DOWN);
        simulator.Char(WXK_RETURN);
    }
    bool m_opened = false;

private:
    void OnOpen(wxMenuEvent& event)
    {
        event.Skip();
        if (!m_opened && event.IsPopup()) {
            m_opened = true;
            StartOnce(150);
        }
    }

    wxWindow& m_owner;
    int m_item;
};

}  // namespace

class EditingPanesTest : public EditorTest {
protected:
    // The sample figure; its bones get as many samples as the last frame a test before left,
    // so that is put back to a new document's first.
    void StartFigure()
    {
        g_lastFrame = 100;
        g_previousLastFrame = 100;
        StartEditor({kFigure});
        ASSERT_EQ(g_scene.m_bones.at(0).m_animations.at(0).size(), 101u);
    }

    CHierarchyView& Tree() { return *Frame().m_hierarchyView; }
    CSliderView& Timeline() { return *Frame().m_sliderView; }
    CAnimationView& Animations() { return *Frame().m_animationView; }

    void ClickBone(int bone)
    {
        wxRect rect;
        ASSERT_TRUE(Tree().GetBoundingRect(Tree().ItemOfBone(bone), rect, true));
        ClickAt(Tree(), Centre(rect));
    }

    // A second, slow click on the selected bone's label opens its label edit; the name typed,
    // Enter.
    void RenameBySlowClick(int bone, const std::string& name)
    {
        wxRect rect;
        ASSERT_TRUE(Tree().GetBoundingRect(Tree().ItemOfBone(bone), rect, true));
        Pump(600);  // longer than a double click
        ClickAt(Tree(), Centre(rect));
        ASSERT_TRUE(WaitUntil([&] { return Tree().GetEditControl() != nullptr; })) << "no label edit";
        TypeText(name);
        TypeKey(WXK_RETURN);
    }

    // Types into an edit as a user does (all its text replaced), then leaves it with Tab.
    void TypeAndLeave(wxTextCtrl& edit, const std::string& text)
    {
        FocusWindow(edit);
        edit.SelectAll();
        TypeText(text);
        TypeKey(WXK_TAB);
    }

    // Opens a list's pop-up on a row and chooses an item.
    void ChooseFromRowMenu(wxListCtrl& list, long row, int item)
    {
        wxRect rect;
        ASSERT_TRUE(list.GetItemRect(row, rect));
        PopupChooser chooser(list, item);
        ClickOnly(list, Centre(rect), wxMOUSE_BTN_RIGHT);
        EXPECT_TRUE(WaitUntil([&] { return chooser.m_opened && !chooser.IsRunning(); }, 3000));
        Pump(200);
    }

    std::string Text(wxTextCtrl& edit) { return edit.GetValue().utf8_string(); }
};

TEST_F(EditingPanesTest, TreeAndTimelineFollowTheSelectedBone)
{
    StartFigure();
    EXPECT_EQ(Tree().GetItemText(Tree().GetRootItem()).utf8_string(), "figure.mqo");
    EXPECT_EQ(Tree().GetChildrenCount(Tree().GetRootItem(), true), 7u);

    g_scene.m_editMode = EditModeRotate;
    g_scene.m_bones[2].m_animations[0][40].m_key = true;
    g_scene.m_bones[2].m_animations[0][0].m_rotate = CVector(10.0f, 20.0f, 30.0f);
    ClickBone(2);
    EXPECT_EQ(g_scene.m_selectedBone, 2);
    EXPECT_EQ(Text(*Timeline().ValueEdit(2)), "30.000000");
    EXPECT_EQ(Timeline().FrameRuler()->GetKeyFrames(), (std::vector<int>{0, 40}));

    // Wherever a click on a row selects the row's item, it selects the bone: right of a short
    // name, in the indent.
    wxRect label;
    ASSERT_TRUE(Tree().GetBoundingRect(Tree().ItemOfBone(5), label, true));
    ClickAt(Tree(), wxPoint(label.GetRight() + 40, label.y + label.height / 2));
    EXPECT_EQ(Tree().BoneOfItem(Tree().GetSelection()), 5);
    EXPECT_EQ(g_scene.m_selectedBone, 5);
    ASSERT_TRUE(Tree().GetBoundingRect(Tree().ItemOfBone(3), label, true));
    ClickAt(Tree(), wxPoint(3, label.y + label.height / 2));
    EXPECT_EQ(Tree().BoneOfItem(Tree().GetSelection()), 3);
    EXPECT_EQ(g_scene.m_selectedBone, 3);

    // A pick in the 3D view reaches the tree and the timeline through the pane directory.
    g_scene.m_selectedBone = 5;
    GetPaneDirectory()->m_hierarchyView->SelectCurrentBoneItem();
    GetPaneDirectory()->m_sliderView->ShowBoneValues();
    EXPECT_EQ(Tree().GetItemText(Tree().GetSelection()).utf8_string(), "Bone5");
    EXPECT_EQ(Text(*Timeline().ValueEdit(2)), "0.000000");

    // The root selects no bone; an axis toggle clicked twice is as before.
    ClickBone(-1);
    EXPECT_EQ(g_scene.m_selectedBone, -1);
    wxToggleButton& y = *Timeline().AxisToggle(1);
    ClickCentre(y);
    EXPECT_FALSE(g_scene.m_axisEnabled[1]);
    ClickCentre(y);
    EXPECT_TRUE(g_scene.m_axisEnabled[1]);

    ClickBone(2);
    SaveWindowPng(ShotPath("editing_panes_bone_selected"));
}

TEST_F(EditingPanesTest, RenamesRefuseADuplicateInOtherCaseAndRenameTheEditedItem)
{
    StartFigure();
    Doc().SetModifiedFlag(false);
    ClickBone(3);

    // The selected item renamed to a name another bone has in other case: refused with the
    // message.
    wxTEST_DIALOG(RenameBySlowClick(3, "bone1"), ExpectMessage("重複する名前があるで"));
    EXPECT_EQ(g_scene.m_bones[3].m_name, "Bone3");
    EXPECT_EQ(Tree().GetItemText(Tree().ItemOfBone(3)).utf8_string(), "Bone3");
    EXPECT_FALSE(Doc().IsModified());

    // The keys move the tree's selection but not the scene's; the edited item is renamed.
    TypeKey(WXK_DOWN);
    EXPECT_EQ(Tree().BoneOfItem(Tree().GetSelection()), 4);
    Tree().EditLabel(Tree().GetSelection());
    ASSERT_TRUE(WaitUntil([&] { return Tree().GetEditControl() != nullptr; }));
    TypeText("Hand");
    TypeKey(WXK_RETURN);
    EXPECT_EQ(g_scene.m_selectedBone, 3);
    EXPECT_EQ(g_scene.m_bones[4].m_name, "Hand");
    EXPECT_EQ(Tree().GetItemText(Tree().ItemOfBone(4)).utf8_string(), "Hand");
    EXPECT_TRUE(Doc().IsModified());

    // An animation's own name in other case is taken.
    Animations().EditLabel(0);
    ASSERT_TRUE(WaitUntil([&] { return Animations().GetEditControl() != nullptr; }));
    TypeText("ANIMATION_0");
    TypeKey(WXK_RETURN);
    EXPECT_EQ(g_scene.m_animationNames[0], "ANIMATION_0");
    EXPECT_EQ(Animations().GetItemText(0).utf8_string(), "ANIMATION_0");
}

TEST_F(EditingPanesTest, ValuesTypedAtKeyAndInBetweenFramesAndTheLastFrame)
{
    StartFigure();
    g_scene.m_editMode = EditModeTranslate;
    g_scene.m_hermite = false;
    g_scene.m_bones[1].m_animations[0][100].m_key = true;
    Doc().UpdateAllViews(HintDisplayChanged);
    ClickBone(1);
    Doc().SetModifiedFlag(false);
    CSliderView& timeline = Timeline();

    // At frame 0, a key: the value is kept, one undo entry, the document changed.
    TypeAndLeave(*timeline.ValueEdit(0), "8");
    const std::vector<CAnimation>& samples = g_scene.m_bones[1].m_animations[0];
    EXPECT_EQ(samples[0].m_translate.m_x, 8.0f);
    EXPECT_EQ(g_scene.m_undoAnimations.size(), 1u);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(samples[50].m_translate.m_x, 4.0f);  // in-betweened towards frame 100

    // A typed frame refreshes the values; a value typed there is replaced by the in-between.
    TypeAndLeave(*timeline.CurrentFrameEdit(), "50");
    EXPECT_EQ(g_currentFrame, 50);
    EXPECT_EQ(timeline.FrameRuler()->GetFrame(), 50);
    EXPECT_EQ(Text(*timeline.ValueEdit(0)), "4.000000");
    TypeAndLeave(*timeline.ValueEdit(0), "77");
    EXPECT_EQ(samples[50].m_translate.m_x, 4.0f);
    EXPECT_EQ(Text(*timeline.ValueEdit(0)), "4.000000");

    // Text that is no number is refused; a frame past the end is refused.
    TypeAndLeave(*timeline.ValueEdit(1), "abc");
    EXPECT_EQ(Text(*timeline.ValueEdit(1)), "0.000000");
    TypeAndLeave(*timeline.CurrentFrameEdit(), "101");
    EXPECT_EQ(Text(*timeline.CurrentFrameEdit()), "50");

    // Longer, then shorter than the current frame.
    TypeAndLeave(*timeline.LastFrameEdit(), "120");
    EXPECT_EQ(g_scene.m_bones[6].m_animations[0].size(), 121u);
    EXPECT_EQ(Animations().GetItemText(0, 1).utf8_string(), "120");
    TypeAndLeave(*timeline.LastFrameEdit(), "30");
    EXPECT_EQ(Text(*timeline.CurrentFrameEdit()), "30");
    EXPECT_EQ(timeline.FrameRuler()->GetLastFrame(), 30);
    wxTEST_DIALOG(TypeAndLeave(*timeline.LastFrameEdit(), "5000000"), ExpectMessage("最後のフレームは 100000 以下"));
    EXPECT_EQ(g_lastFrame, 30);
    EXPECT_EQ(Text(*timeline.LastFrameEdit()), "30");
}

TEST_F(EditingPanesTest, PlaybackStopsOnTheLastFrameOrLoopsUntilStopped)
{
    StartFigure();
    TypeAndLeave(*Timeline().LastFrameEdit(), "6");

    // Play (Ctrl+B): every tick one frame, then it stops on the last frame with its timer.
    PressKey('b', wxMOD_CONTROL);
    ASSERT_TRUE(WaitUntil([] { return !g_playing; }, 5000));
    EXPECT_EQ(g_currentFrame, 6);
    EXPECT_FALSE(Timeline().IsTimerRunning());
    EXPECT_EQ(Timeline().FrameRuler()->GetFrame(), 6);

    // Loop wraps to 0 and goes on until Ctrl+D stops it.
    ClickTool(*Frame().m_controlToolBar, ID_CONTROL_LOOP);
    ASSERT_TRUE(WaitUntil([] { return g_currentFrame < 6; }, 5000));
    EXPECT_TRUE(g_playing);
    EXPECT_TRUE(Timeline().IsTimerRunning());
    PressKey('d', wxMOD_CONTROL);
    EXPECT_FALSE(g_playing);
    EXPECT_FALSE(Timeline().IsTimerRunning());
}

TEST_F(EditingPanesTest, AnimationsAddedDuplicatedAndDeletedFromThePopup)
{
    StartFigure();
    Doc().SetModifiedFlag(false);
    g_scene.m_bones[0].m_animations[0][12].m_key = true;
    CAnimationView& list = Animations();

    ChooseFromRowMenu(list, 0, 0);  // add
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1).utf8_string(), "Animation_1");
    EXPECT_TRUE(Doc().IsModified());
    ChooseFromRowMenu(list, 0, 1);  // duplicate the current one
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_TRUE(g_scene.m_bones[0].m_animations[2][12].m_key);
    EXPECT_EQ(g_scene.m_materialMaps.size(), 3u);

    // A click makes a row current; delete takes it away.
    wxRect rect;
    ASSERT_TRUE(list.GetItemRect(2, rect));
    ClickAt(list, Centre(rect));
    EXPECT_EQ(g_currentAnimation, 2);
    ChooseFromRowMenu(list, 2, 2);  // delete
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(g_currentAnimation, 1);
    EXPECT_EQ(g_scene.m_materialMaps.size(), 2u);
}

TEST_F(EditingPanesTest, MaterialDialogRoundTripAndMaterialNumbers)
{
    StartFigure();
    Doc().SetModifiedFlag(false);
    CMaterialView& list = *Frame().m_materialView;
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1, 2).utf8_string(), "1");

    // Row 1's number set to 0 from the pop-up.
    ChooseFromRowMenu(list, 1, 2);
    EXPECT_EQ(g_scene.m_materialMaps[0], (std::vector<std::int32_t>{0, 0}));
    EXPECT_EQ(list.GetItemText(1, 2).utf8_string(), "0");
    EXPECT_TRUE(Doc().IsModified());
    Doc().SetModifiedFlag(false);

    // The dialog: a typed red, a moved green slider that leaves the red digits alone, a chosen
    // texture, a name another material has in other case.
    m_chooser.Answer(kFigure.substr(0, kFigure.size() - 3) + "png");
    const auto act = [&](CDlgMaterial& dialog) {
        EXPECT_EQ(dialog.ValueSlider(ValueGreen)->GetValue(), 30);
        // Text that is no number is refused when the edit is left; its slider goes where atof
        // of the text says.
        wxTextCtrl& blue = *dialog.ValueEdit(ValueBlue);
        const std::string blueText = Text(blue);
        wxTEST_DIALOG(TypeAndLeave(blue, "0.7x"), ExpectMessage("数値を入力してください"));
        EXPECT_EQ(dialog.ValueSlider(ValueBlue)->GetValue(), 70);
        // OK pressed straight from that edit refuses the text once, and the dialog stays.
        FocusWindow(blue);
        wxTEST_DIALOG(ClickCentre(*dialog.FindWindow(wxID_OK)), ExpectMessage("数値を入力してください"));
        EXPECT_TRUE(dialog.IsShown());
        TypeAndLeave(blue, blueText);
        wxTextCtrl& red = *dialog.ValueEdit(ValueRed);
        ClickCentre(red);
        red.SelectAll();
        TypeText("0.555");
        TypeKey(WXK_TAB);
        EXPECT_EQ(dialog.ValueSlider(ValueRed)->GetValue(), 55);
        dialog.ValueSlider(ValueGreen)->SetFocus();
        TypeKey(WXK_RIGHT);
        EXPECT_EQ(dialog.ValueEdit(ValueRed)->GetValue().utf8_string(), "0.555");
        EXPECT_EQ(dialog.ValueEdit(ValueGreen)->GetValue().utf8_string(), "0.310000");
        ClickCentre(*dialog.TextureButton());
        EXPECT_EQ(dialog.TextureEdit()->GetValue().utf8_string(), "figure.png");
        dialog.NameEdit()->ChangeValue("SKIN");
    };
    wxRect rect;
    ASSERT_TRUE(list.GetItemRect(1, rect));
    const CMaterial& cloth = g_scene.m_materials[1];
    wxTEST_DIALOG(
        {
            ClickOnly(list, Centre(rect), wxMOUSE_BTN_LEFT, true);
            EXPECT_TRUE(WaitUntil([&] { return cloth.m_texture == "figure.png"; }));
        },
        DialogSession<CDlgMaterial>(act), ExpectMessage("マテリアル名が重複しています！"));
    EXPECT_EQ(cloth.m_name, "cloth");
    EXPECT_EQ(cloth.m_color[0], 0.555f);
    EXPECT_EQ(cloth.m_color[1], 0.31f);
    EXPECT_TRUE(cloth.HasTexture());
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(EditingPanesTest, MaterialDialogOkReadsEveryTextureAgain)
{
    // The figure beside a texture of its own, which changes on disk while the scene is open.
    std::filesystem::copy_file(kFigure, m_dir.File("figure.mqo"));
    const auto writeTexture = [&](int side) {
        ASSERT_TRUE(wxImage(side, side).SaveFile(wxString::FromUTF8(m_dir.File("figure.png")), wxBITMAP_TYPE_PNG));
    };
    writeTexture(4);
    g_lastFrame = g_previousLastFrame = 100;
    StartEditor({m_dir.File("figure.mqo")});
    const CMaterial& skin = g_scene.m_materials.at(0);
    ASSERT_TRUE(skin.HasTexture());
    EXPECT_EQ(skin.m_image->m_width, 4);
    writeTexture(8);

    // OK in the other material's dialog.
    CMaterialView& list = *Frame().m_materialView;
    wxRect rect;
    ASSERT_TRUE(list.GetItemRect(1, rect));
    wxTEST_DIALOG(
        {
            ClickOnly(list, Centre(rect), wxMOUSE_BTN_LEFT, true);
            EXPECT_TRUE(WaitUntil([&] { return g_scene.m_currentMaterial == 1 && skin.m_image->m_width == 8; }));
        },
        DialogSession<CDlgMaterial>());
    EXPECT_TRUE(skin.HasTexture());
}
