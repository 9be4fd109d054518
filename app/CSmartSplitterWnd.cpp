#include "app/CSmartSplitterWnd.h"

#include "app/logic/SplitterLayout.h"

#include <wx/renderer.h>

#include <algorithm>
#include <utility>

namespace {

// Splitter bars of kSplitterBarSize pixels without borders, whatever the theme's are. The
// toolkit's splitter takes its bar size from the renderer, so the program's renderer is the
// native one with this one difference.
class SplitterBarRenderer : public wxDelegateRendererNative {
public:
    SplitterBarRenderer() : wxDelegateRendererNative(wxRendererNative::GetDefault()) {}

    wxSplitterRenderParams GetSplitterParams(const wxWindow* window) override
    {
        return {kSplitterBarSize, 0, wxDelegateRendererNative::GetSplitterParams(window).isHotSensitive};
    }
};

void UseSplitterBarRenderer()
{
    static const bool installed = [] {
        delete wxRendererNative::Set(new SplitterBarRenderer);  // nothing was set before
        return true;
    }();
    (void)installed;
}

constexpr long kStyle = wxSP_NOBORDER | wxSP_LIVE_UPDATE | wxSP_3DSASH;

// Common set-up of the outer and the nested splitter: panes may get very small but never
// vanish (a static splitter is never unsplit), and the background is left to the panes.
void Prepare(wxSplitterWindow& splitter)
{
    splitter.SetMinimumPaneSize(1);
    splitter.SetSashGravity(0.0);
    splitter.Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
    splitter.Bind(wxEVT_SPLITTER_DOUBLECLICKED, [](wxSplitterEvent& event) { event.Veto(); });
}

}  // namespace

CSmartSplitterWnd::CSmartSplitterWnd(wxWindow* parent, int rows, int cols, wxWindowID id)
    : wxSplitterWindow(parent, id, wxDefaultPosition, wxDefaultSize, kStyle), m_rows(rows), m_cols(cols)
{
    UseSplitterBarRenderer();
    const int count = rows * cols;
    m_panes.assign(count, nullptr);
    m_ideal.assign(count, 0);
    Prepare(*this);
    if (count == 3) {
        m_inner = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, kStyle);
        Prepare(*m_inner);
    }
    if (cols != 2)
        return;
    // Only a drag of this splitter's own bar is the user's width (the panes' splitters send
    // their events up here too); a bar moved by the toolkit comes without the drag before.
    Bind(wxEVT_SPLITTER_SASH_POS_CHANGING, [this](wxSplitterEvent& event) {
        m_dragging = m_dragging || event.GetEventObject() == this;
        event.Skip();
    });
    Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, [this](wxSplitterEvent& event) {
        if (event.GetEventObject() == this && std::exchange(m_dragging, false))
            m_draggedFirst = event.GetSashPosition();
        event.Skip();
    });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        CallAfter(&CSmartSplitterWnd::KeepFirstColumn);  // after the toolkit's own handling
    });
}

wxWindow* CSmartSplitterWnd::PaneParent(int row, int col)
{
    return m_inner && Index(row, col) > 0 ? m_inner : static_cast<wxWindow*>(this);
}

void CSmartSplitterWnd::SetPane(int row, int col, wxWindow* pane)
{
    m_panes.at(Index(row, col)) = pane;
    SplitWhenComplete();
}

wxWindow* CSmartSplitterWnd::GetPane(int row, int col) const
{
    return m_panes.at(Index(row, col));
}

void CSmartSplitterWnd::SplitWhenComplete()
{
    for (wxWindow* pane : m_panes)
        if (!pane)
            return;
    const bool rows = m_rows > 1;
    auto split = [rows](wxSplitterWindow* splitter, wxWindow* first, wxWindow* second, int position) {
        if (rows)
            splitter->SplitHorizontally(first, second, position);
        else
            splitter->SplitVertically(first, second, position);
    };
    if (m_inner) {
        split(m_inner, m_panes[1], m_panes[2], m_ideal[1]);
        split(this, m_panes[0], m_inner, m_ideal[0]);
    } else {
        split(this, m_panes[0], m_panes[1], m_ideal[0]);
    }
}

void CSmartSplitterWnd::SetIdeal(int index, int ideal)
{
    if (index >= 0 && index < static_cast<int>(m_ideal.size()))
        m_ideal[index] = ideal;
}

void CSmartSplitterWnd::SetRowInfo(int row, int ideal, int)
{
    SetIdeal(row, ideal);
}

void CSmartSplitterWnd::SetColumnInfo(int col, int ideal, int)
{
    SetIdeal(col, ideal);
}

void CSmartSplitterWnd::RecalcLayout()
{
    // An ideal of 0 or less leaves the first pane as small as it may be.
    if (IsSplit())
        SetSashPosition(std::max(m_ideal[0], 1));
    if (m_inner && m_inner->IsSplit())
        m_inner->SetSashPosition(std::max(m_ideal[1], 1));
}

int CSmartSplitterWnd::PaneExtent(int index) const
{
    const wxWindow* pane = m_panes.at(index);
    if (!pane)
        return 0;
    return m_rows > 1 ? pane->GetSize().y : pane->GetSize().x;
}

void CSmartSplitterWnd::KeepFirstColumn()
{
    if (!IsSplit())
        return;
    // The toolkit moves a bar that stands within 5 pixels of the far edge to 40 pixels from it.
    const int kept = std::min(m_draggedFirst > 0 ? m_draggedFirst : m_ideal[0], GetClientSize().x - 40);
    if (kept > GetSashPosition())
        SetSashPosition(kept);
}

void CSmartSplitterWnd::ShareResizeEvenly()
{
    const int count = static_cast<int>(m_panes.size());
    SetSashGravity(1.0 / count);
    if (m_inner)
        m_inner->SetSashGravity(0.5);
}
