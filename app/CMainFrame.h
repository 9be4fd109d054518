// The main window: the menu bar, the main and control toolbars side by side, the status bar,
// and three nested static splitters holding the five panes (bone tree, material list and
// animation list on the left; the 3D view above the timeline form on the right). The
// toolbars dock on any side or float, dragged by the space between their buttons; a docked
// bar stays inside its side, and one longer than its side shows an overflow button that
// lists the buttons cut off. It keeps the pane directory and routes every command to the
// handler registered for it.
#pragma once

#include "viewport/PaneDirectory.h"

#include <wx/aui/framemanager.h>
#include <wx/frame.h>

#include <array>
#include <memory>

class CAnimationView;
class CHierarchyView;
class CKinemorphixDoc;
class CKinemorphixView;
class CMaterialView;
class CSliderView;
class CSmartSplitterWnd;
class wxStatusBar;
class wxAuiToolBar;
class wxAuiToolBarEvent;

class CMainFrame : public wxFrame {
public:
    explicit CMainFrame(CKinemorphixDoc& document);
    ~CMainFrame() override;

    // False when a splitter or a pane (the 3D view's OpenGL set-up) could not be made; the
    // frame must then be destroyed.
    bool CreatedClient() const { return m_sceneView != nullptr; }

    // The pane directory: set once all five panes exist, never owning them.
    CKinemorphixView* m_sceneView = nullptr;
    CSliderView* m_sliderView = nullptr;
    CHierarchyView* m_hierarchyView = nullptr;
    CAnimationView* m_animationView = nullptr;
    CMaterialView* m_materialView = nullptr;

    CSmartSplitterWnd* m_mainSplitter = nullptr;   // left column | right column
    CSmartSplitterWnd* m_leftSplitter = nullptr;   // bone tree, material list, animation list
    CSmartSplitterWnd* m_rightSplitter = nullptr;  // 3D view, timeline form
    wxAuiToolBar* m_mainToolBar = nullptr;
    wxAuiToolBar* m_controlToolBar = nullptr;
    wxStatusBar* m_statusBar = nullptr;

    // The client area's height with the toolbars and the status bar, as the pane sizes count it.
    int ClientHeightWithBars() const;
    // Shows or hides a toolbar or the status bar and lays the window out again.
    void ShowBar(wxWindow* bar, bool show);
    // The docking of the toolbars.
    wxAuiManager& Docking();
    // The recent files on the File menu (a disabled placeholder while there are none).
    void RefreshRecentFilesMenu();

private:
    class SceneViewUpdates;
    class ToolBarDocking;

    // Where a docked toolbar sits: side, layer, row and place along the row.
    struct BarPlace {
        int direction = 0;
        int layer = 0;
        int row = 0;
        int position = 0;
        bool operator==(const BarPlace&) const = default;
    };

    bool CreateClient();
    void CreateBars();
    // Wraps the docked toolbars of each side into the rows its length allows, from the rows
    // the user put them on, keeps each inside its side and cuts one longer than its side;
    // true when the docking changed.
    bool ArrangeToolBars();
    // Shows a docked bar `length` long along its side, with the overflow button when that is
    // shorter than its buttons need; true when that changed it.
    bool SetBarLength(wxAuiToolBar& toolBar, bool horizontal, int length);
    // What a bar's buttons need along a side, without the overflow button.
    static int FullLength(const wxAuiToolBar& toolBar, bool horizontal);
    // The buttons a bar's length cuts off, as a menu below its overflow button.
    void OnToolBarOverflow(wxAuiToolBarEvent& event);
    // The three lists of the left column a third high each, until the window is on the screen.
    void SettleLeftColumn();
    // Gives the 3D view and the timeline form their heights from what the bars leave.
    void ApplyPaneHeights();
    int TimelineHeightNeeded() const;
    void OnToolBarLeftDown(wxMouseEvent& event);
    void OnCommand(wxCommandEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnToolBarMotion(wxMouseEvent& event);

    CKinemorphixDoc& m_document;
    CPaneDirectory m_paneDirectory;
    std::unique_ptr<SceneViewUpdates> m_sceneViewUpdates;
    std::unique_ptr<ToolBarDocking> m_docking;
    // For each toolbar: where the user put it, and where it was last shown.
    std::array<BarPlace, 2> m_barHomes{};
    std::array<BarPlace, 2> m_barShown{};
    int m_paneHeightApplied = -1;
    bool m_leftColumnSettled = false;
};
