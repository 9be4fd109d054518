#include "app/logic/LoadedSceneChecks.h"

#include "scene/CCentigrade.h"

void ClipVertexBindings(CCentigrade& scene)
{
    const auto bones = static_cast<std::int32_t>(scene.m_bones.size());
    for (CModel& model : scene.m_models)
        for (CVector& vertex : model.m_vertices)
            if (vertex.m_boneIndex < -1 || vertex.m_boneIndex >= bones)
                vertex.m_boneIndex = -1;
}
