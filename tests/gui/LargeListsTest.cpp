// The panes with more rows than a window could ever show: a model of 65,536 materials (the most
// a model may hold), a scene of 65,536 animations and scenes of 65,536 bones, opened in the running editor; their
// first, last and scrolled-to rows shown, a row far down clicked (in the lists also renamed
// and given its pop-up).
#include "EditorTest.h"
#include "LargeListFiles.h"

#include "app/CAnimationView.h"
#include "app/CHierarchyView.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CMaterialView.h"
#include "app/SwatchImageCache.h"
#include "app/logic/BoneTree.h"
#include "app/logic/CommandIds.h"
#include "app/logic/MaterialRules.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <fstream>

class LargeListsTest : public EditorTest {
protected:
    void Open(const std::string& name, const Bytes& scene)
    {
        testsupport::WriteBytes(m_dir.File(name), scene.data);
        g_lastFrame = g_previousLastFrame = 100;
        StartEditor({m_dir.File(name)});
    }

    // Scrolls a list to a row and clicks it.
    void ClickRow(wxListCtrl& list, long row)
    {
        list.EnsureVisible(row);
        Pump(100);
        wxRect rect;
        ASSERT_TRUE(list.GetItemRect(row, rect) && list.GetClientRect().Contains(Centre(rect))) << row;
        ClickAt(list, Centre(rect));
    }

    // Opens a list's pop-up on a row; once it shows, keys choose its n-th item (from 0).
    void ChooseFromRowMenu(wxListCtrl& list, long row, int item)
    {
        wxRect rect;
        ASSERT_TRUE(list.GetItemRect(row, rect));
        wxTimer keys;
        keys.Bind(wxEVT_TIMER, [item](wxTimerEvent&) {
            wxUIActionSimulator simulator;
            for (int i = 0; i <= item; ++i)
                simulator.Char(WXK_DOWN);
            simulator.Char(WXK_RETURN);
        });
        bool opened = false;
        const auto onOpen = [&](wxMenuEvent& event) {
            event.Skip();
            if (!opened && event.IsPopup())
                opened = true, keys.StartOnce(150);
        };
        list.Bind(wxEVT_MENU_OPEN, onOpen);
        ClickOnly(list, Centre(rect), wxMOUSE_BTN_RIGHT);
        EXPECT_TRUE(WaitUntil([&] { return opened && !keys.IsRunning(); }, 5000)) << "no pop-up";
        list.Unbind(wxEVT_MENU_OPEN, onOpen);
        Pump(500);
    }

    // Types a name into the label edit that opens, then Enter.
    void TypeLabel(const std::function<wxWindow*()>& edit, const std::string& text)
    {
        ASSERT_TRUE(WaitUntil([&] { return edit() != nullptr; })) << "no label edit";
        TypeText(text);
        TypeKey(WXK_RETURN);
        WaitUntil([&] { return edit() == nullptr; });
    }
};

TEST_F(LargeListsTest, SixtyFiveThousandMaterialsAreShownPickedRenamedAndNumbered)
{
    ASSERT_TRUE(largelists::WriteManyMaterialModel(m_dir.File("materials.mqo"), 65536));
    StartEditor({m_dir.File("materials.mqo")});
    CMaterialView& list = *Frame().m_materialView;
    ASSERT_EQ(list.GetItemCount(), 65536);
    EXPECT_EQ(list.GetItemText(0).utf8_string(), "m0");
    EXPECT_EQ(list.GetItemText(65535).utf8_string() + list.GetItemText(65535, 2).utf8_string(), "m6553565535");

    const long row = 54321;
    ClickRow(list, row);
    EXPECT_EQ(g_scene.m_currentMaterial, row);
    EXPECT_EQ(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), row);
    SaveWindowPng(ShotPath("large_lists_materials"));

    // Each row's swatch has its colour, and however many rows ask, the list keeps few swatches.
    const wxImageList& swatches = *list.GetImageList(wxIMAGE_LIST_SMALL);
    for (long r = 7; r < 65536; r += 199) {
        wxListItem cell;
        cell.SetId(r), cell.SetColumn(1), cell.SetMask(wxLIST_MASK_IMAGE);
        ASSERT_TRUE(list.GetItem(cell));
        const wxImage swatch = swatches.GetBitmap(cell.GetImage()).ConvertToImage();
        const std::array<float, 4>& color = g_scene.m_materials[r].m_color;
        const int m = swatch.GetWidth() / 2;
        ASSERT_EQ((std::array{swatch.GetRed(m, m), swatch.GetGreen(m, m), swatch.GetBlue(m, m)}),
                  SwatchRgb(color[0], color[1], color[2]))
            << r;
    }
    EXPECT_LE(static_cast<std::size_t>(swatches.GetImageCount()), SwatchImageCache::kCapacity);

    // Renamed in place: another material's name in other case is refused, a new one shows.
    Doc().SetModifiedFlag(false);
    const auto rename = [&](const char* name) {
        RunCommand(ID_MATERIAL_RENAME);
        TypeLabel([&] { return list.GetEditControl(); }, name);
    };
    wxTEST_DIALOG(rename("M17"), ExpectMessage("マテリアル名が重複しています！"));
    EXPECT_FALSE(Doc().IsModified());
    rename("glass");
    EXPECT_EQ(g_scene.m_materials[row].m_name, "glass");
    EXPECT_EQ(list.GetItemText(row).utf8_string(), "glass");
    EXPECT_TRUE(Doc().IsModified());

    // The pop-up's number "3" (after add and delete) for that row.
    ChooseFromRowMenu(list, row, 5);
    EXPECT_EQ(g_scene.m_materialMaps.at(0).at(row), 3);
    EXPECT_EQ(list.GetItemText(row, 2).utf8_string(), "3");
    EXPECT_EQ(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), row);
}

TEST_F(LargeListsTest, SixtyFiveThousandAnimationsAreShownPickedRenamedAndAdded)
{
    Open("animations.zlkx", largelists::ManyAnimationScene(65536));
    CAnimationView& list = *Frame().m_animationView;
    ASSERT_EQ(list.GetItemCount(), 65536);
    EXPECT_EQ(list.GetItemText(0).utf8_string(), "a0");
    EXPECT_EQ(list.GetItemText(65535).utf8_string() + list.GetItemText(65535, 1).utf8_string(), "a655353");

    const long row = 40001;
    ClickRow(list, row);
    EXPECT_EQ(g_currentAnimation, row);
    EXPECT_EQ(g_lastFrame, 1);
    list.EditLabel(row);
    TypeLabel([&] { return list.GetEditControl(); }, "run");
    EXPECT_EQ(g_scene.m_animationNames[row] + list.GetItemText(row).utf8_string(), "runrun");

    ChooseFromRowMenu(list, row, 0);  // add
    ASSERT_EQ(list.GetItemCount(), 65537);
    EXPECT_EQ(list.GetItemText(65536).utf8_string(), g_scene.m_animationNames.back());
    EXPECT_EQ(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), row);

    // The editor's peak resident memory so far, in kB.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("VmHWM:", 0) != 0)
        continue;
    EXPECT_LT(std::stod(line.substr(6)), 512.0 * 1024) << line;
}

TEST_F(LargeListsTest, SixtyFiveThousandBonesAsAListAndAsOneChain)
{
    Open("flat.zlkx", largelists::ManyBoneScene(65536, false));
    CHierarchyView& tree = *Frame().m_hierarchyView;
    ASSERT_EQ(tree.GetChildrenCount(tree.GetRootItem(), false), 65536u);
    EXPECT_EQ(tree.GetItemText(tree.GetLastChild(tree.GetRootItem())).utf8_string(), "b65535");

    // A bone far down, scrolled to and clicked.
    const wxTreeItemId item = tree.ItemOfBone(50000);
    tree.EnsureVisible(item);
    Pump(100);
    wxRect label;
    ASSERT_TRUE(tree.GetBoundingRect(item, label, true));
    ClickAt(tree, Centre(label));
    EXPECT_EQ(g_scene.m_selectedBone, 50000);
    SaveWindowPng(ShotPath("large_lists_bones"));
    TheApp().CloseEditor();
    ASSERT_TRUE(WaitUntil([] { return TheApp().GetMainFrame() == nullptr; }));

    // One chain: nested down to the deepest level the tree keeps, then on at that level.
    Open("chain.zlkx", largelists::ManyBoneScene(65536, true));
    CHierarchyView& chain = *Frame().m_hierarchyView;
    ASSERT_EQ(chain.GetChildrenCount(chain.GetRootItem(), true), 65536u);
    EXPECT_EQ(chain.GetChildrenCount(chain.ItemOfBone(kMaxBoneTreeDepth - 2), false), 65536u - kMaxBoneTreeDepth + 1);

    // After undo or redo the selected bone's item is selected and its label scrolled to.
    g_scene.m_selectedBone = 60000;
    chain.OnUpdate(HintUndoRedo);
    Pump(100);
    EXPECT_EQ(chain.GetSelection(), chain.ItemOfBone(60000));
    SaveWindowPng(ShotPath("large_lists_bone_chain"));
    ASSERT_TRUE(chain.GetBoundingRect(chain.ItemOfBone(60000), label, true));
    EXPECT_TRUE(chain.GetClientRect().Contains(label.GetTopLeft())) << label.x << "," << label.y;
}
