#include "app/CMainFrame.h"

#include "app/CAnimationView.h"
#include "app/CFileDropTarget.h"
#include "app/CHierarchyView.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMaterialView.h"
#include "app/CSliderView.h"
#include "app/CSmartSplitterWnd.h"
#include "app/CommandBars.h"
#include "app/ResourceImages.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "app/logic/SplitterLayout.h"
#include "app/logic/TextFieldKeys.h"
#include "viewport/WxKinemorphixView.h"

#include <wx/aui/auibar.h>
#include <wx/filehistory.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>
#include <wx/textentry.h>
#include <wx/utils.h>

#include <algorithm>
#include <map>

// The 3D view redraws on every update hint.
class CMainFrame::SceneViewUpdates : public IDocumentView {
public:
    explicit SceneViewUpdates(CKinemorphixView& view) : m_view(view) {}
    void OnUpdate(int) override { m_view.InvalidateView(); }

private:
    CKinemorphixView& m_view;
};

// The docking, which also tells how long the docks of a side are as it last laid them out.
class CMainFrame::ToolBarDocking : public wxAuiManager {
public:
    // The length of a side's docks in one layer (its rows are all as long) as far as the
    // client area shows them; 0 before they are laid out.
    int SideLength(int direction, int layer) const
    {
        const wxSize client = GetManagedWindow()->GetClientSize();
        for (std::size_t i = 0; i < m_docks.GetCount(); ++i) {
            const wxAuiDockInfo& dock = m_docks.Item(i);
            if (dock.dock_direction != direction || dock.dock_layer != layer || dock.rect.IsEmpty())
                continue;
            return dock.IsHorizontal() ? std::min(dock.rect.width, client.x - dock.rect.x)
                                       : std::min(dock.rect.height, client.y - dock.rect.y);
        }
        return 0;
    }
};

namespace {

const wxSize kInitialFrameSize(1240, 760);
const char* const kIdleText = "レディ";
const char* const kIndicators[] = {"CAP", "NUM", "SCRL"};

}  // namespace

CMainFrame::CMainFrame(CKinemorphixDoc& document)
    : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(document.FrameTitle()), wxDefaultPosition, kInitialFrameSize),
      m_document(document),
      m_docking(std::make_unique<ToolBarDocking>())
{
    SetIcons(ProgramIcons());
    SetMenuBar(BuildMenuBar());
    if (!CreateClient())
        return;
    CreateBars();
    SetAcceleratorTable(BuildAcceleratorTable());
    RefreshRecentFilesMenu();

    SetDropTarget(new CFileDropTarget);
    for (wxWindow* pane : std::initializer_list<wxWindow*>{m_hierarchyView, m_materialView, m_animationView,
                                                          m_sceneView, m_sliderView})
        pane->SetDropTarget(new CFileDropTarget);

    Bind(wxEVT_MENU, &CMainFrame::OnCommand, this);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateCommand, this);
    Bind(wxEVT_SIZE, &CMainFrame::OnSize, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
}

CMainFrame::~CMainFrame()
{
    // The window of a floating toolbar refers to the docking: it goes while the docking lives.
    wxAuiPaneInfoArray& panes = m_docking->GetAllPanes();
    for (std::size_t i = 0; i < panes.GetCount(); ++i) {
        wxAuiPaneInfo& pane = panes.Item(i);
        if (pane.frame) {
            pane.window->Reparent(this);
            delete pane.frame;
            pane.frame = nullptr;
        }
    }
    m_docking->UnInit();
    if (GetPaneDirectory() == &m_paneDirectory)
        SetPaneDirectory(nullptr);
    for (IDocumentView* view : std::initializer_list<IDocumentView*>{
             m_hierarchyView, m_materialView, m_animationView, m_sceneViewUpdates.get(), m_sliderView})
        m_document.RemoveView(view);
    TheApp().FrameDestroyed(this);
}

// The three splitters and the five panes, sized for the client area as it is now.
bool CMainFrame::CreateClient()
{
    const int height = ClientHeightWithBars();
    const InitialPaneSizes sizes = InitialSizes(height);

    m_mainSplitter = new CSmartSplitterWnd(this, 1, 2);
    m_mainSplitter->SetColumnInfo(0, kLeftColumnWidth, 0);

    m_leftSplitter = new CSmartSplitterWnd(m_mainSplitter, 3, 1);
    m_hierarchyView = new CHierarchyView(m_leftSplitter->PaneParent(0, 0));
    m_materialView = new CMaterialView(m_leftSplitter->PaneParent(1, 0));
    m_animationView = new CAnimationView(m_leftSplitter->PaneParent(2, 0));
    m_leftSplitter->SetRowInfo(0, sizes.leftRowHeight, 0);
    m_leftSplitter->SetRowInfo(1, sizes.leftRowHeight, 0);
    m_leftSplitter->SetRowInfo(2, sizes.leftRowHeight, 0);
    m_leftSplitter->SetPane(0, 0, m_hierarchyView);
    m_leftSplitter->SetPane(1, 0, m_materialView);
    m_leftSplitter->SetPane(2, 0, m_animationView);

    m_mainSplitter->SetColumnInfo(1, kRightColumnIdealWidth, 0);
    m_rightSplitter = new CSmartSplitterWnd(m_mainSplitter, 2, 1);
    CKinemorphixView* view = CKinemorphixView::CreateView(m_rightSplitter->PaneParent(0, 0));
    if (!view)
        return false;
    m_sliderView = new CSliderView(m_rightSplitter->PaneParent(1, 0));
    m_rightSplitter->SetRowInfo(0, sizes.viewHeight, 0);
    m_rightSplitter->SetRowInfo(1, sizes.timelineHeight, 0);
    m_rightSplitter->SetPane(0, 0, view);
    m_rightSplitter->SetPane(1, 0, m_sliderView);
    m_mainSplitter->SetPane(0, 0, m_leftSplitter);
    m_mainSplitter->SetPane(0, 1, m_rightSplitter);

    view->SetModifiedHandler([this] { m_document.SetModifiedFlag(true); });
    m_sceneViewUpdates = std::make_unique<SceneViewUpdates>(*view);

    // The directory, and the document's views in the order the panes were made.
    m_sceneView = view;
    m_paneDirectory = CPaneDirectory{m_sceneView, m_sliderView, m_hierarchyView, m_animationView, m_materialView};
    SetPaneDirectory(&m_paneDirectory);
    for (IDocumentView* documentView : std::initializer_list<IDocumentView*>{
             m_hierarchyView, m_materialView, m_animationView, m_sceneViewUpdates.get(), m_sliderView})
        m_document.AddView(documentView);
    return true;
}

wxAuiManager& CMainFrame::Docking()
{
    return *m_docking;
}

void CMainFrame::CreateBars()
{
    const long toolStyle = wxAUI_TB_TEXT | wxAUI_TB_PLAIN_BACKGROUND | wxAUI_TB_OVERFLOW;
    m_mainToolBar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, toolStyle);
    m_controlToolBar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, toolStyle);
    AddTools(*m_mainToolBar, MainToolBarLayout());
    AddTools(*m_controlToolBar, ControlToolBarLayout());
    for (wxAuiToolBar* toolBar : {m_mainToolBar, m_controlToolBar}) {
        toolBar->SetToolBitmapSize(wxSize(16, 16));
        // The overflow button shows only while a bar is cut.
        toolBar->SetOverflowVisible(false);
        toolBar->Realize();
        toolBar->Bind(wxEVT_AUITOOLBAR_OVERFLOW_CLICK, &CMainFrame::OnToolBarOverflow, this);
        toolBar->Bind(wxEVT_MOTION, &CMainFrame::OnToolBarMotion, this);
        toolBar->Bind(wxEVT_LEAVE_WINDOW, &CMainFrame::OnToolBarMotion, this);
        toolBar->Bind(wxEVT_LEFT_DOWN, &CMainFrame::OnToolBarLeftDown, this);
        // A floating toolbar lives in a window of its own, whose events do not reach the frame.
        toolBar->Bind(wxEVT_MENU, &CMainFrame::OnCommand, this);
        toolBar->Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateCommand, this);
    }

    // The splitters fill what the toolbars leave; the control toolbar docks to the right of the
    // main toolbar, on the same row while the window is wide enough, else on a row of its own.
    m_docking->SetManagedWindow(this);
    m_docking->AddPane(m_mainSplitter, wxAuiPaneInfo().Name("panes").CenterPane().PaneBorder(false));
    const auto toolBarPane = [](const char* name, const char* caption, int position) {
        return wxAuiPaneInfo()
            .Name(name)
            .Caption(wxString::FromUTF8(caption))
            .ToolbarPane()
            .Top()
            .Row(0)
            .Position(position)
            .Gripper(false)
            .PaneBorder(false)
            .CloseButton(false);
    };
    m_docking->AddPane(m_mainToolBar, toolBarPane("mainToolBar", "メイン ツール バー", 0));
    m_docking->AddPane(m_controlToolBar, toolBarPane("controlToolBar", "コントロール ツール バー", 1));
    for (std::size_t i = 0; i < m_barHomes.size(); ++i) {
        const wxAuiPaneInfo& pane = m_docking->GetPane(i == 0 ? m_mainToolBar : m_controlToolBar);
        m_barHomes[i] = m_barShown[i] = {pane.dock_direction, pane.dock_layer, pane.dock_row, pane.dock_pos};
    }
    m_docking->Update();

    m_statusBar = CreateStatusBar(4);
    const int widths[] = {-1, 50, 50, 50};
    m_statusBar->SetStatusWidths(4, widths);
    SetStatusBarPane(0);
    SetStatusText(wxString::FromUTF8(kIdleText), 0);
}

int CMainFrame::ClientHeightWithBars() const
{
    int height = GetClientSize().y;
    if (m_statusBar && m_statusBar->IsShown())
        height += m_statusBar->GetSize().y;
    return height;
}

void CMainFrame::ShowBar(wxWindow* bar, bool show)
{
    if (!bar || bar->IsShown() == show)
        return;
    bar->Show(show);
    if (bar == m_statusBar) {
        PositionStatusBar();
    } else {
        m_docking->GetPane(bar).Show(show);
        m_docking->Update();
    }
    Layout();
    SendSizeEvent();
}

void CMainFrame::RefreshRecentFilesMenu()
{
    wxMenuBar* bar = GetMenuBar();
    wxMenu* fileMenu = bar ? bar->GetMenu(0) : nullptr;
    if (!fileMenu)
        return;
    // The list's place: where the first entry (or the placeholder) stands now.
    int position = -1;
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE4; ++id) {
        size_t at = 0;
        if (fileMenu->FindChildItem(WindowIdOf(id), &at) && (position < 0 || static_cast<int>(at) < position))
            position = static_cast<int>(at);
        if (fileMenu->FindItem(WindowIdOf(id)))
            fileMenu->Destroy(WindowIdOf(id));
    }
    if (position < 0)
        return;
    const wxFileHistory& history = TheApp().FileHistory();
    if (history.GetCount() == 0) {
        fileMenu->Insert(position, WindowIdOf(ID_FILE_MRU_FILE1), wxString::FromUTF8("最近使ったファイル"));
        return;
    }
    for (size_t i = 0; i < history.GetCount() && i < 4; ++i) {
        wxString path = history.GetHistoryFile(i);
        path.Replace("&", "&&");
        fileMenu->Insert(position + i, WindowIdOf(ID_FILE_MRU_FILE1) + static_cast<int>(i), wxString::Format("&%zu %s", i + 1, path));
    }
}

void CMainFrame::OnCommand(wxCommandEvent& event)
{
    const CCommandRegistry& registry = CCommandRegistry::Instance();
    const int id = CommandIdOf(event.GetId());
    // A key of the frame's accelerator table (the event has no menu or toolbar behind it)
    // that a focused text field uses for its own editing goes on to the field.
    const bool editsText = !event.GetEventObject() && HasTextEditingAccelerator(id) &&
                           dynamic_cast<wxTextEntry*>(wxWindow::FindFocus()) != nullptr;
    if (editsText || !registry.HasHandler(id)) {
        event.Skip();
        return;
    }
    registry.Execute(id);
}

void CMainFrame::OnUpdateCommand(wxUpdateUIEvent& event)
{
    const CommandInfo* command = FindCommand(CommandIdOf(event.GetId()));
    if (!command) {
        event.Skip();
        return;
    }
    const CommandState state = CCommandRegistry::Instance().State(command->id);
    event.Enable(state.enabled);
    if (command->kind == CommandKind::Check)
        event.Check(state.checked);
}

void CMainFrame::OnSize(wxSizeEvent& event)
{
    // The docking has laid out the bars and the splitters for the new size; the toolbars may
    // take other rows now.
    Layout();
    if (ArrangeToolBars())
        m_docking->Update();
    SettleLeftColumn();
    ApplyPaneHeights();
    event.Skip();
}

void CMainFrame::SettleLeftColumn()
{
    if (m_leftColumnSettled || !m_leftSplitter)
        return;
    // Until the window is on the screen its size is not final: the three lists are made a
    // third of the client height high for the size it has when it appears. From then on they
    // share every change of the height, so that none is pushed out of a smaller window.
    const int rowHeight = InitialSizes(ClientHeightWithBars()).leftRowHeight;
    for (int row = 0; row < 3; ++row)
        m_leftSplitter->SetRowInfo(row, rowHeight, 0);
    m_leftSplitter->RecalcLayout();
    if (IsShownOnScreen()) {
        m_leftSplitter->ShareResizeEvenly();
        m_leftColumnSettled = true;
    }
}

bool CMainFrame::ArrangeToolBars()
{
    const std::array<wxAuiToolBar*, 2> bars{m_mainToolBar, m_controlToolBar};
    // The toolbars docked and shown, by side and layer.
    std::map<std::pair<int, int>, std::vector<std::size_t>> sides;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const wxAuiPaneInfo& pane = m_docking->GetPane(bars[i]);
        if (!pane.IsOk() || !pane.IsDocked() || !pane.IsShown())
            continue;
        // A bar that is not where it was last shown was moved by the user: that is its place now.
        const BarPlace now{pane.dock_direction, pane.dock_layer, pane.dock_row, pane.dock_pos};
        if (now != m_barShown[i])
            m_barHomes[i] = m_barShown[i] = now;
        sides[{now.direction, now.layer}].push_back(i);
    }

    bool changed = false;
    for (const auto& [side, members] : sides) {
        const bool horizontal = side.first == wxAUI_DOCK_TOP || side.first == wxAUI_DOCK_BOTTOM;
        const int room = m_docking->SideLength(side.first, side.second);
        if (room <= 0)
            continue;
        std::vector<DockedBar> docked;
        for (std::size_t i : members)
            docked.push_back({m_barHomes[i].row, m_barHomes[i].position, FullLength(*bars[i], horizontal)});
        const std::vector<ShownBar> places = PlaceBars(docked, room);
        for (std::size_t n = 0; n < members.size(); ++n) {
            const std::size_t i = members[n];
            changed |= SetBarLength(*bars[i], horizontal, places[n].length);
            BarPlace shown = m_barHomes[i];
            shown.row = places[n].row;
            shown.position = places[n].position;
            if (shown == m_barShown[i])
                continue;
            m_barShown[i] = shown;
            m_docking->GetPane(bars[i]).Row(shown.row).Position(shown.position);
            changed = true;
        }
    }
    return changed;
}

int CMainFrame::FullLength(const wxAuiToolBar& toolBar, bool horizontal)
{
    const wxSize hint = toolBar.GetHintSize(horizontal ? wxAUI_DOCK_TOP : wxAUI_DOCK_LEFT);
    const int overflow =
        toolBar.GetOverflowVisible() ? toolBar.GetArtProvider()->GetElementSize(wxAUI_TBART_OVERFLOW_SIZE) : 0;
    return (horizontal ? hint.x : hint.y) - overflow;
}

bool CMainFrame::SetBarLength(wxAuiToolBar& toolBar, bool horizontal, int length)
{
    bool changed = false;
    const bool cut = length < FullLength(toolBar, horizontal);
    if (toolBar.GetOverflowVisible() != cut) {
        toolBar.SetOverflowVisible(cut);
        toolBar.Realize();
        changed = true;
    }
    wxSize size = toolBar.GetHintSize(horizontal ? wxAUI_DOCK_TOP : wxAUI_DOCK_LEFT);
    (horizontal ? size.x : size.y) = length;
    wxAuiPaneInfo& pane = m_docking->GetPane(&toolBar);
    if (pane.best_size != size) {
        pane.BestSize(size);
        changed = true;
    }
    return changed;
}

void CMainFrame::OnToolBarOverflow(wxAuiToolBarEvent& event)
{
    auto* toolBar = static_cast<wxAuiToolBar*>(event.GetEventObject());
    const std::unique_ptr<wxMenu> menu = BuildOverflowMenu(*toolBar);
    if (menu->GetMenuItemCount() == 0)
        return;
    // Below the bar at the click, where wx opens the drop-downs of a bar.
    toolBar->PopupMenu(menu.get(), wxPoint(event.GetClickPoint().x, toolBar->GetClientSize().y));
}

int CMainFrame::TimelineHeightNeeded() const
{
    wxSizer* sizer = m_sliderView ? m_sliderView->GetSizer() : nullptr;
    if (!sizer)
        return 0;
    // Its rows wrap: what it needs depends on its width.
    sizer->InformFirstDirection(wxHORIZONTAL, m_sliderView->GetClientSize().x, -1);
    return sizer->GetMinSize().y + m_sliderView->GetSize().y - m_sliderView->GetClientSize().y;
}

void CMainFrame::ApplyPaneHeights()
{
    // The 3D view gets what the bars leave less 170 pixels, the timeline form the rest.
    FrameResize resize;
    resize.type = IsIconized() ? FrameSizeType::Minimized : IsMaximized() ? FrameSizeType::Maximized : FrameSizeType::Restored;
    resize.cx = GetClientSize().x;
    resize.cy = ClientHeightWithBars();
    resize.rightColumnExists = m_rightSplitter != nullptr;
    resize.paneHeight = m_mainSplitter ? m_mainSplitter->GetSize().y : 0;
    resize.timelineNeeds = TimelineHeightNeeded();
    m_paneHeightApplied = resize.paneHeight;
    if (const std::optional<int> viewHeight = ViewHeightOnResize(resize)) {
        m_rightSplitter->SetRowInfo(0, *viewHeight, 0);
        m_rightSplitter->RecalcLayout();
    }
}

// A press on a toolbar between its buttons drags the toolbar: to another side of the window,
// another row, or out of the window to float.
void CMainFrame::OnToolBarLeftDown(wxMouseEvent& event)
{
    auto* toolBar = static_cast<wxAuiToolBar*>(event.GetEventObject());
    const wxAuiToolBarItem* item = toolBar->FindToolByPosition(event.GetX(), event.GetY());
    if ((item && item->GetKind() != wxITEM_SEPARATOR) || OnOverflowButton(*toolBar, event.GetPosition())) {
        event.Skip();
        return;
    }
    // A cut bar is dragged at its whole length.
    if (toolBar->GetOverflowVisible()) {
        const bool horizontal = !StandsUpright(*toolBar);
        SetBarLength(*toolBar, horizontal, FullLength(*toolBar, horizontal));
    }
    m_docking->StartPaneDrag(toolBar, event.GetPosition());
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    if (event.CanVeto() && !m_document.SaveModified()) {
        event.Veto();
        return;
    }
    Destroy();
}

// The prompt of the button under the mouse in the status bar, as the menus do.
void CMainFrame::OnToolBarMotion(wxMouseEvent& event)
{
    auto* toolBar = static_cast<wxAuiToolBar*>(event.GetEventObject());
    const wxAuiToolBarItem* item =
        event.Leaving() ? nullptr : toolBar->FindToolByPosition(event.GetX(), event.GetY());
    const bool show = item && !item->GetLongHelp().empty();
    DoGiveHelp(show ? item->GetLongHelp() : wxString(), show);
    event.Skip();
}

void CMainFrame::OnIdle(wxIdleEvent& event)
{
    // After the user dragged a toolbar: its rows, and the panes' heights for what the bars
    // leave now.
    SettleLeftColumn();
    if (!HasCapture() && m_mainSplitter) {
        if (ArrangeToolBars())
            m_docking->Update();
        if (m_mainSplitter->GetSize().y != m_paneHeightApplied)
            ApplyPaneHeights();
    }
    // The lock-key indicators of the status bar.
    if (m_statusBar && m_statusBar->IsShown()) {
        const wxKeyCode keys[] = {WXK_CAPITAL, WXK_NUMLOCK, WXK_SCROLL};
        for (int i = 0; i < 3; ++i) {
            const wxString text = wxGetKeyState(keys[i]) ? wxString(kIndicators[i]) : wxString();
            if (m_statusBar->GetStatusText(i + 1) != text)
                m_statusBar->SetStatusText(text, i + 1);
        }
    }
    event.Skip();
}
