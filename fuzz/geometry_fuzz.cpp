// Any mesh, however broken (faces naming missing vertices, lines, repeated corners, odd
// angles, bindings to missing bones): normals, binding, weights and triangles stay in range.
#include "scene/CBone.h"
#include "scene/CCentigrade.h"
#include "scene/CModel.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    CCentigrade scene;
    CModel model;
    model.m_smoothingAngle = input.ConsumeFloatingPoint<float>();
    const int vertexCount = input.ConsumeIntegralInRange(0, 64);
    const int boneCount = input.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < vertexCount; ++i) {
        CVector v(input.ConsumeFloatingPoint<float>(), input.ConsumeFloatingPoint<float>(),
                  input.ConsumeFloatingPoint<float>());
        v.m_boneIndex = input.ConsumeIntegralInRange(-1, boneCount);
        model.m_vertices.push_back(v);
    }
    const int faceCount = input.ConsumeIntegralInRange(0, 64);
    for (int f = 0; f < faceCount; ++f) {
        CFace face;
        const int corners = input.ConsumeIntegralInRange(0, 5);
        for (int c = 0; c < corners; ++c)
            face.m_indices.push_back(input.ConsumeIntegralInRange(-2, vertexCount + 1));
        face.m_uvs.resize(input.ConsumeIntegralInRange(0, 4));
        model.m_faces.push_back(face);
    }
    for (int b = 0; b < boneCount; ++b) {
        scene.m_bones.emplace_back();
        scene.m_bones.back().m_id = b;
        scene.m_bones.back().m_parent = input.ConsumeIntegralInRange(-1, boneCount);
    }
    model.ResetDeformedVertices();
    scene.m_models.push_back(model);
    scene.m_backgroundModels.push_back(model);

    scene.RecomputeNormals();
    scene.RecomputeBackgroundNormals();
    scene.SetWeightMapRange(input.ConsumeIntegralInRange(-1, 6));
    CModel& first = scene.m_models[0];
    first.ClearVertexMarks();
    first.BindConnectedVertices(input.ConsumeIntegralInRange(-1, vertexCount), input.ConsumeIntegralInRange(-1, boneCount));
    first.BuildWeightGradient(input.ConsumeIntegralInRange(0, 8), input.ConsumeIntegralInRange(-1, boneCount),
                              input.ConsumeIntegralInRange(-1, boneCount));
    // Faces changed after the lists were built: the lists now name faces that are gone.
    first.m_faces.resize(first.m_faces.size() / 2);
    first.ComputeCornerNormals();
    first.StoreVertexNormals();
    first.ClearVertexMarks();
    first.BindConnectedVertices(input.ConsumeIntegralInRange(-1, vertexCount), 0);
    scene.SetWeightMapRange(3);
    CModel triangles;
    triangles.TriangulateFrom(scene.m_backgroundModels[0]);
    return 0;
}
