// A static splitter of two or three panes in one row or one column, with 5-pixel bars and
// no borders. A toolkit splitter holds two panes, so a third pane sits in a second splitter
// nested in the first one's second pane; rows and columns are addressed as one grid.
#pragma once

#include <wx/splitter.h>

#include <vector>

class CSmartSplitterWnd : public wxSplitterWindow {
public:
    // rows x cols panes; one of them is 1, the other 2 or 3.
    CSmartSplitterWnd(wxWindow* parent, int rows, int cols, wxWindowID id = wxID_ANY);

    // The window a pane of (row, col) must be created in.
    wxWindow* PaneParent(int row, int col);
    // Places a pane made in PaneParent(row, col); the panes are shown once all are placed.
    void SetPane(int row, int col, wxWindow* pane);
    wxWindow* GetPane(int row, int col) const;

    // Ideal height of a row (width of a column). The last pane takes what is left.
    void SetRowInfo(int row, int ideal, int minimum);
    void SetColumnInfo(int col, int ideal, int minimum);
    // Applies the ideal sizes.
    void RecalcLayout();
    // The size a pane has now (height of a row, width of a column).
    int PaneExtent(int index) const;
    // When the splitter grows or shrinks, every pane takes an equal share of the change (by
    // default the last pane takes all of it).
    void ShareResizeEvenly();
    // A splitter of two columns keeps its first column as wide as it was made or last dragged:
    // the toolkit's splitter moves its bar left when the window is briefly narrower than the
    // bar's place (as the docking lays out the bars) and never moves it back.
    void KeepFirstColumn();

private:
    int Index(int row, int col) const { return m_rows > 1 ? row : col; }
    void SetIdeal(int index, int ideal);
    void SplitWhenComplete();

    int m_rows;
    int m_cols;
    wxSplitterWindow* m_inner = nullptr;  // second and third pane of three
    std::vector<wxWindow*> m_panes;
    std::vector<int> m_ideal;
    int m_draggedFirst = 0;  // the first column's width as the user last dragged it, 0 for none
    bool m_dragging = false;
};
