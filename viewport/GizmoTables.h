// Constant shapes of the 3D view: the bone joint glyph and the three manipulator gizmos,
// as point tables with triangle and edge index tables, plus the fixed ids the render and
// pick passes share (display lists, selection names, gizmo handle codes).
#pragma once

#include "scene/CVector.h"

#include <array>
#include <cstdint>

// Display list ids; the render pass calls them by number.
enum DisplayList : unsigned {
    DisplayListAxesGrid = 1,
    DisplayListBoneJoint = 2,
    DisplayListBackground = 3,
    DisplayListTranslateGizmo = 4,
    DisplayListRotateGizmo = 5,
    DisplayListScaleGizmo = 6,
};

// First selection name of a pick record.
enum PickName : unsigned {
    PickNameGizmo = 0xF000,
    PickNameBone = 0xF001,
    PickNameVertex = 0x1B00,
};

// Gizmo handles (CCentigrade::m_activeHandle); -1 = none.
enum GizmoHandle : std::int32_t {
    GizmoHandleNone = -1,
    GizmoHandleX = 0,
    GizmoHandleY = 1,
    GizmoHandleZ = 2,
    GizmoHandleCenter = 3,
};

// Points in gizmo units (the render pass scales them by 60 / zoom).
extern const std::array<CVector, 6> g_boneGlyphVertices;   // octahedron of radius 10
extern const std::array<CVector, 15> g_arrowVertices;      // X, Y, Z blocks of 5: head 0-3, axis end 4
extern const std::array<CVector, 72> g_ringVertices;       // X, Y, Z rings of 24 (8 sections of 3)
extern const std::array<CVector, 32> g_handleBoxVertices;  // X, Y, Z boxes and the centre cube, 8 corners each

// Triangles as consecutive triples, edges as pairs; block n adds its base index.
extern const std::array<std::int32_t, 36> BoxTriangleIndices;    // base 8n
extern const std::array<std::int32_t, 144> RingTriangleIndices;  // base 24n
extern const std::array<std::int32_t, 12> ArrowTriangleIndices;  // base 5n
extern const std::array<std::int32_t, 24> JointTriangleIndices;
extern const std::array<std::int32_t, 24> JointEdgeIndices;
