// The render pass of the 3D view: posing, camera and light, faces by material, background
// models, grid, edges, vertices coloured by binding, bones with the selected bone's gizmo and
// the rubber band.
#include "platform/Color.h"
#include "platform/MatrixStack.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/BoneShape.h"
#include "viewport/CameraTransform.h"
#include "viewport/FaceArrays.h"
#include "viewport/GizmoTables.h"
#include "viewport/OpenGLSetup.h"
#include "viewport/RenderSurface.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

namespace {

// The bone the camera followed at the last camera set-up.
std::int32_t g_lastFollowedBone = -1;

// Set when list 3 had to be compiled while no context could be made current.
bool g_backgroundListPending = false;

void GlColor(COLORREF color)
{
    glColor3f(RedOf(color) / 255.0f, GreenOf(color) / 255.0f, BlueOf(color) / 255.0f);
}

bool MakeViewCurrent(const CCentigrade& scene)
{
    IRenderSurface* surface = AttachedRenderSurface();
    return surface && HasViewArea(scene) && surface->MakeCurrent();
}

// Camera follow: a new selected bone zeroes the pan's x and y once; the offset is the negated
// posed head of the selected bone (the same arithmetic as a GL translate of its matrix).
void UpdateFollow(CCentigrade& scene)
{
    if (scene.m_followBone && scene.m_selectedBone != g_lastFollowedBone) {
        scene.m_camera.m_translate.m_x = 0.0f;
        scene.m_camera.m_translate.m_y = 0.0f;
        g_lastFollowedBone = scene.m_selectedBone;
    }
    if (scene.m_followBone && scene.IsBoneAndAnimationSelected()) {
        const CBone& bone = scene.m_bones[scene.m_selectedBone];
        const std::array<float, 16>& m = bone.m_matrix;
        const CVector& h = bone.m_head;
        float position[3];
        for (int r = 0; r < 3; ++r)
            position[r] = ((m[r] * h.m_x + m[4 + r] * h.m_y) + m[8 + r] * h.m_z) + m[12 + r];
        scene.m_followOffset = CVector(-position[0], -position[1], -position[2]);
    } else {
        scene.m_followOffset = CVector(0, 0, 0);
    }
}

// Projection, viewport, light and camera model-view; the context is current and the view has
// an area.
void LoadCamera(CCentigrade& scene, float zoom)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(scene.m_fieldOfView, scene.m_viewWidth / scene.m_viewHeight, 100.0, 10000.0);
    glViewport(0, 0, static_cast<GLsizei>(scene.m_viewWidth), static_cast<GLsizei>(scene.m_viewHeight));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    static constexpr GLfloat kPosition[4] = {0, 0, 1, 0};
    static constexpr GLfloat kAmbient[4] = {0.25f, 0.25f, 0.25f, 1};
    static constexpr GLfloat kWhite[4] = {1, 1, 1, 1};
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 0);
    glLightfv(GL_LIGHT0, GL_POSITION, kPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kWhite);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kWhite);
    UpdateFollow(scene);
    MultiplyCameraGl(scene, zoom);
}

// Poses the bones and skins every main model at the current animation and frame, in model
// space on a stack of its own.
void PoseMainModels(CCentigrade& scene)
{
    for (CModel& model : scene.m_models) {
        MatrixStack stack;
        model.PoseAndSkin(stack, scene.m_bones, -1, g_currentAnimation, g_currentFrame, 1.0f);
    }
}

// Edges and vertices are streamed through these, a piece at a time (FaceArrays::PieceSize).
std::vector<float>& ScratchPositions()
{
    static std::vector<float> positions;
    return positions;
}

std::vector<float>& ScratchColours()
{
    static std::vector<float> colours;
    return colours;
}

bool CornersValid(const CFace& face, std::size_t vertexCount)
{
    return std::all_of(face.m_indices.begin(), face.m_indices.end(), [&](std::int32_t i) {
        return i >= 0 && static_cast<std::size_t>(i) < vertexCount;
    });
}

// The face arrays of the main models, by model; entries of models no longer in the scene are
// dropped at the next frame.
std::vector<std::pair<const CModel*, FaceArrays>>& MainModelFaceArrays()
{
    static std::vector<std::pair<const CModel*, FaceArrays>> arrays;
    return arrays;
}

FaceArrays& FaceArraysOf(const CModel& model)
{
    auto& all = MainModelFaceArrays();
    for (auto& [owner, arrays] : all)
        if (owner == &model)
            return arrays;
    return all.emplace_back(&model, FaceArrays()).second;
}

void ForgetFaceArraysOfOtherModels(const std::vector<CModel>& models)
{
    std::erase_if(MainModelFaceArrays(), [&](const auto& entry) {
        return std::none_of(models.begin(), models.end(), [&](const CModel& model) { return &model == entry.first; });
    });
}

void DrawBonesAndGizmo(CCentigrade& scene, float gizmoScale)
{
    for (const CBone& bone : scene.m_bones) {
        const bool selected = bone.m_id == scene.m_selectedBone;
        GlColor(selected ? scene.m_selectedBoneColor : scene.m_boneColor);
        PushBoneHeadMatrix(bone);
        if (scene.m_showBones)
            DrawBoneLine(bone);
        glScalef(gizmoScale, gizmoScale, gizmoScale);
        if (scene.m_showBones)
            glCallList(DisplayListBoneJoint);
        if (selected) {
            if (scene.m_editMode == EditModeTranslate)
                glCallList(DisplayListTranslateGizmo);
            else if (scene.m_editMode == EditModeRotate)
                glCallList(DisplayListRotateGizmo);
            else if (scene.m_editMode == EditModeScale)
                glCallList(DisplayListScaleGizmo);
        }
        glPopMatrix();
    }
}

void CompileBackgroundListNow(CCentigrade& scene)
{
    // Texture uploads must not land inside the list.
    scene.UploadPendingTextures();
    // Background models are never posed: they are drawn where the file put them (the reader
    // leaves their deformed copy empty).
    for (CModel& model : scene.m_backgroundModels)
        if (model.m_deformedVertices.size() != model.m_vertices.size())
            model.ResetDeformedVertices();
    glNewList(DisplayListBackground, GL_COMPILE);
    for (const CModel& model : scene.m_backgroundModels)
        model.DrawFaces(scene.m_backgroundMaterials);
    glEndList();
    g_backgroundListPending = false;
}

}  // namespace

void CCentigrade::RenderScene()
{
    const float zoom = ClampedZoom(*this);
    const float gizmoScale = 60.0f / zoom;
    PoseMainModels(*this);
    if (!MakeViewCurrent(*this)) {
        UpdateFollow(*this);
        return;
    }
    if (g_backgroundListPending)
        CompileBackgroundListNow(*this);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    FaceArrays::FrameStarted();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    LoadCamera(*this, zoom);

    ForgetFaceArraysOfOtherModels(m_models);
    if (m_showFaces) {
        const std::vector<std::int32_t>* map = nullptr;
        std::vector<std::int32_t> identity;
        if (g_currentAnimation >= 0 && static_cast<std::size_t>(g_currentAnimation) < m_materialMaps.size()) {
            map = &m_materialMaps[g_currentAnimation];
        } else {
            identity.resize(m_materials.size());
            for (std::size_t k = 0; k < identity.size(); ++k)
                identity[k] = static_cast<std::int32_t>(k);
            map = &identity;
        }
        for (const CModel& model : m_models)
            model.DrawFacesWithMaterialMap(m_materials, *map);
    }
    if (!m_backgroundModels.empty())
        glCallList(DisplayListBackground);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    if (m_showGrid)
        glCallList(DisplayListAxesGrid);
    if (m_showEdges)
        for (const CModel& model : m_models)
            model.DrawEdges();
    if (m_showVertices)
        for (const CModel& model : m_models)
            model.DrawVertices(m_selectedBone);

    // Bones and gizmos are drawn over everything.
    glClear(GL_DEPTH_BUFFER_BIT);
    DrawBonesAndGizmo(*this, gizmoScale);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    if (m_editMode == EditModeRubberBand)
        DrawSelectionRect(m_selectionRect);
    AttachedRenderSurface()->SwapBuffers();
}

void CCentigrade::SetupCamera()
{
    const float zoom = ClampedZoom(*this);
    if (MakeViewCurrent(*this))
        LoadCamera(*this, zoom);
    else
        UpdateFollow(*this);
}

void CCentigrade::SetBackgroundColor(COLORREF color)
{
    m_backgroundColor = color;
    glClearColor(RedOf(color) / 255.0f, GreenOf(color) / 255.0f, BlueOf(color) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void CCentigrade::DrawSelectionRect(const std::array<std::int32_t, 4>& rect)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, m_viewWidth, 0, m_viewHeight, -1, 1);
    glViewport(-1, -1, static_cast<GLsizei>(m_viewWidth) + 2, static_cast<GLsizei>(m_viewHeight) + 2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_XOR);
    GlColor(m_selectColor);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    const int h = static_cast<int>(m_viewHeight);
    glRecti(std::min(rect[0], rect[2]), h - std::min(rect[1], rect[3]), std::max(rect[0], rect[2]),
            h - std::max(rect[1], rect[3]));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glFlush();
    glDisable(GL_COLOR_LOGIC_OP);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void CCentigrade::CompileBackgroundList()
{
    IRenderSurface* surface = AttachedRenderSurface();
    if (surface && surface->MakeCurrent())
        CompileBackgroundListNow(*this);
    else
        g_backgroundListPending = true;
}

void CModel::DrawFacesWithMaterialMap(std::vector<CMaterial>& materials,
                                      const std::vector<std::int32_t>& materialMap) const
{
    if (!FaceArrays::Enabled()) {
        FaceArrays::DrawOneByOne(*this, materials, &materialMap);
        return;
    }
    FaceArrays& arrays = FaceArraysOf(*this);
    if (!arrays.IsCurrent(*this, &materialMap, materials))
        arrays.Build(*this, &materialMap, materials);
    arrays.Draw(*this, materials);
}

// Background models are drawn into display list 3, which records the vertices one by one.
void CModel::DrawFaces(std::vector<CMaterial>& materials) const { FaceArrays::DrawOneByOne(*this, materials, nullptr); }

void CModel::DrawEdges() const
{
    GlColor(g_scene.m_lineColor);
    const std::size_t vertexCount = m_deformedVertices.size();
    // A piece, or all the segments (at most four a face) when that is less.
    const std::size_t capacity = std::max<std::size_t>(std::min(FaceArrays::PieceSize(2), 8 * m_faces.size()), 2);
    std::vector<float>& positions = ScratchPositions();
    positions.resize(3 * capacity);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions.data());
    std::size_t used = 0;
    const auto add = [&](std::int32_t v) {
        const CVector& p = m_deformedVertices[v];
        float* out = &positions[3 * used++];
        out[0] = p.m_x;
        out[1] = p.m_y;
        out[2] = p.m_z;
    };
    for (const CFace& face : m_faces) {
        const std::size_t corners = face.m_indices.size();
        if (corners < 2 || corners > 4 || !CornersValid(face, vertexCount))
            continue;
        const std::size_t segments = corners == 2 ? 1 : corners;
        for (std::size_t k = 0; k < segments; ++k) {
            if (used == capacity) {
                FaceArrays::DrawPiece(GL_LINES, 0, used);
                used = 0;
            }
            add(face.m_indices[k]);
            add(face.m_indices[(k + 1) % corners]);
        }
    }
    if (used)
        FaceArrays::DrawPiece(GL_LINES, 0, used);
    glPopClientAttrib();
}

void CModel::DrawVertices(int selectedBone) const
{
    const COLORREF line = g_scene.m_lineColor;
    const COLORREF selectedLine = g_scene.m_selectedLineColor;
    const std::size_t count = std::min(m_vertices.size(), m_deformedVertices.size());
    if (count == 0)
        return;
    const std::size_t capacity = std::min(FaceArrays::PieceSize(1), count);
    std::vector<float>& positions = ScratchPositions();
    std::vector<float>& colours = ScratchColours();
    positions.resize(3 * capacity);
    colours.resize(3 * capacity);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions.data());
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(3, GL_FLOAT, 0, colours.data());
    std::size_t used = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const CVector& rest = m_vertices[i];
        float* c = &colours[3 * used];
        if (selectedBone >= 0 && rest.m_boneIndex == selectedBone && rest.m_weight < 1.0f) {
            c[0] = c[1] = c[2] = rest.m_weight;  // grey by the parent's share
        } else {
            const COLORREF colour = selectedBone >= 0 && rest.m_boneIndex == selectedBone ? selectedLine : line;
            c[0] = RedOf(colour) / 255.0f;
            c[1] = GreenOf(colour) / 255.0f;
            c[2] = BlueOf(colour) / 255.0f;
        }
        const CVector& p = m_deformedVertices[i];
        float* out = &positions[3 * used];
        out[0] = p.m_x;
        out[1] = p.m_y;
        out[2] = p.m_z;
        if (++used == capacity || i + 1 == count) {
            FaceArrays::DrawPiece(GL_POINTS, 0, used);
            used = 0;
        }
    }
    glPopClientAttrib();
    // The current colour is left as the last vertex's, as drawn one by one.
    glColor3fv(colours.data() + 3 * ((count - 1) % capacity));
}
