// The scene: models, materials, bones with their pose samples, animation names, material
// maps, camera, undo and redo stacks and the view's editing state. Exactly one instance
// exists, g_scene (scene/Globals.h).
#pragma once

#include "platform/Color.h"
#include "scene/CAnimation.h"
#include "scene/CBone.h"
#include "scene/CMaterial.h"
#include "scene/CModel.h"
#include "scene/CVector.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CArchive;

class CCentigrade {
public:
    CCentigrade();

    // Empties models, materials, bones and names, leaves one animation "Animation_0",
    // resets selection, settings, camera and the undo and redo stacks. Frees no texture.
    void ResetScene();
    // Default camera, zoom, field of view and background colour; the camera's scale stays.
    void ResetCamera();
    // Empties all eight undo and redo stacks.
    void ClearUndoRedo();

    // The scene file body (after the two-float head).
    void Serialize(CArchive& ar);

    // Selection accessors.
    CMaterial* GetCurrentMaterial();
    CVector* GetKeyTranslate(std::int32_t animation, std::int32_t frame);
    CVector* GetKeyRotate(std::int32_t animation, std::int32_t frame);
    CVector* GetKeyScale(std::int32_t animation, std::int32_t frame);
    bool IsBoneAndAnimationSelected() const;

    // Scene-wide operations.
    void ResetDeformedVertices();
    void BuildBoneVertexLists();
    void RestoreVertexBindings();
    std::int32_t FindPreviousKey(std::int32_t animation, std::int32_t frame) const;
    std::int32_t FindNextKey(std::int32_t animation, std::int32_t frame) const;

    std::vector<std::vector<std::int32_t>> m_materialMaps;  // per animation: material index -> material id
    std::string m_modelPath;                                 // CP932
    float m_smoothingAngle = 89.5f;
    void* m_hWnd = nullptr;   // the 3D view's window
    void* m_hGLRC = nullptr;  // the view's GL context
    void* m_hDC = nullptr;    // the view's drawable
    std::vector<CModel> m_models;
    std::vector<CModel> m_loadedModels;  // as stored in the scene file; only bindings are taken
    std::vector<CModel> m_backgroundModels;
    std::vector<CMaterial> m_materials;
    std::vector<CMaterial> m_backgroundMaterials;
    std::vector<CBone> m_bones;
    CAnimation m_camera;      // translate = pan, rotate = orbit angles
    std::int32_t m_reserved = 0;
    float m_fieldOfView = 10.0f;
    float m_viewWidth = 0.0f;
    float m_viewHeight = 0.0f;
    std::int32_t m_nextMaterialId = 0;
    std::int32_t m_nextBackgroundMaterialId = 0;
    COLORREF m_backgroundColor = MakeRgb(30, 65, 90);
    float m_zoom = 100.0f;
    std::int32_t m_currentMaterial = 0;
    std::int32_t m_selectedBone = -1;
    CVector m_zeroVector;
    std::vector<std::string> m_animationNames;
    std::array<bool, 3> m_axisEnabled{false, false, false};
    CVector m_followOffset;
    std::vector<std::int32_t> m_undoAnimations;
    std::vector<std::int32_t> m_undoFrames;
    std::vector<std::int32_t> m_undoEditFrames;
    std::vector<std::vector<CAnimation>> m_undoPoses;
    std::vector<std::int32_t> m_redoAnimations;
    std::vector<std::int32_t> m_redoFrames;
    std::vector<std::int32_t> m_redoEditFrames;
    std::vector<std::vector<CAnimation>> m_redoPoses;
    std::int32_t m_editMode = 1;
    bool m_showVertices = true;
    bool m_showEdges = true;
    bool m_showFaces = true;
    bool m_showBones = true;
    bool m_showGrid = true;
    std::int32_t m_activeHandle = -1;
    std::array<std::int32_t, 4> m_selectionRect{0, 0, 0, 0};
    bool m_shiftDown = false;
    bool m_followBone = false;
    bool m_hermite = true;
    COLORREF m_lineColor = 0;
    COLORREF m_selectedLineColor = 0;
    COLORREF m_boneColor = 0;
    COLORREF m_selectedBoneColor = 0;
    COLORREF m_selectColor = 0;
    std::int32_t m_weightMapRange = 0;

private:
    CVector* SelectedSampleVector(std::int32_t animation, std::int32_t frame, CVector CAnimation::*member);
    const std::vector<CAnimation>* SelectedSamples(std::int32_t animation) const;

public:
    // Drawing and picking. Defined by the viewport library (kmx_viewport), which needs a
    // rendering context; the core never calls them.
    void RenderScene();
    void SetupCamera();
    void SetBackgroundColor(COLORREF color);
    void DrawSelectionRect(const std::array<std::int32_t, 4>& rect);
    void CompileBackgroundList();
    bool Pick(int x, int y);
    void ProcessPickHits(int hitCount, const unsigned* buffer, std::size_t bufferWords);
};
