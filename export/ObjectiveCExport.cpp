#include "export/ObjectiveCExport.h"

#include "export/ExportFile.h"
#include "export/ExportableFace.h"
#include "export/TextWriter.h"
#include "scene/CCentigrade.h"

#include <array>
#include <cstdint>
#include <span>

namespace {

// Corner order of the written triangles: a triangle as (0, 2, 1), a quadrilateral as the
// triangles (0, 2, 1) and (0, 3, 2).
constexpr std::array<std::size_t, 3> kTriangle{0, 2, 1};
constexpr std::array<std::size_t, 6> kQuad{0, 2, 1, 0, 3, 2};

std::span<const std::size_t> CornerOrder(const CFace& face)
{
    if (face.m_indices.size() == 3)
        return kTriangle;
    return kQuad;
}

// Number of written triangle corners.
std::int64_t CornerCount(const CModel& model)
{
    std::int64_t corners = 0;
    for (const CFace& face : model.m_faces)
        if (IsExportableFace(face, model.m_vertices.size()))
            corners += static_cast<std::int64_t>(CornerOrder(face).size());
    return corners;
}

// "vertices" for the first model, "vertices_1" for the second, ...
std::string ArrayName(std::string_view base, std::size_t k)
{
    return k == 0 ? std::string(base) : std::string(base) + "_" + std::to_string(k);
}

}  // namespace

void WriteObjectiveCVertices(const CModel& model, std::size_t k, float scale, TextWriter& out)
{
    out.Print("static float %s[%d] = {\n", ArrayName("vertices", k), 3 * CornerCount(model));
    for (const CFace& face : model.m_faces) {
        if (!IsExportableFace(face, model.m_vertices.size()))
            continue;
        for (const std::size_t c : CornerOrder(face)) {
            const CVector& v = model.m_vertices[static_cast<std::size_t>(face.m_indices[c])];
            out.Print("%f, %f, %f,", v.m_x * scale, v.m_y * scale, v.m_z * scale);
        }
    }
    out.Text("\n};\n");
}

void WriteObjectiveCUVs(const CModel& model, std::size_t k, TextWriter& out)
{
    out.Print("static float %s[%d] = {\n", ArrayName("uvs", k), 2 * CornerCount(model));
    for (const CFace& face : model.m_faces) {
        if (!IsExportableFace(face, model.m_vertices.size()))
            continue;
        for (const std::size_t c : CornerOrder(face)) {
            const CUV uv = c < face.m_uvs.size() ? face.m_uvs[c] : CUV();
            out.Print("%f, %f,", uv.m_u, uv.m_v);
        }
    }
    out.Text("\n};\n");
}

void WriteObjectiveC(const CCentigrade& scene, TextWriter& out, float scale)
{
    for (std::size_t k = 0; k < scene.m_models.size(); ++k)
        WriteObjectiveCVertices(scene.m_models[k], k, scale, out);
    for (std::size_t k = 0; k < scene.m_models.size(); ++k)
        WriteObjectiveCUVs(scene.m_models[k], k, out);
}

ExportResult ExportObjectiveC(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm)
{
    // Without a model the file declares no array: it is empty.
    ExportFile file(path);
    if (file.IsOpen())
        WriteObjectiveC(scene, file.Writer(), scale);
    return file.Finish();
}
