// The main window as a user meets it: the timeline after New (the File menu's keys; the
// toolbar's button and いいえ).
#include "EditorTest.h"

#include "app/CFrameRuler.h"
#include "app/CHierarchyView.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CSliderView.h"
#include "app/logic/CommandIds.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <wx/textctrl.h>
#include <wx/uiaction.h>

TEST_F(EditorTest, NewDocumentShowsFrameZeroWithoutTheKeysOrPlaybackOfTheOldOne)
{
    StartEditor({SamplePath()});
    CSliderView& timeline = *Frame().m_sliderView;
    CFrameRuler& ruler = *timeline.FrameRuler();
    const auto standOnKeyedBone = [&] {
        wxRect label;
        ASSERT_TRUE(Frame().m_hierarchyView->GetBoundingRect(Frame().m_hierarchyView->ItemOfBone(1), label, true));
        ClickAt(*Frame().m_hierarchyView, Centre(label));
        ClickAt(ruler, wxPoint(ruler.Scale().XOf(30), ruler.GetClientSize().y / 2));
        ASSERT_TRUE(g_currentFrame == 30 && ruler.GetKeyFrames().size() > 1);
    };
    const auto expectFrameZeroWithoutKeys = [&] {
        Pump(200);
        EXPECT_EQ(timeline.CurrentFrameEdit()->GetValue().utf8_string(), "0");
        EXPECT_TRUE(ruler.GetFrame() == 0 && g_currentFrame == 0 && ruler.GetKeyFrames().empty());
        EXPECT_FALSE(timeline.IsTimerRunning());
    };

    standOnKeyedBone();
    FocusWindow(*Frame().m_sceneView);
    wxUIActionSimulator keys;  // the open menu takes them: no release reaches our windows
    keys.Char('f', wxMOD_ALT);
    Pump(500);
    keys.Char(WXK_RETURN);
    ASSERT_TRUE(WaitUntil([] { return g_scene.m_bones.empty(); }));
    expectFrameZeroWithoutKeys();
    SaveWindowPng(ShotPath("timeline_after_new"));

    ASSERT_TRUE(Doc().OpenDocumentFile(SamplePath()));
    standOnKeyedBone();
    PressKey('b', wxMOD_CONTROL);
    Doc().SetModifiedFlag();
    wxTEST_DIALOG(ClickTool(*Frame().m_mainToolBar, ID_FILE_NEW), ExpectMessage("への変更を保存しますか?", wxID_NO));
    expectFrameZeroWithoutKeys();
}
