#include "app/CHierarchyView.h"

#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CSliderView.h"
#include "app/PaneImages.h"
#include "app/logic/BoneTree.h"
#include "app/logic/PaneRenames.h"
#include "platform/Cp932.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/WxKinemorphixView.h"

#include <algorithm>
#include <vector>

namespace {

// Item images: the root's leaf and a bone, each normal and selected.
enum TreeImage { ImageRoot, ImageRootSelected, ImageBone, ImageBoneSelected };

class BoneItemData : public wxTreeItemData {
public:
    explicit BoneItemData(int bone) : m_bone(bone) {}
    int m_bone;
};

}  // namespace

CHierarchyView::CHierarchyView(wxWindow* parent)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_EDIT_LABELS | wxTR_SINGLE)
{
    AssignImageList(CreateBoneTreeImages(this));
    Bind(wxEVT_LEFT_DOWN, &CHierarchyView::OnMouseDown, this);
    Bind(wxEVT_RIGHT_DOWN, &CHierarchyView::OnMouseDown, this);
    Bind(wxEVT_TREE_BEGIN_LABEL_EDIT, &CHierarchyView::OnBeginLabelEdit, this);
    Bind(wxEVT_TREE_END_LABEL_EDIT, &CHierarchyView::OnEndLabelEdit, this);
}

void CHierarchyView::OnUpdate(int hint)
{
    switch (hint) {
    case HintInitialUpdate:
    case HintDocumentLoaded:
        Rebuild();
        break;
    case HintUndoRedo:
        SelectCurrentBoneItem();
        break;
    default:
        break;
    }
}

void CHierarchyView::Rebuild()
{
    // Frozen, the control lays its items out once, after the last one is in.
    Freeze();
    DeleteAllItems();
    m_boneItems.assign(g_scene.m_bones.size(), wxTreeItemId());
    const wxTreeItemId root = AddRoot(wxString::FromUTF8(cp932::ToUtf8(TheDocument().GetTitle())), ImageRoot,
                                      ImageRootSelected, new BoneItemData(-1));
    const std::vector<BoneTreeNode> nodes = BuildBoneTree(g_scene.m_bones);
    std::vector<wxTreeItemId> items;
    items.reserve(nodes.size());
    for (const BoneTreeNode& node : nodes) {
        const wxTreeItemId parent = node.parentNode < 0 ? root : items[node.parentNode];
        items.push_back(AppendItem(parent, wxString::FromUTF8(cp932::ToUtf8(g_scene.m_bones[node.bone].m_name)),
                                   ImageBone, ImageBoneSelected, new BoneItemData(node.bone)));
        m_boneItems[node.bone] = items.back();
    }
    if (!g_scene.m_bones.empty())
        ExpandEveryItem();
    Thaw();
}

void CHierarchyView::ExpandEveryItem()
{
    // Item by item rather than through the control's recursion over the levels.
    Freeze();
    Expand(GetRootItem());
    for (const wxTreeItemId& item : m_boneItems)
        if (item.IsOk() && ItemHasChildren(item))
            Expand(item);
    Thaw();
}

int CHierarchyView::BoneOfItem(const wxTreeItemId& item) const
{
    if (!item.IsOk())
        return -1;
    const auto* data = static_cast<const BoneItemData*>(GetItemData(item));
    return data ? data->m_bone : -1;
}

wxTreeItemId CHierarchyView::ItemOfBone(int bone) const
{
    if (bone == -1)
        return GetRootItem();
    if (bone < 0 || static_cast<std::size_t>(bone) >= m_boneItems.size())
        return {};
    return m_boneItems[bone];
}

void CHierarchyView::SelectCurrentBoneItem()
{
    if (g_scene.m_bones.empty() || !GetRootItem().IsOk())
        return;
    ExpandEveryItem();
    const wxTreeItemId item = ItemOfBone(g_scene.m_selectedBone);
    if (!item.IsOk())
        return;
    SelectItem(item);
    EnsureVisible(item);
    // The control scrolls only up and down: an item deep in the tree also needs the view
    // moved sideways to its label.
    wxRect label;
    int unitX = 0, unitY = 0;
    GetScrollPixelsPerUnit(&unitX, &unitY);
    if (GetBoundingRect(item, label, true) && unitX > 0 &&
        (label.GetLeft() < 0 || label.GetRight() >= GetClientSize().x))
        Scroll(std::max(0, GetViewStart().x + (label.GetLeft() - FromDIP(20)) / unitX), -1);
}

// The selected bone follows mouse clicks only (moving the selection with the keys does not
// change it): a click that leaves its row's item selected selects the item's bone, wherever on
// the row it hit (icon, label, indent, right of the label). The control's own handling runs
// first; it selects the row (not on an expand button) and starts a label edit on a second
// click of the selected item.
void CHierarchyView::OnMouseDown(wxMouseEvent& event)
{
    int flags = 0;
    const wxTreeItemId item = HitTest(event.GetPosition(), flags);
    event.Skip();
    if (!item.IsOk())
        return;
    // A left click is left to the control: selecting the item here first would make the click
    // count as one on the selected item, which starts editing.
    if (!event.LeftDown())
        SelectItem(item);
    CallAfter([this, item] {
        if (GetSelection() == item)
            SelectBoneOfItem(item);
    });
}

void CHierarchyView::SelectBoneOfItem(const wxTreeItemId& item)
{
    g_scene.m_selectedBone = BoneOfItem(item);
    CMainFrame& frame = TheMainFrame();
    frame.m_sceneView->InvalidateView();
    frame.m_sliderView->UpdateKeyFrameTicks();
    frame.m_sliderView->ShowBoneValues();
}

void CHierarchyView::OnBeginLabelEdit(wxTreeEvent& event)
{
    // The root item carries the document's title, which is not renamed here.
    if (BoneOfItem(event.GetItem()) < 0)
        event.Veto();
}

// The control's own change of the text is always refused; an accepted name is set here.
void CHierarchyView::OnEndLabelEdit(wxTreeEvent& event)
{
    event.Veto();
    if (event.IsEditCancelled())
        return;
    const wxString label = event.GetLabel();
    const RenameResult result = RenameBone(g_scene, BoneOfItem(event.GetItem()), label.utf8_string());
    if (result == RenameResult::Renamed || result == RenameResult::Unchanged)
        SetItemText(event.GetItem(), label);
    if (result == RenameResult::Renamed)
        TheDocument().SetModifiedFlag(true);
}
