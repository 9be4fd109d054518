#include "app/CAnimationView.h"

#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CommandBars.h"
#include "app/ListPaneBody.h"
#include "app/logic/AnimationListRules.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandTable.h"
#include "app/logic/PaneRenames.h"
#include "platform/Cp932.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <wx/menu.h>

#include <memory>

CAnimationView::CAnimationView(wxWindow* parent)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxLC_EDIT_LABELS)
{
    wxWindow& body = ListBody(*this);
    body.Bind(wxEVT_LEFT_DOWN, &CAnimationView::OnLeftDown, this);
    body.Bind(wxEVT_RIGHT_DOWN, &CAnimationView::OnRightDown, this);
    Bind(wxEVT_LIST_END_LABEL_EDIT, &CAnimationView::OnEndLabelEdit, this);
}

void CAnimationView::OnUpdate(int hint)
{
    switch (hint) {
    case HintPlaybackStarted:
    case HintPlaybackStopped:
    case HintAnimationSelected:
    case HintFrameChanged:
        return;
    case HintUndoRedo:
        break;
    default:
        Rebuild();
        break;
    }
    SelectAndFocusRow(*this, g_currentAnimation);
}

void CAnimationView::Rebuild()
{
    Freeze();
    ClearList(*this);
    InsertColumn(0, wxString::FromUTF8("アニメーション名"), wxLIST_FORMAT_LEFT, FromDIP(130));
    InsertColumn(1, wxString::FromUTF8("最後"), wxLIST_FORMAT_LEFT, FromDIP(50));
    // The rows are the scene's animations, asked for as they are drawn.
    SetItemCount(static_cast<long>(g_scene.m_animationNames.size()));
    Thaw();
}

wxString CAnimationView::OnGetItemText(long item, long column) const
{
    if (item < 0 || static_cast<std::size_t>(item) >= g_scene.m_animationNames.size())
        return {};
    if (column == 0)
        return wxString::FromUTF8(cp932::ToUtf8(g_scene.m_animationNames[item]));
    return AnimationLastFrameText(g_scene, static_cast<int>(item));
}

void CAnimationView::SelectAnimationAt(const wxPoint& bodyPoint)
{
    int flags = 0;
    const long row = HitTest(bodyPoint, flags);
    if (row < 0 || row >= GetItemCount() || !SelectAnimation(g_scene, static_cast<int>(row)))
        return;
    TheDocument().UpdateAllViews(HintAnimationSelected);
}

void CAnimationView::OnLeftDown(wxMouseEvent& event)
{
    SelectAnimationAt(event.GetPosition());
    event.Skip();
}

void CAnimationView::OnRightDown(wxMouseEvent& event)
{
    SelectAnimationAt(event.GetPosition());
    // The items' commands reach this list first, then the frame, which runs them.
    std::unique_ptr<wxMenu> menu(BuildPopupMenu(PopupMenuId::Animation));
    PopupMenu(menu.get());
    event.Skip();
}

void CAnimationView::OnAnimationCommand(int id)
{
    SetFocus();
    switch (id) {
    case ID_ANIMATION_ADD:
        AddAnimationWithMap(g_scene);
        break;
    case ID_ANIMATION_DUPLICATE:
        if (!DuplicateCurrentAnimation(g_scene))
            return;
        break;
    case ID_ANIMATION_DELETE:
        DeleteCurrentAnimation(g_scene);
        break;
    default:
        return;
    }
    CKinemorphixDoc& document = TheDocument();
    document.UpdateAllViews(HintKeysChanged);
    document.SetModifiedFlag(true);
}

void CAnimationView::OnEndLabelEdit(wxListEvent& event)
{
    FinishRowRename(*this, event, RenameAnimation);
}
