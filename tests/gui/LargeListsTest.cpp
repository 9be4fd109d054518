// The panes with more rows than a window could ever show, in the running editor: a model of a
// million materials, a scene of 65,536 animation names and scenes of 65,536 bones, each
// opened, its first, last and a scrolled-to row shown, and a row far down clicked, renamed
// and given its pop-up.
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

namespace {

// A line of /proc/self/status in megabytes (VmHWM: the peak resident set so far).
double StatusMegabytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0)
            return std::stod(line.substr(key.size() + 1)) / 1024.0;
    return -1;
}

}  // namespace

class LargeListsTest : public EditorTest {
protected:
    void Open(const std::string& path)
    {
        g_lastFrame = g_previousLastFrame = 100;
        StartEditor({path});
    }

    // Scrolls a list so that a row shows, and clicks it.
    void ClickRow(wxListCtrl& list, long row)
    {
        list.EnsureVisible(row);
        Pump(100);
        wxRect rect;
        ASSERT_TRUE(list.GetItemRect(row, rect));
        ASSERT_TRUE(list.GetClientRect().Contains(Centre(rect))) << "row " << row << " is not shown";
        ClickAt(list, Centre(rect));
    }

    // Opens a list's pop-up on a row and chooses its n-th item (from 0) by keys.
    void ChooseFromRowMenu(wxListCtrl& list, long row, int item)
    {
        wxRect rect;
        ASSERT_TRUE(list.GetItemRect(row, rect));
        // Once the menu is on the screen, keys choose the item.
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
            if (!opened && event.IsPopup()) {
                opened = true;
                keys.StartOnce(150);
            }
        };
        list.Bind(wxEVT_MENU_OPEN, onOpen);
        ClickOnly(list, Centre(rect), wxMOUSE_BTN_RIGHT);
        EXPECT_TRUE(WaitUntil([&] { return opened && !keys.IsRunning(); }, 5000)) << "no pop-up";
        Pump(500);
        list.Unbind(wxEVT_MENU_OPEN, onOpen);
    }

    // The label edit that is open: the text typed, Enter.
    void TypeLabel(const std::function<wxWindow*()>& edit, const std::string& text)
    {
        ASSERT_TRUE(WaitUntil([&] { return edit() != nullptr; })) << "no label edit";
        TypeText(text);
        TypeKey(WXK_RETURN);
        WaitUntil([&] { return edit() == nullptr; });
    }
};

TEST_F(LargeListsTest, AMillionMaterialsAreShownPickedRenamedAndNumbered)
{
    ASSERT_TRUE(largelists::WriteManyMaterialModel(m_dir.File("materials.mqo"), 1000000));
    Open(m_dir.File("materials.mqo"));
    CMaterialView& list = *Frame().m_materialView;
    ASSERT_EQ(list.GetItemCount(), 1000000);
    EXPECT_EQ(list.GetItemText(0).utf8_string(), "m0");
    EXPECT_EQ(list.GetItemText(999999).utf8_string(), "m999999");
    EXPECT_EQ(list.GetItemText(999999, 2).utf8_string(), "999999");

    // A row far down, scrolled to and clicked, becomes the current material.
    const long row = 654321;
    ClickRow(list, row);
    EXPECT_EQ(g_scene.m_currentMaterial, row);
    EXPECT_EQ(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), row);
    SaveWindowPng(ShotPath("large_lists_materials"));

    // Its swatch shows its colour; swatches are made only for the colours of rows asked for,
    // and the list keeps no more of them than the cache holds, however many rows were drawn.
    const wxImageList& swatches = *list.GetImageList(wxIMAGE_LIST_SMALL);
    for (long r = 0; r < 600; ++r) {
        wxListItem cell;
        cell.SetId(r * 1000 + 7);
        cell.SetColumn(1);
        cell.SetMask(wxLIST_MASK_IMAGE);
        ASSERT_TRUE(list.GetItem(cell));
        const wxImage swatch = swatches.GetBitmap(cell.GetImage()).ConvertToImage();
        const std::array<float, 4>& color = g_scene.m_materials[cell.GetId()].m_color;
        const std::array<unsigned char, 3> rgb = SwatchRgb(color[0], color[1], color[2]);
        const int middle = swatch.GetWidth() / 2;
        ASSERT_EQ((std::array<unsigned char, 3>{swatch.GetRed(middle, middle), swatch.GetGreen(middle, middle),
                                                swatch.GetBlue(middle, middle)}),
                  rgb)
            << "row " << cell.GetId();
    }
    EXPECT_LE(static_cast<std::size_t>(swatches.GetImageCount()), SwatchImageCache::kCapacity);

    // Renamed in place: another material's name is refused, a new one shows in the row.
    Doc().SetModifiedFlag(false);
    wxTEST_DIALOG(
        {
            RunCommand(ID_MATERIAL_RENAME);
            TypeLabel([&] { return list.GetEditControl(); }, "M17");
        },
        ExpectMessage("マテリアル名が重複しています！"));
    EXPECT_EQ(g_scene.m_materials[row].m_name, "m654321");
    EXPECT_FALSE(Doc().IsModified());
    RunCommand(ID_MATERIAL_RENAME);
    TypeLabel([&] { return list.GetEditControl(); }, "glass");
    EXPECT_EQ(g_scene.m_materials[row].m_name, "glass");
    EXPECT_EQ(list.GetItemText(row).utf8_string(), "glass");
    EXPECT_TRUE(Doc().IsModified());

    // The pop-up's number "3" (after add and delete) on that row.
    ChooseFromRowMenu(list, row, 5);
    EXPECT_EQ(g_scene.m_materialMaps.at(0).at(row), 3);
    EXPECT_EQ(list.GetItemText(row, 2).utf8_string(), "3");
    EXPECT_EQ(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), row);
}

TEST_F(LargeListsTest, SixtyFiveThousandAnimationsAreShownPickedRenamedAndAdded)
{
    testsupport::WriteBytes(m_dir.File("animations.zlkx"), largelists::ManyAnimationScene(65536).data);
    Open(m_dir.File("animations.zlkx"));
    CAnimationView& list = *Frame().m_animationView;
    ASSERT_EQ(list.GetItemCount(), 65536);
    EXPECT_EQ(list.GetItemText(0).utf8_string(), "a0");
    EXPECT_EQ(list.GetItemText(65535).utf8_string(), "a65535");
    EXPECT_EQ(list.GetItemText(65535, 1).utf8_string(), "3");

    const long row = 40001;
    ClickRow(list, row);
    EXPECT_EQ(g_currentAnimation, row);
    EXPECT_EQ(g_lastFrame, 1);

    wxTEST_DIALOG(
        {
            list.EditLabel(row);
            TypeLabel([&] { return list.GetEditControl(); }, "A7");
        },
        ExpectMessage("重複する名前があるので"));
    list.EditLabel(row);
    TypeLabel([&] { return list.GetEditControl(); }, "run");
    EXPECT_EQ(g_scene.m_animationNames[row], "run");
    EXPECT_EQ(list.GetItemText(row).utf8_string(), "run");

    ChooseFromRowMenu(list, row, 0);  // add
    ASSERT_EQ(list.GetItemCount(), 65537);
    EXPECT_EQ(list.GetItemText(65536).utf8_string(), g_scene.m_animationNames.back());
    EXPECT_EQ(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), row);
    SaveWindowPng(ShotPath("large_lists_animations"));

    // Nothing of this needs much memory.
    EXPECT_LT(StatusMegabytes("VmHWM"), 512.0);
}

TEST_F(LargeListsTest, SixtyFiveThousandBonesAsAListAndAsOneChain)
{
    testsupport::WriteBytes(m_dir.File("flat.zlkx"), largelists::ManyBoneScene(65536, false).data);
    Open(m_dir.File("flat.zlkx"));
    CHierarchyView& tree = *Frame().m_hierarchyView;
    const wxTreeItemId root = tree.GetRootItem();
    ASSERT_EQ(tree.GetChildrenCount(root, false), 65536u);
    EXPECT_EQ(tree.GetItemText(tree.GetLastChild(root)).utf8_string(), "b65535");

    // A bone far down, scrolled to, clicked and renamed with a second, slow click.
    const int bone = 50000;
    const wxTreeItemId item = tree.ItemOfBone(bone);
    tree.EnsureVisible(item);
    Pump(100);
    wxRect label;
    ASSERT_TRUE(tree.GetBoundingRect(item, label, true));
    ClickAt(tree, Centre(label));
    EXPECT_EQ(g_scene.m_selectedBone, bone);
    Pump(600);  // longer than a double click
    ClickAt(tree, Centre(label));
    wxTEST_DIALOG(TypeLabel([&] { return tree.GetEditControl(); }, "B3"), ExpectMessage("重複する名前があるで"));
    tree.EditLabel(item);
    TypeLabel([&] { return tree.GetEditControl(); }, "tail");
    EXPECT_EQ(g_scene.m_bones[bone].m_name, "tail");
    EXPECT_EQ(tree.GetItemText(item).utf8_string(), "tail");
    SaveWindowPng(ShotPath("large_lists_bones"));
    TheApp().CloseEditor();
    ASSERT_TRUE(WaitUntil([] { return TheApp().GetMainFrame() == nullptr; }));

    // One chain: nested down to the deepest level the tree keeps, then on at that level.
    testsupport::WriteBytes(m_dir.File("chain.zlkx"), largelists::ManyBoneScene(65536, true).data);
    Open(m_dir.File("chain.zlkx"));
    CHierarchyView& chain = *Frame().m_hierarchyView;
    ASSERT_EQ(chain.GetChildrenCount(chain.GetRootItem(), true), 65536u);
    const wxTreeItemId deepest = chain.ItemOfBone(kMaxBoneTreeDepth - 2);
    EXPECT_EQ(chain.GetItemParent(chain.ItemOfBone(kMaxBoneTreeDepth - 1)), deepest);
    EXPECT_EQ(chain.GetItemParent(chain.ItemOfBone(65535)), deepest);
    EXPECT_EQ(chain.GetChildrenCount(deepest, false), 65536u - kMaxBoneTreeDepth + 1);

    // After undo or redo the selected bone's item is selected and shown.
    g_scene.m_selectedBone = 60000;
    chain.OnUpdate(HintUndoRedo);
    Pump(100);
    EXPECT_EQ(chain.GetSelection(), chain.ItemOfBone(60000));
    ASSERT_TRUE(chain.GetBoundingRect(chain.ItemOfBone(60000), label, false));
    EXPECT_TRUE(chain.GetClientRect().Contains(wxPoint(1, label.y + label.height / 2)));
}
