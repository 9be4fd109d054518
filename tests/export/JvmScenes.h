// Scenes and rows for the Java-like and Kotlin export tests.
#pragma once

#include "export/ExportScenes.h"

namespace exporttest {

// The box with two bones and two animations of three frames: bone 0 (root, at the origin)
// moves by (1, 2, 3) in frame 1 of the first animation, bone 1 (its child, pivot (0, 1, 0))
// follows; every other sample is the rest pose. Vertex 2 has no bone.
inline CCentigrade RiggedBox()
{
    CCentigrade scene = BoxScene();
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 2, 3), Bone(1, 0, CVector(0, 1, 0), 2, 3)};
    scene.m_bones[0].m_animations[0][1].m_translate = CVector(1, 2, 3);
    scene.m_models[0].m_vertices = {Vertex(0, 0, 0, 0), Vertex(1, 0, 0, 1), Vertex(1, 1, 0, -1),
                                    Vertex(0, 1, -0.5f, 1)};
    return scene;
}

// The matrix rows of the rigged box: identity, and moved by (1, 2, 3).
inline const char* const kIdentity4 =
    "1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 1.0000, 0.0000, 0.0000, "
    "0.0000, 0.0000, 1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 1.0000";
inline const char* const kMoved4 =
    "1.0000, 0.0000, 0.0000, 0.0000, 0.0000, 1.0000, 0.0000, 0.0000, "
    "0.0000, 0.0000, 1.0000, 0.0000, 1.0000, 2.0000, 3.0000, 1.0000";

}  // namespace exporttest
