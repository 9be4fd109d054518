#include "export/WebExport.h"

#include "export/BoneBaker.h"
#include "export/CornerList.h"
#include "export/ExportFile.h"
#include "export/JsClassName.h"
#include "export/TextWriter.h"
#include "import/PathFunctions.h"
#include "platform/Cp932.h"
#include "scene/CCentigrade.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// A file name as the body of a double-quoted JavaScript string: UTF-8, with quotes,
// backslashes and control characters escaped.
std::string JsString(const std::string& cp932Text)
{
    std::string out;
    for (const char c : cp932::ToUtf8(cp932Text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            std::array<char, 8> escape{};
            std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(c));
            out += escape.data();
        } else {
            out += c;
        }
    }
    return out;
}

// The file name of a texture path; empty when there is none.
std::string TextureFileName(const std::string& path)
{
    std::string name;
    GetFileName(name, path);
    return name;
}

void WriteMaterials(const std::vector<CMaterial>& materials, TextWriter& out, JsStyle style)
{
    for (const CMaterial& m : materials) {
        const std::string texture = TextureFileName(m.m_texture);
        const auto& c = m.m_color;
        if (style == JsStyle::Class) {
            if (texture.empty())
                out.Print("    this.setMaterial(%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.2f);\n", c[0], c[1], c[2],
                          c[3], m.m_diffuse, m.m_ambient, m.m_emissive, m.m_specular, m.m_power);
            else
                out.Print("    this.setMaterial(%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.2f,\"%s\");\n", c[0], c[1],
                          c[2], c[3], m.m_diffuse, m.m_ambient, m.m_emissive, m.m_specular, m.m_power,
                          JsString(texture));
            continue;
        }
        const auto& t = m.m_toonColor;
        if (texture.empty()) {
            out.Print("\tthis.setMaterial(%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.2f,null,%.3f,%.3f,%.3f);\n", c[0],
                      c[1], c[2], c[3], m.m_diffuse, m.m_ambient, m.m_emissive, m.m_specular, m.m_power, t[0], t[1],
                      t[2]);
            continue;
        }
        out.Print("\tthis.setMaterial(%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.2f,initTexture(\"%s\"),%.3f,%.3f,%.3f",
                  c[0], c[1], c[2], c[3], m.m_diffuse, m.m_ambient, m.m_emissive, m.m_specular, m.m_power,
                  JsString(texture), t[0], t[1], t[2]);
        // Without a toon texture there is nothing to load: the argument is left out.
        const std::string toon = TextureFileName(m.m_toonTexture);
        if (!toon.empty())
            out.Print(",initTexture(\"%s\")", JsString(toon));
        out.Text(");\n");
    }
}

// Adds the corners of the model's triangles and quads (two triangles: corners 0, 1, 2 and
// 2, 3, 0); faces of other sizes, or naming a vertex the model lacks, give nothing. With
// bones, records carry the vertex's bone, parent and weight; false when a corner's vertex
// has no bone.
bool CollectCorners(const CModel& model, float scale, const std::vector<CBone>* bones, CornerList& corners)
{
    static constexpr std::array<std::size_t, 6> kCorners{0, 1, 2, 2, 3, 0};
    bool allBound = true;
    const std::size_t vertexCount = model.m_vertices.size();
    corners.BeginModel(vertexCount);
    for (const CFace& face : model.m_faces) {
        const std::size_t size = face.m_indices.size();
        if (size != 3 && size != 4)
            continue;
        if (!std::all_of(face.m_indices.begin(), face.m_indices.end(),
                         [&](std::int32_t i) { return i >= 0 && static_cast<std::size_t>(i) < vertexCount; }))
            continue;
        for (std::size_t k = 0; k < (size == 3 ? 3u : 6u); ++k) {
            const std::size_t corner = kCorners[k];
            const auto vertex = static_cast<std::size_t>(face.m_indices[corner]);
            const CVector& v = model.m_vertices[vertex];
            CornerRecord r;
            r.m_position = CVector(v.m_x * scale, v.m_y * scale, v.m_z * scale);
            // A face whose normals were never computed lends its face normal to its corners.
            r.m_normal = corner < face.m_cornerNormals.size() ? static_cast<const CVector&>(face.m_cornerNormals[corner])
                                                              : face.m_normal;
            r.m_material = face.m_material;
            if (corner < face.m_uvs.size())
                r.m_uv = face.m_uvs[corner];
            if (bones) {
                const bool known = v.m_boneIndex >= 0 && static_cast<std::size_t>(v.m_boneIndex) < bones->size();
                r.m_bone = v.m_boneIndex;
                r.m_parentBone = known ? (*bones)[static_cast<std::size_t>(v.m_boneIndex)].m_parent : -1;
                r.m_weight = v.m_weight;
                allBound = allBound && v.m_boneIndex >= 0;
            }
            corners.Add(r, vertex);
        }
    }
    return allBound;
}

void PrintIndexTriples(const CornerList& corners, std::size_t firstIndex, TextWriter& out, bool bones)
{
    const auto& indices = corners.Indices();
    for (std::size_t i = firstIndex; i + 2 < indices.size(); i += 3) {
        if (bones)
            out.Print("\tthis.setBI(%d,%d,%d);\n", indices[i], indices[i + 1], indices[i + 2]);
        else
            out.Print("\tthis.setI(%d,%d,%d);\n", indices[i], indices[i + 1], indices[i + 2]);
    }
}

// One baked matrix per animation, frame and bone; setMatrix2 closes a frame, setMatrix3
// an animation with its material map.
void WriteMatrices(const CCentigrade& scene, TextWriter& out, std::string_view indent, float scale)
{
    BoneBaker baker(scene, PoseRoutine::PoseAndSkinRigid, scale);
    for (std::size_t a = 0; a < scene.m_animationNames.size(); ++a) {
        const auto animation = static_cast<std::int32_t>(a);
        const std::int32_t frames = baker.FrameCount(animation);
        for (std::int32_t f = 0; f < frames; ++f) {
            for (const BoneBaker::Matrix& m : baker.Pose(animation, f)) {
                out.Text(indent);
                out.Print("this.setMatrix([%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,"
                          "%.4f]);\n",
                          m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13],
                          m[14], m[15]);
            }
            out.Text(indent);
            out.Text("this.setMatrix2();\n");
        }
        // An empty map (a scene without materials) still closes the call.
        out.Text(indent);
        out.Text("this.setMatrix3([");
        if (a < scene.m_materialMaps.size()) {
            const std::vector<std::int32_t>& map = scene.m_materialMaps[a];
            for (std::size_t i = 0; i < map.size(); ++i) {
                if (i > 0)
                    out.Text(",");
                out.Print("%d", map[i]);
            }
        }
        out.Text("]);\n");
    }
}

ExportResult ExportJs(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form,
                      JsStyle style)
{
    ExportFile file(path);
    if (file.IsOpen() && !WriteJsModel(scene, file.Writer(), style, form, scale, JsClassName(path)))
        file.NoteUnassignedVertices();
    return file.Finish();
}

}  // namespace

bool WriteJsBoneCorners(const CModel& model, float scale, TextWriter& out, const std::vector<CBone>& bones,
                        CornerList& corners)
{
    const std::size_t firstRecord = corners.Records().size();
    const std::size_t firstIndex = corners.Indices().size();
    const bool allBound = CollectCorners(model, scale, &bones, corners);
    const auto& records = corners.Records();
    for (std::size_t i = firstRecord; i < records.size(); ++i) {
        const CornerRecord& r = records[i];
        out.Print("\tthis.setB(%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%d,%.4f,%.4f,%d,%d,%.4f);\n", r.m_position.m_x,
                  r.m_position.m_y, r.m_position.m_z, r.m_normal.m_x, r.m_normal.m_y, r.m_normal.m_z, r.m_material,
                  r.m_uv.m_u, r.m_uv.m_v, r.m_bone, r.m_parentBone, r.m_weight);
    }
    out.Text("\n");
    PrintIndexTriples(corners, firstIndex, out, true);
    return allBound;
}

void WriteJsCorners(const CModel& model, float scale, TextWriter& out, CornerList& corners)
{
    const std::size_t firstRecord = corners.Records().size();
    const std::size_t firstIndex = corners.Indices().size();
    CollectCorners(model, scale, nullptr, corners);
    const auto& records = corners.Records();
    for (std::size_t i = firstRecord; i < records.size(); ++i) {
        const CornerRecord& r = records[i];
        out.Print("\tthis.setV(%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%d,%.4f,%.4f);\n", r.m_position.m_x, r.m_position.m_y,
                  r.m_position.m_z, r.m_normal.m_x, r.m_normal.m_y, r.m_normal.m_z, r.m_material, r.m_uv.m_u,
                  r.m_uv.m_v);
    }
    out.Text("\n");
    PrintIndexTriples(corners, firstIndex, out, false);
}

bool WriteJsModel(const CCentigrade& scene, TextWriter& out, JsStyle style, ExportAnimationForm form, float scale,
                  const std::string& className)
{
    const bool bones = form != AnimationFormNone;
    // The matrix rows and the closing call sit in the constructor's body.
    const std::string_view indent = style == JsStyle::Prototype ? "\t" : "    ";
    if (style == JsStyle::Prototype)
        out.Print("var %s = function()\n{\n\tthis.init();\n\n", className);
    else if (bones)
        out.Print("class %s extends BoneModel3D {\n  constructor() {\n    super();\n\n", className);
    else
        out.Print("class %s extends Model3D {\n  constructor() {\n    super();\n\n", className);
    WriteMaterials(scene.m_materials, out, style);
    out.Text("\n");

    bool allBound = true;
    CornerList corners;
    for (const CModel& model : scene.m_models) {
        if (bones)
            allBound = WriteJsBoneCorners(model, scale, out, scene.m_bones, corners) && allBound;
        else
            WriteJsCorners(model, scale, out, corners);
    }
    if (bones && !scene.m_bones.empty()) {
        out.Text("\n");
        WriteMatrices(scene, out, indent, scale);
    }
    out.Text("\n");
    out.Text(indent);
    out.Text("this.initBuffers();\n");
    if (style == JsStyle::Class)
        out.Text("  }\n}\n");
    else if (bones)
        out.Print("};\n%s.prototype = new BoneModel3D();\n", className);
    else
        out.Print("};\n%s.prototype = new Model3D();\n", className);
    return allBound;
}

ExportResult ExportWebGL(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form)
{
    return ExportJs(scene, scale, path, form, JsStyle::Prototype);
}

ExportResult ExportWebGPU(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form)
{
    return ExportJs(scene, scale, path, form, JsStyle::Class);
}
