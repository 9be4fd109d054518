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
#include <cstdio>
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
    // Key-frame in-betweening
    // Every bone, in index order: CBone::InterpolateHermite when m_hermite is set, else
    // CBone::InterpolateLinear.
    void InterpolateAllBones();

    // Animation list, key flags and material maps
    // Appends an animation named "Animation_%d" with the smallest number whose name no
    // existing one equals case-insensitively (99999 when all are taken); every bone gets
    // g_lastFrame + 1 reset samples with sample 0 a key.
    void AddAnimation();
    // Appends a copy of animation `source` (every sample with its key flag) under
    // "Animation_%d" with the smallest number whose name no existing one equals byte for byte;
    // adds nothing when 0..19999 are all taken or `source` names no animation.
    void DuplicateAnimation(std::int32_t source);
    // Removes animation `index` (its name and every bone's samples); when none is left, adds a
    // fresh one as AddAnimation does. The material maps are the caller's.
    void DeleteAnimation(std::int32_t index);
    // Name clashes for renaming, compared case-insensitively: with any animation but
    // g_currentAnimation, any bone but the selected one, any material but the current one.
    bool AnimationNameExists(const std::string& name) const;
    bool BoneNameExists(const std::string& name) const;
    bool MaterialNameExists(const std::string& name) const;
    // Sets the key flag of sample [animation][frame] of the selected bone (when a bone and
    // the current animation are selected), or of every bone. Frame 0 always stays a key:
    // a frame below 1 changes nothing; so does a sample that does not exist.
    void SetKeyFlag(std::int32_t animation, std::int32_t frame, bool value);
    void SetKeyFlagAllBones(std::int32_t animation, std::int32_t frame, bool value);
    // Appends an identity material map (entry k = k, one per material).
    void AddMaterialMap();
    // One identity map per animation name, one entry per material.
    void ResetMaterialMaps();
    // One map per animation name, one entry per material: existing entries keep their
    // values, new entries k get k.
    void FitMaterialMaps();
    // Every bone's animation `index` gets g_lastFrame + 1 samples; the samples after
    // g_previousLastFrame are reset and sample 0 is a key.
    void ExtendAnimation(std::int32_t index);

    // Undo and redo
    // Nothing without bones; otherwise pushes g_currentAnimation, g_currentFrame,
    // g_editFrame and a copy of every bone's sample at that animation and frame.
    void PushUndoSnapshot();
    // The same onto the redo stacks.
    void PushRedoSnapshot();
    // Empties the four redo stacks (every edit does this before it pushes its undo entry).
    void ClearRedo();
    // Restores the samples of the top undo entry (keeping their present values on the redo
    // stack) and moves to the edit before it: g_currentFrame := the entry's edit frame,
    // g_currentAnimation := the animation of the entry below it (or of the entry itself when
    // it was the only one). Nothing when the undo stack is empty.
    void Undo();
    // Restores the samples of the top redo entry (keeping their present values on the undo
    // stack) and moves to its animation and frame; g_editFrame := that frame. Nothing when
    // the redo stack is empty.
    void Redo();

    // Normals and weights.
    void RecomputeNormals();            // every main model
    void RecomputeBackgroundNormals();  // every background model
    // Stores the range, sets every weight of the main models to 1, then builds the gradient
    // of every bone in every main model.
    void SetWeightMapRange(std::int32_t range);

    // Model import
    // Reads a Metasequoia file (CP932 path) as the main model; true when it was read whole.
    bool ImportMqo(const std::string& path);
    // The same on an open binary stream; returns the reader's MqoError code.
    std::int32_t ImportMqoStream(std::FILE* file);
    // Replaces the skeleton's geometry and hierarchy by the triangles of a bone object,
    // keeping the names and animations of the bones that exist. False, with the bones as they
    // were, when the object makes more than kMaxBones bones (scene/SceneLimits.h), or when
    // the plain bones it adds (more than 1,024) would take more samples than padding may add.
    bool CreateBonesFromObject(const CModel& object);

    // Material textures and colours
    // Every main material's texture; an image whose file changed on disk is decoded again.
    // The textures that fail are told in one message.
    void ReloadTextures();
    // For every main material: reload its texture (when asked), derive colours, apply.
    void RefreshMaterialColors(bool reloadTextures = true);
    // Frees every material's image and texture object (main and background lists) and
    // forgets every decoded image.
    void DeleteTextures();
    // Uploads the textures decoded while no rendering context was current.
    void UploadPendingTextures();

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
