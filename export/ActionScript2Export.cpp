#include "export/ActionScript2Export.h"

#include "export/ActionScriptCommon.h"
#include "export/MaterialLookup.h"
#include "export/TextWriter.h"
#include "scene/CCentigrade.h"

#include <cmath>
#include <limits>

namespace {

// As a C cast to int truncates, but defined for every float: NaN gives 0 and values beyond
// the int range give its ends.
std::int32_t Truncate(float value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<float>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (value >= static_cast<float>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

}  // namespace

void WriteAs2Material(const CMaterial& material, TextWriter& out)
{
    out.Print("\t\taddM(%d,%d,%d);\n", Truncate(material.m_color[0] * 255.0f), Truncate(material.m_color[1] * 255.0f),
              Truncate(material.m_color[2] * 255.0f));
}

void WriteAs2Vertex(const CVector& vertex, float scale, TextWriter& out)
{
    out.Print("\t\taddV(%d, %d, %d);\n", Truncate(vertex.m_x * scale), Truncate(-vertex.m_y * scale),
              Truncate(-vertex.m_z * scale));
}

void WriteAs2Faces(const CModel& model, std::int64_t firstVertex, const MaterialLookup& materials, TextWriter& out)
{
    for (const CFace& face : model.m_faces) {
        if (!IsExportableFace(face, model.m_vertices.size()))
            continue;
        const auto& i = face.m_indices;
        if (i.size() == 3)
            out.Print("\t\taddF(new Array(%d, %d, %d),%d);\n", firstVertex + i[0], firstVertex + i[1],
                      firstVertex + i[2], materials.Slot(face.m_material));
        else
            out.Print("\t\taddF(new Array(%d, %d, %d,%d),%d);\n", firstVertex + i[0], firstVertex + i[1],
                      firstVertex + i[2], firstVertex + i[3], materials.Slot(face.m_material));
    }
}

void WriteActionScript2(const CCentigrade& scene, TextWriter& out, const std::string& className, float scale)
{
    out.Text("import pellix3d.*;\n\n");
    out.Print("class models.%s extends Model3D\n", className);
    out.Text("{\n");
    out.Print("\tpublic function %s()\n", className);
    out.Text("\t{\n\t\tsuper();\n\n");

    out.Text("\t\t_material = new Array();\n");
    for (const CMaterial& material : scene.m_materials)
        WriteAs2Material(material, out);
    // Faces naming no material use a default one after the list.
    const MaterialLookup lookup(scene.m_materials);
    if (lookup.NeedsDefault(scene.m_models))
        WriteAs2Material(CMaterial(), out);

    out.Text("\n\t\t_world = new Array();\n");
    for (const CModel& model : scene.m_models)
        for (const CVector& vertex : model.m_vertices)
            WriteAs2Vertex(vertex, scale, out);

    // One vertex list over all models: each model's faces count from its first vertex there.
    out.Text("\n\t\t_face = new Array();\n");
    std::int64_t firstVertex = 0;
    for (const CModel& model : scene.m_models) {
        WriteAs2Faces(model, firstVertex, lookup, out);
        firstVertex += static_cast<std::int64_t>(model.m_vertices.size());
    }

    out.Text("\n\t\tinit();\n\t}\n}\n");
}

ExportResult ExportActionScript2(const CCentigrade& scene, float scale, const std::string& path,
                                 ExportAnimationForm /*form*/)
{
    return ExportClassFile(path, [&](TextWriter& out, const std::string& className) {
        WriteActionScript2(scene, out, className, scale);
        return true;
    });
}

ExportResult ExportActionScript2Entry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportActionScript2(scene, options.scale, path, AnimationFormNone);
}
