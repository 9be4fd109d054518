#include "export/ColladaExport.h"

#include "export/ColladaNames.h"
#include "export/ExportFile.h"
#include "export/ExportableFace.h"
#include "export/MaterialLookup.h"
#include "export/TextWriter.h"
#include "import/PathFunctions.h"
#include "scene/CCentigrade.h"

#include <array>
#include <ctime>
#include <vector>

namespace {

using Corners = std::array<std::size_t, 3>;

// Calls visit(face, corners) for every triangle of the model in order: a triangle whole, a
// quadrilateral as its corners (0, 1, 2) and (0, 2, 3).
template <class Visit>
void ForEachTriangle(const CModel& model, Visit visit)
{
    static constexpr Corners kFirst{0, 1, 2};
    static constexpr Corners kSecond{0, 2, 3};
    for (const CFace& face : model.m_faces) {
        if (!IsExportableFace(face, model.m_vertices.size()))
            continue;
        visit(face, kFirst);
        if (face.m_indices.size() == 4)
            visit(face, kSecond);
    }
}

bool IsTextured(const CMaterial& material) { return !material.m_texture.empty(); }

// Number of the model's triangles per material slot (materialCount + 1 slots).
std::vector<std::int32_t> TrianglesPerMaterial(const CModel& model, const MaterialLookup& lookup,
                                               std::size_t materialCount)
{
    std::vector<std::int32_t> counts(materialCount + 1, 0);
    ForEachTriangle(model, [&](const CFace& face, const Corners&) {
        ++counts[static_cast<std::size_t>(lookup.Slot(face.m_material))];
    });
    return counts;
}

void WriteAsset(TextWriter& out, std::string_view timestamp)
{
    out.Text("\t<asset>\n"
             "\t\t<contributor>\n"
             "\t\t\t<author>Asakumo</author>\n"
             "\t\t\t<authoring_tool>Zelvo Kinemorphix</authoring_tool>\n"
             "\t\t\t<comments>Collada Zelvo Kinemorphix Export</comments>\n"
             "\t\t\t<copyright>Copyright (C) 2013-2026 Zelvo. All rights reserved.</copyright>\n"
             "\t\t</contributor>\n");
    out.Print("\t\t<created>%s</created>\n", timestamp);
    out.Print("\t\t<modified>%s</modified>\n", timestamp);
    out.Text("\t\t<unit meter=\"0.01\" name=\"centimeter\"/>\n"
             "\t\t<up_axis>Y_UP</up_axis>\n"
             "\t</asset>\n");
}

void WriteImages(const std::vector<CMaterial>& materials, const ColladaNames& names, TextWriter& out)
{
    bool any = false;
    for (std::size_t k = 0; k < materials.size(); ++k) {
        if (!IsTextured(materials[k]))
            continue;
        if (!any)
            out.Text("\t<library_images>\n");
        any = true;
        const std::string& n = names.Material(k);
        std::string fileName;
        GetFileName(fileName, materials[k].m_texture);
        out.Print("\t\t<image id=\"Texture_%s\" name=\"Map_%s\">\n", n, n);
        out.Print("\t\t\t<init_from>%s</init_from>\n", XmlText(fileName));
        out.Text("\t\t</image>\n");
    }
    if (any)
        out.Text("\t</library_images>\n");
}

void WriteMaterials(const std::vector<CMaterial>& materials, const ColladaNames& names, TextWriter& out)
{
    out.Text("\t<library_materials>\n");
    for (std::size_t k = 0; k < materials.size(); ++k) {
        const std::string& n = names.Material(k);
        out.Print("\t\t<material id=\"%s\" name=\"%s\">\n", n, n);
        out.Print("\t\t\t<instance_effect url=\"#%s-fx\"/>\n", n);
        out.Text("\t\t</material>\n");
    }
    out.Text("\t</library_materials>\n");
}

void WriteColor(TextWriter& out, std::string_view element, float strength)
{
    out.Print("\t\t\t\t\t\t<%s>\n", element);
    out.Print("\t\t\t\t\t\t\t<color>%f %f %f 1</color>\n", strength, strength, strength);
    out.Print("\t\t\t\t\t\t</%s>\n", element);
}

// The effect of a material; the surface and sampler only for a textured one, so that every
// surface names an image the document holds.
void WriteEffect(const CMaterial& material, const std::string& n, TextWriter& out)
{
    out.Print("\t\t<effect id=\"%s-fx\">\n", n);
    out.Text("\t\t\t<profile_COMMON>\n");
    if (IsTextured(material)) {
        out.Print("\t\t\t<newparam sid=\"Surface_%s\">\n", n);
        out.Text("\t\t\t<surface type=\"2D\">\n");
        out.Print("\t\t\t<init_from>Texture_%s</init_from>\n", n);
        out.Text("\t\t\t<format>A8R8G8B8</format>\n"
                 "\t\t\t</surface>\n"
                 "\t\t\t</newparam>\n");
        out.Print("\t\t\t<newparam sid=\"Sampler_%s\">\n", n);
        out.Text("\t\t\t<sampler2D>\n");
        out.Print("\t\t\t<source>Surface_%s</source>\n", n);
        out.Text("\t\t\t<minfilter>LINEAR_MIPMAP_LINEAR</minfilter>\n"
                 "\t\t\t<magfilter>LINEAR</magfilter>\n"
                 "\t\t\t</sampler2D>\n"
                 "\t\t\t</newparam>\n");
    }
    out.Text("\t\t\t\t<technique sid=\"common\">\n"
             "\t\t\t\t\t<phong>\n");
    WriteColor(out, "emission", material.m_emissive);
    WriteColor(out, "ambient", material.m_ambient);
    out.Text("\t\t\t\t\t\t<diffuse>\n");
    if (IsTextured(material)) {
        out.Print("\t\t\t\t\t\t\t<texture texture=\"Sampler_%s\" texcoord=\"UV_%s\">\n", n, n);
        out.Text("\t\t\t\t\t\t\t</texture>\n");
    } else {
        const auto& c = material.m_color;
        out.Print("\t\t\t\t\t\t\t<color>%f %f %f %f</color>\n", c[0] * material.m_diffuse, c[1] * material.m_diffuse,
                  c[2] * material.m_diffuse, c[3]);
    }
    out.Text("\t\t\t\t\t\t</diffuse>\n");
    WriteColor(out, "specular", material.m_specular);
    out.Text("\t\t\t\t\t\t<shininess>\n"
             "\t\t\t\t\t\t\t<float>10</float>\n"
             "\t\t\t\t\t\t</shininess>\n"
             "\t\t\t\t\t\t<reflective>\n"
             "\t\t\t\t\t\t\t<color>0 0 0 1</color>\n"
             "\t\t\t\t\t\t</reflective>\n"
             "\t\t\t\t\t\t<reflectivity>\n"
             "\t\t\t\t\t\t\t<float>0.5</float>\n"
             "\t\t\t\t\t\t</reflectivity>\n"
             "\t\t\t\t\t\t<transparent>\n"
             "\t\t\t\t\t\t\t<color>0 0 0 1</color>\n"
             "\t\t\t\t\t\t</transparent>\n"
             "\t\t\t\t\t\t<transparency>\n"
             "\t\t\t\t\t\t\t<float>1</float>\n"
             "\t\t\t\t\t\t</transparency>\n"
             "\t\t\t\t\t\t<index_of_refraction>\n"
             "\t\t\t\t\t\t\t<float>0</float>\n"
             "\t\t\t\t\t\t</index_of_refraction>\n"
             "\t\t\t\t\t</phong>\n"
             "\t\t\t\t</technique>\n"
             "\t\t\t</profile_COMMON>\n"
             "\t\t</effect>\n");
}

void WriteAccessorParams(TextWriter& out)
{
    out.Text("\t\t\t\t\t\t\t<param name=\"X\" type=\"float\"></param>\n"
             "\t\t\t\t\t\t\t<param name=\"Y\" type=\"float\"></param>\n"
             "\t\t\t\t\t\t\t<param name=\"Z\" type=\"float\"></param>\n"
             "\t\t\t\t\t\t</accessor>\n"
             "\t\t\t\t\t</technique_common>\n"
             "\t\t\t\t</source>\n");
}

// The node of model k: its geometry, bound to the materials its triangles use.
void WriteNode(const CCentigrade& scene, std::size_t k, const ColladaNames& names, const MaterialLookup& lookup,
               TextWriter& out)
{
    const std::string& m = names.Model(k);
    const std::vector<std::int32_t> used = TrianglesPerMaterial(scene.m_models[k], lookup, scene.m_materials.size());
    out.Print("\t\t\t<node id=\"%s\" name=\"%s\">\n", m, m);
    out.Print("\t\t\t\t<instance_geometry url=\"#%s-lib\">\n", m);
    bool bound = false;
    for (std::size_t i = 0; i < scene.m_materials.size(); ++i) {
        if (used[i] == 0)
            continue;
        if (!bound)
            out.Text("\t\t\t\t\t<bind_material>\n"
                     "\t\t\t\t\t\t<technique_common>\n");
        bound = true;
        const std::string& n = names.Material(i);
        out.Print("\t\t\t\t\t\t\t<instance_material symbol=\"%sSG\" target=\"#%s\">\n", n, n);
        if (IsTextured(scene.m_materials[i]))
            out.Print("\t\t\t\t\t\t\t\t<bind_vertex_input semantic=\"UV_%s\" input_semantic=\"TEXCOORD\" "
                      "input_set=\"0\"/>\n",
                      n);
        out.Text("\t\t\t\t\t\t\t</instance_material>\n");
    }
    if (bound)
        out.Text("\t\t\t\t\t\t</technique_common>\n"
                 "\t\t\t\t\t</bind_material>\n");
    out.Text("\t\t\t\t</instance_geometry>\n"
             "\t\t\t</node>\n");
}

}  // namespace

void WriteColladaGeometry(const CCentigrade& scene, std::size_t k, const ColladaNames& names,
                          const MaterialLookup& lookup, TextWriter& out, float scale)
{
    const CModel& model = scene.m_models[k];
    const std::vector<CMaterial>& materials = scene.m_materials;
    const std::string& m = names.Model(k);
    const std::size_t vertexCount = model.m_vertices.size();
    const std::vector<std::int32_t> perMaterial = TrianglesPerMaterial(model, lookup, materials.size());
    bool textured = false;
    for (std::size_t i = 0; i < materials.size(); ++i)
        textured = textured || (perMaterial[i] > 0 && IsTextured(materials[i]));

    out.Print("\t\t<geometry id=\"%s-lib\" name=\"%s\">\n", m, m);
    out.Text("\t\t\t<mesh>\n");

    out.Print("\t\t\t\t<source id=\"%s-lib-positions\" name=\"position\">\n", m);
    out.Print("\t\t\t\t\t<float_array id=\"%s-lib-positions-array\" count=\"%d\">", m, 3 * vertexCount);
    for (const CVector& v : model.m_vertices)
        out.Print("%f %f %f ", v.m_x * scale, v.m_y * scale, v.m_z * scale);
    out.Text("</float_array>\n"
             "\t\t\t\t\t<technique_common>\n");
    out.Print("\t\t\t\t\t\t<accessor count=\"%d\" offset=\"0\" source=\"#%s-lib-positions-array\" stride=\"3\">\n",
              vertexCount, m);
    WriteAccessorParams(out);

    // One normal per vertex, pointing out of the written (reversed) winding; a vertex
    // without a stored normal gets the one a zero normal has.
    out.Print("\t\t\t\t<source id=\"%s-lib-normals\" name=\"normal\">\n", m);
    out.Print("\t\t\t\t\t<float_array id=\"%s-lib-normals-array\" count=\"%d\">", m, 3 * vertexCount);
    for (std::size_t v = 0; v < vertexCount; ++v) {
        CVector n(0.0f, 0.0f, 1.0f);
        if (v < model.m_vertexNormals.size())
            n = model.m_vertexNormals[v];
        out.Print("%f %f %f ", -n.m_x, -n.m_y, -n.m_z);
    }
    out.Text("</float_array>\n"
             "\t\t\t\t\t<technique_common>\n");
    out.Print("\t\t\t\t\t\t<accessor count=\"%d\" offset=\"0\" source=\"#%s-lib-normals-array\" stride=\"3\">\n",
              vertexCount, m);
    WriteAccessorParams(out);

    std::size_t triangles = 0;
    ForEachTriangle(model, [&](const CFace&, const Corners&) { ++triangles; });
    if (textured) {
        // Three UV pairs per triangle (3k + corner); a corner without one gets 0 0.
        out.Print("\t\t\t\t<source id=\"%s-lib-map1\" name=\"map1\">\n", m);
        out.Print("\t\t\t\t\t<float_array id=\"%s-lib-map1-array\" count=\"%d\">", m, 6 * triangles);
        ForEachTriangle(model, [&](const CFace& face, const Corners& corners) {
            for (const std::size_t c : corners) {
                if (c < face.m_uvs.size())
                    out.Print("%f %f ", face.m_uvs[c].m_u, 1.0f - face.m_uvs[c].m_v);
                else
                    out.Text("0 0 ");
            }
        });
        out.Text("</float_array>\n"
                 "\t\t\t\t\t<technique_common>\n");
        out.Print("\t\t\t\t\t\t<accessor source=\"#%s-lib-map1-array\" count=\"%d\" stride=\"2\">\n", m, 3 * triangles);
        out.Text("\t\t\t\t\t\t\t<param name=\"S\" type=\"float\"/>\n"
                 "\t\t\t\t\t\t\t<param name=\"T\" type=\"float\"/>\n"
                 "\t\t\t\t\t\t</accessor>\n"
                 "\t\t\t\t\t</technique_common>\n"
                 "\t\t\t\t</source>\n");
    }

    out.Print("\t\t\t\t<vertices id=\"%s-lib-vertices\">\n", m);
    out.Print("\t\t\t\t\t<input semantic=\"POSITION\" source=\"#%s-lib-positions\"/>\n", m);
    out.Text("\t\t\t\t</vertices>\n");

    // One triangles element per material in list order, then one without a material for the
    // faces whose number names none, so that no face is lost.
    for (std::size_t i = 0; i <= materials.size(); ++i) {
        if (perMaterial[i] == 0)
            continue;
        const bool listed = i < materials.size();
        const bool withUvs = listed && IsTextured(materials[i]);
        if (listed)
            out.Print("\t\t\t\t<triangles count=\"%d\" material=\"%sSG\">\n", perMaterial[i], names.Material(i));
        else
            out.Print("\t\t\t\t<triangles count=\"%d\">\n", perMaterial[i]);
        out.Print("\t\t\t\t\t<input semantic=\"VERTEX\" source=\"#%s-lib-vertices\" offset=\"0\"/>\n", m);
        out.Print("\t\t\t\t\t<input semantic=\"NORMAL\" source=\"#%s-lib-normals\" offset=\"1\"/>\n", m);
        if (withUvs)
            out.Print("\t\t\t\t\t<input semantic=\"TEXCOORD\" source=\"#%s-lib-map1\" offset=\"2\"/>\n", m);
        out.Text("\t\t\t\t\t<p>");
        std::int64_t t = 0;  // triangle number over the whole model
        ForEachTriangle(model, [&](const CFace& face, const Corners& corners) {
            const std::int64_t uv = 3 * t++;
            if (static_cast<std::size_t>(lookup.Slot(face.m_material)) != i)
                return;
            const std::int32_t i0 = face.m_indices[corners[0]];
            const std::int32_t i1 = face.m_indices[corners[1]];
            const std::int32_t i2 = face.m_indices[corners[2]];
            if (withUvs)
                out.Print("%d %d %d %d %d %d %d %d %d ", i0, i0, uv, i2, i2, uv + 2, i1, i1, uv + 1);
            else
                out.Print("%d %d %d %d %d %d ", i0, i0, i2, i2, i1, i1);
        });
        out.Text("</p>\n"
                 "\t\t\t\t</triangles>\n");
    }
    out.Text("\t\t\t</mesh>\n"
             "\t\t</geometry>\n");
}

bool WriteCollada(const CCentigrade& scene, TextWriter& out, float scale, std::string_view sceneName,
                  std::string_view timestamp)
{
    if (scene.m_models.empty())
        return false;
    const ColladaNames names(scene);
    const MaterialLookup lookup(scene.m_materials);
    out.Text("<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n");
    WriteAsset(out, timestamp);
    WriteImages(scene.m_materials, names, out);
    if (!scene.m_materials.empty()) {
        WriteMaterials(scene.m_materials, names, out);
        out.Text("\t<library_effects>\n");
        for (std::size_t k = 0; k < scene.m_materials.size(); ++k)
            WriteEffect(scene.m_materials[k], names.Material(k), out);
        out.Text("\t</library_effects>\n");
    }
    out.Text("\t<library_geometries>\n");
    for (std::size_t k = 0; k < scene.m_models.size(); ++k)
        WriteColladaGeometry(scene, k, names, lookup, out, scale);
    out.Text("\t</library_geometries>\n");
    out.Text("\t<library_visual_scenes>\n");
    out.Print("\t\t<visual_scene id=\"%s\" name=\"%s\">\n", ColladaNames::kVisualSceneId,
              ColladaNames::NcName(sceneName, "Scene"));
    for (std::size_t k = 0; k < scene.m_models.size(); ++k)
        WriteNode(scene, k, names, lookup, out);
    out.Text("\t\t</visual_scene>\n"
             "\t</library_visual_scenes>\n"
             "\t<scene>\n");
    out.Print("\t\t<instance_visual_scene url=\"#%s\"/>\n", ColladaNames::kVisualSceneId);
    out.Text("\t</scene>\n"
             "</COLLADA>\n");
    return true;
}

std::string ColladaTimestampNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!::localtime_r(&now, &local))
        return "1970-01-01T00:00:00";
    std::array<char, 32> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%S", &local);
    return length ? std::string(text.data(), length) : "1970-01-01T00:00:00";
}

ExportResult ExportCollada(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm)
{
    // Refuse before opening anything, so that a file already at the path stays whole.
    if (scene.m_models.empty())
        return NoModelResult(path);
    std::string sceneName;
    GetFileBaseName(sceneName, path);
    ExportFile file(path);
    if (file.IsOpen())
        WriteCollada(scene, file.Writer(), scale, sceneName, ColladaTimestampNow());
    return file.Finish();
}
