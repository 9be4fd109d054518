// Picking through the OpenGL selection buffer: the selected bone's gizmo handles, the bones
// and the posed vertices are drawn with three selection names each; the nearest gizmo or bone
// hit is selected, and picked vertices are bound to the selected bone.
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/BoneShape.h"
#include "viewport/CameraTransform.h"
#include "viewport/GizmoTables.h"
#include "viewport/OpenGLSetup.h"
#include "viewport/RenderSurface.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

constexpr GLbitfield kAllAttributes = 0xFFFFF;
constexpr std::size_t kWordsPerRecord = 6;  // name count, two depths, three names

template <std::size_t N, std::size_t M>
void Triangles(const std::array<CVector, N>& points, const std::array<std::int32_t, M>& indices, int base)
{
    glBegin(GL_TRIANGLES);
    for (std::int32_t i : indices) {
        const CVector& p = points[base + i];
        glVertex3f(p.m_x, p.m_y, p.m_z);
    }
    glEnd();
}

template <typename DrawShape>
void NamedShape(GLuint code, DrawShape draw)
{
    glPushName(code);
    draw();
    glPopName();
}

void DrawPickableGizmo(const CCentigrade& scene, float gizmoScale)
{
    const CBone& bone = scene.m_bones[scene.m_selectedBone];
    glPushMatrix();
    glMultMatrixf(bone.m_matrix.data());
    glTranslatef(bone.m_head.m_x, bone.m_head.m_y, bone.m_head.m_z);
    glScalef(gizmoScale, gizmoScale, gizmoScale);
    glPushName(PickNameGizmo);
    glPushName(PickNameGizmo);
    const auto centre = [] { Triangles(g_handleBoxVertices, BoxTriangleIndices, 8 * 3); };
    switch (scene.m_editMode) {
    case EditModeTranslate:
        NamedShape(GizmoHandleCenter, centre);
        for (int axis = 0; axis < 3; ++axis)
            NamedShape(axis, [axis] { Triangles(g_arrowVertices, ArrowTriangleIndices, 5 * axis); });
        break;
    case EditModeRotate:
        NamedShape(GizmoHandleCenter, centre);
        for (int axis = 0; axis < 3; ++axis)
            NamedShape(axis, [axis] { Triangles(g_ringVertices, RingTriangleIndices, 24 * axis); });
        break;
    default:  // EditModeScale
        for (int box = 3; box >= 0; --box)
            NamedShape(box, [box] { Triangles(g_handleBoxVertices, BoxTriangleIndices, 8 * box); });
        break;
    }
    glPopName();
    glPopName();
    glPopMatrix();
}

void DrawPickableBones(const CCentigrade& scene, float gizmoScale)
{
    glPushName(PickNameBone);
    glPushName(PickNameBone);
    for (const CBone& bone : scene.m_bones) {
        PushBoneHeadMatrix(bone);
        glPushName(static_cast<GLuint>(bone.m_id));
        DrawBoneLine(bone);
        glScalef(gizmoScale, gizmoScale, gizmoScale);
        // The joint's triangles are not wound alike; drawn with culling, parts of it (all of
        // it seen from above) could not be clicked.
        glDisable(GL_CULL_FACE);
        Triangles(g_boneGlyphVertices, JointTriangleIndices, 0);
        glEnable(GL_CULL_FACE);
        glPopName();
        glPopMatrix();
    }
    glPopName();
    glPopName();
}

void DrawPickableVertices(const CCentigrade& scene)
{
    glPushName(PickNameVertex);
    for (std::size_t m = 0; m < scene.m_models.size(); ++m) {
        glPushName(static_cast<GLuint>(m));
        const std::vector<CVector>& positions = scene.m_models[m].m_deformedVertices;
        for (std::size_t i = 0; i < positions.size(); ++i) {
            glPushName(static_cast<GLuint>(i));
            glBegin(GL_POINTS);
            glVertex3f(positions[i].m_x, positions[i].m_y, positions[i].m_z);
            glEnd();
            glPopName();
        }
        glPopName();
    }
    glPopName();
}

bool PicksGizmo(const CCentigrade& scene)
{
    const std::int32_t mode = scene.m_editMode;
    return (mode == EditModeTranslate || mode == EditModeRotate || mode == EditModeScale) &&
           scene.m_selectedBone >= 0 && static_cast<std::size_t>(scene.m_selectedBone) < scene.m_bones.size();
}

bool PicksBones(const CCentigrade& scene)
{
    return scene.m_editMode != EditModeRubberBand && scene.m_showBones;
}

bool PicksVertices(const CCentigrade& scene)
{
    const std::int32_t mode = scene.m_editMode;
    return (mode == EditModeVertexSelect || mode == EditModeRubberBand || mode == EditModeConnectedSelect) &&
           scene.m_showVertices;
}

// Room for one record per shape that can be hit, so the buffer cannot overflow.
std::size_t SelectionBufferWords(const CCentigrade& scene)
{
    std::size_t shapes = 4;
    if (PicksBones(scene))
        shapes += scene.m_bones.size();
    if (PicksVertices(scene))
        for (const CModel& model : scene.m_models)
            shapes += model.m_deformedVertices.size();
    return kWordsPerRecord * shapes + 64;
}

// One selection pass into the buffer; the hit count, or -1 when the buffer overflowed.
GLint RunSelectionPass(CCentigrade& scene, std::vector<GLuint>& buffer, const GLint viewport[4], double cx,
                       double cy, double width, double height, float zoom)
{
    const float gizmoScale = 60.0f / zoom;
    glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    GLint region[4] = {viewport[0], viewport[1], viewport[2], viewport[3]};
    gluPickMatrix(cx, scene.m_viewHeight - cy, width, height, region);
    gluPerspective(scene.m_fieldOfView, scene.m_viewWidth / scene.m_viewHeight, 100.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    MultiplyCameraGl(scene, zoom);
    glPushAttrib(kAllAttributes);
    if (PicksGizmo(scene))
        DrawPickableGizmo(scene, gizmoScale);
    if (PicksBones(scene))
        DrawPickableBones(scene, gizmoScale);
    if (PicksVertices(scene))
        DrawPickableVertices(scene);
    glPopAttrib();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glFlush();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    return glRenderMode(GL_RENDER);
}

// A hit record: its names and its minimum depth.
struct HitRecord {
    const unsigned* names;
    unsigned nameCount;
    float depth;
};

// Walks the records by their own name counts and never past the buffer's end.
template <typename Visit>
void ForEachRecord(int hitCount, const unsigned* buffer, std::size_t words, Visit visit)
{
    std::size_t at = 0;
    for (int h = 0; h < hitCount; ++h) {
        if (words - at < 3)
            return;
        const unsigned nameCount = buffer[at];
        const unsigned minimumDepth = buffer[at + 1];
        if (nameCount > words - at - 3)
            return;
        const float depth = static_cast<float>(static_cast<double>(minimumDepth) * (1.0 / 2147483648.0));
        visit(HitRecord{buffer + at + 3, nameCount, depth});
        at += 3 + nameCount;
    }
}

// Binds (or with bone -1 unbinds) one rest vertex and copies it into the deformed vertices.
bool BindPickedVertex(CCentigrade& scene, unsigned modelIndex, unsigned vertexIndex, std::int32_t bone)
{
    if (modelIndex >= scene.m_models.size())
        return false;
    CModel& model = scene.m_models[modelIndex];
    if (vertexIndex >= model.m_vertices.size())
        return false;
    model.m_vertices[vertexIndex].m_boneIndex = bone;
    if (vertexIndex < model.m_deformedVertices.size())
        model.m_deformedVertices[vertexIndex] = model.m_vertices[vertexIndex];
    return true;
}

}  // namespace

bool CCentigrade::Pick(int x, int y)
{
    const float zoom = ClampedZoom(*this);
    IRenderSurface* surface = AttachedRenderSurface();
    if (!surface || !HasViewArea(*this) || !surface->MakeCurrent()) {
        m_activeHandle = GizmoHandleNone;
        return false;
    }
    // The region is taken in the viewport the scene is drawn in (the rubber band's own drawing
    // leaves a viewport one pixel larger on every side behind it).
    const GLint viewport[4] = {0, 0, static_cast<GLint>(m_viewWidth), static_cast<GLint>(m_viewHeight)};

    double cx = x, cy = y, width = 8.0, height = 8.0;
    if (m_editMode == EditModeRubberBand) {
        std::array<std::int32_t, 4>& r = m_selectionRect;
        cx = (static_cast<std::int64_t>(r[0]) + r[2]) / 2;
        cy = (static_cast<std::int64_t>(r[1]) + r[3]) / 2;
        if (r[0] > r[2])
            std::swap(r[0], r[2]);
        if (r[1] > r[3])
            std::swap(r[1], r[3]);
        width = std::max<double>(1.0, static_cast<double>(static_cast<std::int64_t>(r[2]) - r[0]));
        height = std::max<double>(1.0, static_cast<double>(static_cast<std::int64_t>(r[3]) - r[1]));
    }

    std::size_t words = SelectionBufferWords(*this);
    std::vector<GLuint> buffer;
    GLint hits = -1;
    for (int attempt = 0; attempt < 4 && hits < 0; ++attempt, words *= 2) {
        words = std::min<std::size_t>(words, INT_MAX);
        buffer.assign(words, 0);
        hits = RunSelectionPass(*this, buffer, viewport, cx, cy, width, height, zoom);
        if (words == INT_MAX)
            break;
    }
    m_activeHandle = GizmoHandleNone;
    if (hits < 1)
        return false;
    ProcessPickHits(hits, buffer.data(), buffer.size());
    return true;
}

void CCentigrade::ProcessPickHits(int hitCount, const unsigned* buffer, std::size_t bufferWords)
{
    float best = 10000.0f;
    unsigned kind = 0;
    std::int32_t id = -1;
    bool haveVertex = false;
    unsigned nearestModel = 0, nearestVertex = 0;
    ForEachRecord(hitCount, buffer, bufferWords, [&](const HitRecord& record) {
        if (record.nameCount < 3)
            return;
        const unsigned first = record.names[0];
        if (first == PickNameGizmo || first == PickNameBone) {
            if (record.depth < best) {
                kind = first;
                id = static_cast<std::int32_t>(record.names[2]);
                best = record.depth;
            }
        } else if (first == PickNameVertex) {
            if (record.depth < best) {
                haveVertex = true;
                nearestModel = record.names[1];
                nearestVertex = record.names[2];
                best = record.depth;
            }
        }
    });

    if (kind == PickNameGizmo) {
        m_activeHandle = id;
        return;
    }
    if (kind == PickNameBone) {
        m_selectedBone = id;
        m_activeHandle = GizmoHandleCenter;
        return;
    }
    const std::int32_t bone = m_shiftDown ? -1 : m_selectedBone;
    if (m_editMode == EditModeVertexSelect && haveVertex) {
        if (BindPickedVertex(*this, nearestModel, nearestVertex, bone))
            m_models[nearestModel].BuildBoneVertexLists(m_bones);
        return;
    }
    if (m_editMode == EditModeRubberBand) {
        ForEachRecord(hitCount, buffer, bufferWords, [&](const HitRecord& record) {
            if (record.nameCount >= 3 && record.names[0] == PickNameVertex)
                BindPickedVertex(*this, record.names[1], record.names[2], bone);
        });
        BuildBoneVertexLists();
        return;
    }
    if (m_editMode == EditModeConnectedSelect && haveVertex) {
        if (nearestModel < m_models.size() && nearestVertex < m_models[nearestModel].m_vertices.size()) {
            CModel& model = m_models[nearestModel];
            model.ClearVertexMarks();
            model.BindConnectedVertices(static_cast<std::int32_t>(nearestVertex), m_selectedBone);
            model.BuildBoneVertexLists(m_bones);
        }
        return;
    }
    BuildBoneVertexLists();
}
