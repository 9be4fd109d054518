#include "app/CMaterialView.h"

#include "app/CDlgMaterial.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CommandBars.h"
#include "app/ListPaneBody.h"
#include "app/SwatchImageCache.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandTable.h"
#include "app/logic/MaterialDialogValues.h"
#include "app/logic/MaterialRules.h"
#include "app/logic/PaneRenames.h"
#include "platform/Cp932.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/OpenGLSetup.h"
#include "viewport/RenderSurface.h"

#include <wx/menu.h>

#include <memory>

namespace {

enum Column { ColumnName, ColumnColor, ColumnNumber };

}  // namespace

CMaterialView::CMaterialView(wxWindow* parent)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxLC_EDIT_LABELS)
{
    const wxSize cell(FromDIP(13), FromDIP(13));
    AssignImageList(new wxImageList(cell.x, cell.y, false, 0), wxIMAGE_LIST_SMALL);
    m_swatches = std::make_unique<SwatchImageCache>(*GetImageList(wxIMAGE_LIST_SMALL), cell);
    wxWindow& body = ListBody(*this);
    body.Bind(wxEVT_LEFT_DOWN, &CMaterialView::OnLeftDown, this);
    body.Bind(wxEVT_RIGHT_DOWN, &CMaterialView::OnRightDown, this);
    body.Bind(wxEVT_LEFT_DCLICK, &CMaterialView::OnDoubleClick, this);
    Bind(wxEVT_LIST_BEGIN_LABEL_EDIT, &CMaterialView::OnBeginLabelEdit, this);
    Bind(wxEVT_LIST_END_LABEL_EDIT, &CMaterialView::OnEndLabelEdit, this);
}

CMaterialView::~CMaterialView() = default;

void CMaterialView::OnUpdate(int hint)
{
    if (hint == HintPlaybackStarted || hint == HintPlaybackStopped)
        return;
    Rebuild();
}

void CMaterialView::Rebuild()
{
    Freeze();
    ClearList(*this);
    InsertColumn(ColumnName, wxString::FromUTF8("マテリアル"), wxLIST_FORMAT_LEFT, FromDIP(100));
    InsertColumn(ColumnColor, wxString::FromUTF8("色"), wxLIST_FORMAT_LEFT, FromDIP(40));
    InsertColumn(ColumnNumber, wxString::FromUTF8("番号"), wxLIST_FORMAT_LEFT, FromDIP(40));
    // The rows are the scene's materials, asked for as they are drawn.
    SetItemCount(static_cast<long>(g_scene.m_materials.size()));
    SettleCurrentMaterial(g_scene);
    SelectAndFocusRow(*this, g_scene.m_currentMaterial);
    Thaw();
    Refresh();
}

wxString CMaterialView::OnGetItemText(long item, long column) const
{
    if (item < 0 || static_cast<std::size_t>(item) >= g_scene.m_materials.size())
        return {};
    switch (column) {
    case ColumnName:
        return wxString::FromUTF8(cp932::ToUtf8(g_scene.m_materials[item].m_name));
    case ColumnNumber:
        return MaterialNumberText(g_scene, static_cast<int>(item));
    default:
        return {};
    }
}

int CMaterialView::OnGetItemColumnImage(long item, long column) const
{
    if (column != ColumnColor || item < 0 || static_cast<std::size_t>(item) >= g_scene.m_materials.size())
        return -1;
    const CMaterial& material = g_scene.m_materials[item];
    return m_swatches->ImageOf(SwatchRgb(material.m_color[0], material.m_color[1], material.m_color[2]));
}

void CMaterialView::SelectMaterialAt(const wxPoint& bodyPoint)
{
    int flags = 0;
    const long row = HitTest(bodyPoint, flags);
    g_scene.m_currentMaterial = row >= 0 && row < GetItemCount() ? static_cast<std::int32_t>(row) : -1;
    SelectAndFocusRow(*this, g_scene.m_currentMaterial);
}

void CMaterialView::OnLeftDown(wxMouseEvent& event)
{
    SelectMaterialAt(event.GetPosition());
    event.Skip();
}

void CMaterialView::OnRightDown(wxMouseEvent& event)
{
    SelectMaterialAt(event.GetPosition());
    ShowMaterialMenu();
    event.Skip();
}

void CMaterialView::ShowMaterialMenu()
{
    std::unique_ptr<wxMenu> menu(BuildPopupMenu(PopupMenuId::Material));
    const int numbers = MaterialNumberItemCount(g_scene);
    for (int n = 0; n < numbers; ++n)
        menu->Append(WindowIdOf(ID_MATERIAL_NUMBER_FIRST + n), wxString::Format("%d", n));
    // The items' commands reach this list first, then the frame, which runs them.
    PopupMenu(menu.get());
}

void CMaterialView::OnDoubleClick(wxMouseEvent& event)
{
    SelectMaterialAt(event.GetPosition());
    EditCurrentMaterial();
    event.Skip();
}

void CMaterialView::OnMaterialCommand(int id)
{
    const long selected = FirstSelectedRow(*this);
    if (id == ID_MATERIAL_RENAME) {
        if (g_scene.m_currentMaterial >= 0 && g_scene.m_currentMaterial < GetItemCount()) {
            m_renameRequested = true;
            EditLabel(g_scene.m_currentMaterial);
        }
        return;
    }
    CKinemorphixDoc& document = TheDocument();
    if (id >= ID_MATERIAL_NUMBER_FIRST && id <= ID_MATERIAL_NUMBER_LAST) {
        const MaterialNumberResult result =
            SetMaterialNumber(g_scene, static_cast<int>(selected), id - ID_MATERIAL_NUMBER_FIRST);
        if (result == MaterialNumberResult::NoRow)
            return;
        document.UpdateAllViews(HintDisplayChanged);
        if (result == MaterialNumberResult::Changed)
            document.SetModifiedFlag(true);
        return;
    }
    // Adding and deleting materials are not offered by this editor: they only refresh.
    document.UpdateAllViews(HintDisplayChanged);
}

void CMaterialView::OnBeginLabelEdit(wxListEvent& event)
{
    if (!m_renameRequested)
        event.Veto();
}

void CMaterialView::OnEndLabelEdit(wxListEvent& event)
{
    m_renameRequested = false;
    FinishRowRename(*this, event, RenameMaterial);
}

void CMaterialView::EditCurrentMaterial()
{
    const int index = g_scene.m_currentMaterial;
    if (index < 0 || static_cast<std::size_t>(index) >= g_scene.m_materials.size())
        return;
    CDlgMaterial dialog(this, MaterialDialogValues::From(g_scene.m_materials[index]));
    if (dialog.ShowModal() != wxID_OK)
        return;
    const bool changed = WriteBackMaterial(g_scene, index, dialog.Values());

    // Every material's texture is read again, so that an image changed on disk since it was
    // loaded shows; the context is made current so that they are uploaded now (else before a
    // material is next drawn).
    if (IRenderSurface* surface = AttachedRenderSurface())
        surface->MakeCurrent();
    g_scene.ReloadTextures();
    CMaterial& material = g_scene.m_materials[index];
    material.UpdateGlColors();
    material.Apply();

    CKinemorphixDoc& document = TheDocument();
    document.UpdateAllViews(HintDisplayChanged);
    if (changed)
        document.SetModifiedFlag(true);
}
