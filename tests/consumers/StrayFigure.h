// The rigged figure with numbers no list names, as model files hold them: a face without a
// material (M(-1)), a face whose material number is past the list, and a vertex bound to a
// bone past the list. Every export still gives a file its consumer takes: the two faces get
// a default material after the list, the vertex is exported unbound.
#pragma once

#include "consumers/ConsumerSupport.h"

namespace consumers {

inline CCentigrade StrayFigure(int frames)
{
    CCentigrade scene = RiggedFigure(frames);
    CModel& figure = scene.m_models[0];
    figure.m_faces[0].m_material = -1;
    figure.m_faces[1].m_material = 7;
    figure.m_vertices[0].m_boneIndex = 99;
    return scene;
}

}  // namespace consumers
