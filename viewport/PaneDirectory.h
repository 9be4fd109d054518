// The panes of the main window find each other here rather than through the document: the
// 3D view tells the timeline form and the bone tree about a pick, others have the 3D view
// redrawn. The main frame fills the directory once all its panes exist; until then (and in
// hosts without those panes) the entries are null and callers skip them.
#pragma once

// The 3D view as other panes see it.
class ISceneViewPane {
public:
    virtual ~ISceneViewPane() = default;
    // Marks the whole view for redrawing.
    virtual void InvalidateView() = 0;
};

// The timeline form.
class ISliderPane {
public:
    virtual ~ISliderPane() = default;
    virtual void UpdateKeyFrameTicks() = 0;
    virtual void ShowBoneValues() = 0;
};

// The bone tree.
class IHierarchyPane {
public:
    virtual ~IHierarchyPane() = default;
    virtual void SelectCurrentBoneItem() = 0;
};

// Panes that are registered but that no other pane calls.
class IPane {
public:
    virtual ~IPane() = default;
};

// Non-owning pointers to the five panes.
struct CPaneDirectory {
    ISceneViewPane* m_sceneView = nullptr;
    ISliderPane* m_sliderView = nullptr;
    IHierarchyPane* m_hierarchyView = nullptr;
    IPane* m_animationView = nullptr;
    IPane* m_materialView = nullptr;
};

// The main frame's directory, or null before the frame has created its panes.
CPaneDirectory* GetPaneDirectory();
// Installed by the main frame when its panes exist; null when it goes away.
void SetPaneDirectory(CPaneDirectory* directory);
