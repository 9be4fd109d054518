#include "export/WebExport.h"

#include "export/BoneBaker.h"
#include "export/CornerList.h"
#include "export/ExportFile.h"
#include "export/ExportableFace.h"
#include "export/ExportedBone.h"
#include "export/JsClassName.h"
#include "export/MaterialLookup.h"
#include "export/TextWriter.h"
#include "import/PathFunctions.h"
#include "platform/Cp932.h"
#include "scene/CCentigrade.h"

#include <array>
#include <cstdio>
#include <optional>

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

// One setMaterial row.
void WriteMaterial(const CMaterial& m, TextWriter& out, JsStyle style)
{
    const std::string texture = TextureFileName(m.m_texture);
    const auto& c = m.m_color;
    if (style == JsStyle::Class) {
        if (texture.empty())
            out.Print("    this.setMaterial(%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.2f);\n", c[0], c[1], c[2], c[3],
                      m.m_diffuse, m.m_ambient, m.m_emissive, m.m_specular, m.m_power);
        else
            out.Print("    this.setMaterial(%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.2f,\"%s\");\n", c[0], c[1], c[2],
                      c[3], m.m_diffuse, m.m_ambient, m.m_emissive, m.m_specular, m.m_power, JsString(texture));
        return;
    }
    const auto& t = m.m_toonColor;
    if (texture.empty()) {
        out.Print("\tthis.setMaterial(%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.2f,null,%.3f,%.3f,%.3f);\n", c[0], c[1],
                  c[2], c[3], m.m_diffuse, m.m_ambient, m.m_emissive, m.m_specular, m.m_power, t[0], t[1], t[2]);
        return;
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

// The record of corner c of a face of the model (triangles and quads only, every corner
// naming a vertex of the model). With bones it carries the vertex's bone, parent and weight
// (bone -1 and parent -1 for a vertex without a bone or naming one past the list).
struct RecordMaker {
    float scale;
    const std::vector<CBone>* bones;  // null: the static form
    const MaterialLookup& materials;

    CornerRecord operator()(const CModel& model, const CFace& face, std::size_t corner) const
    {
        const CVector& v = model.m_vertices[static_cast<std::size_t>(face.m_indices[corner])];
        CornerRecord r;
        r.m_position = CVector(v.m_x * scale, v.m_y * scale, v.m_z * scale);
        // A face whose normals were never computed lends its face normal to its corners.
        r.m_normal = corner < face.m_cornerNormals.size() ? static_cast<const CVector&>(face.m_cornerNormals[corner])
                                                          : face.m_normal;
        r.m_material = materials.Slot(face.m_material);
        if (corner < face.m_uvs.size())
            r.m_uv = face.m_uvs[corner];
        if (bones) {
            const std::optional<std::int32_t> bone = ExportedBone(v, bones->size());
            r.m_bone = bone.value_or(-1);
            r.m_parentBone = bone ? (*bones)[static_cast<std::size_t>(*bone)].m_parent : -1;
            r.m_weight = v.m_weight;
        }
        return r;
    }
};

// A corner as the corner list remembers it: the model's place among the models written so
// far, the face (a model holds far fewer than 2^32 faces) and the corner.
CornerList::Source SourceOf(std::size_t model, std::size_t face, std::size_t corner)
{
    return static_cast<CornerList::Source>(model) << 34 | static_cast<CornerList::Source>(face) << 2 | corner;
}

// Adds the corners of the model's triangles and quads (two triangles: corners 0, 1, 2 and
// 2, 3, 0) and prints each record when it is added; faces of other sizes, or naming a
// vertex the model lacks, give nothing. Then a blank line and the model's index triples.
// False when a bone record has no bone.
bool WriteCorners(const CModel& model, TextWriter& out, const RecordMaker& makeRecord, JsCorners& corners)
{
    static constexpr std::array<std::size_t, 6> kCorners{0, 1, 2, 2, 3, 0};
    const std::size_t vertexCount = model.m_vertices.size();
    const std::size_t modelNumber = corners.models.size();
    corners.models.push_back(&model);
    corners.list.BeginModel(vertexCount, model.m_faces.size());
    // Whether the record of an earlier corner is r, the record of corner (model, vertex). The
    // same vertex of the same model gives the same position, bone, parent and weight, so then
    // only what comes from the face is compared.
    const auto isSame = [&](CornerList::Source source, const CornerRecord& r, std::size_t vertex) {
        const std::size_t owner = static_cast<std::size_t>(source >> 34);
        const CModel& sourceModel = *corners.models[owner];
        const CFace& sourceFace = sourceModel.m_faces[static_cast<std::size_t>(source >> 2 & 0xFFFFFFFFu)];
        const auto corner = static_cast<std::size_t>(source & 3);
        if (owner != modelNumber || static_cast<std::size_t>(sourceFace.m_indices[corner]) != vertex)
            return makeRecord(sourceModel, sourceFace, corner) == r;
        const CVector& normal = corner < sourceFace.m_cornerNormals.size()
                                    ? static_cast<const CVector&>(sourceFace.m_cornerNormals[corner])
                                    : sourceFace.m_normal;
        const CUV uv = corner < sourceFace.m_uvs.size() ? sourceFace.m_uvs[corner] : CUV();
        return normal.m_x == r.m_normal.m_x && normal.m_y == r.m_normal.m_y && normal.m_z == r.m_normal.m_z &&
               makeRecord.materials.Slot(sourceFace.m_material) == r.m_material && uv.m_u == r.m_uv.m_u &&
               uv.m_v == r.m_uv.m_v;
    };

    // The records of a face's (up to four) corners, each made once: the next face's are made
    // ahead, so that the table slots of its new corners are fetched while this one is written.
    struct Made {
        std::array<CornerRecord, 4> records{};
        std::array<std::optional<std::uint32_t>, 4> hashes{};
    };
    std::array<Made, 2> madeFaces;  // this face's and the next one's, by turns
    std::size_t turn = 0;
    const auto make = [&](const CFace& face, Made& into) {
        for (std::size_t c = 0; c < face.m_indices.size(); ++c) {
            into.records[c] = makeRecord(model, face, c);
            into.hashes[c] = corners.list.Prepare(into.records[c], static_cast<std::size_t>(face.m_indices[c]));
        }
    };

    bool nextIsMade = false;
    bool allBound = true;
    for (std::size_t f = 0; f < model.m_faces.size(); ++f) {
        const CFace& face = model.m_faces[f];
        if (!IsExportableFace(face, vertexCount))
            continue;
        if (nextIsMade)
            turn = 1 - turn;
        else
            make(face, madeFaces[turn]);
        const Made& made = madeFaces[turn];
        nextIsMade = f + 1 < model.m_faces.size() && IsExportableFace(model.m_faces[f + 1], vertexCount);
        if (nextIsMade)
            make(model.m_faces[f + 1], madeFaces[1 - turn]);

        std::array<std::int32_t, 4> index{};
        for (std::size_t k = 0; k < (face.m_indices.size() == 3 ? 3u : 6u); ++k) {
            const std::size_t corner = kCorners[k];
            const CornerRecord& r = made.records[corner];
            // Corners 2 and 0 of a quad come twice: the second time they are found where the
            // first time put them (unless a NaN makes the record new each time).
            if ((k == 3 || k == 5) && !CornerList::HoldsNaN(r)) {
                corners.list.Repeat(index[corner]);
                continue;
            }
            allBound = allBound && (!makeRecord.bones || r.m_bone >= 0);
            const auto vertex = static_cast<std::size_t>(face.m_indices[corner]);
            const CornerList::Found found =
                corners.list.Add(r, SourceOf(modelNumber, f, corner), vertex,
                                 [&](CornerList::Source source) { return isSame(source, r, vertex); },
                                 made.hashes[corner]);
            index[corner] = found.index;
            if (!found.added)
                continue;
            if (makeRecord.bones)
                out.Print("\tthis.setB(%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%d,%.4f,%.4f,%d,%d,%.4f);\n", r.m_position.m_x,
                          r.m_position.m_y, r.m_position.m_z, r.m_normal.m_x, r.m_normal.m_y, r.m_normal.m_z,
                          r.m_material, r.m_uv.m_u, r.m_uv.m_v, r.m_bone, r.m_parentBone, r.m_weight);
            else
                out.Print("\tthis.setV(%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%d,%.4f,%.4f);\n", r.m_position.m_x,
                          r.m_position.m_y, r.m_position.m_z, r.m_normal.m_x, r.m_normal.m_y, r.m_normal.m_z,
                          r.m_material, r.m_uv.m_u, r.m_uv.m_v);
        }
    }
    out.Text("\n");
    const auto& indices = corners.list.Indices();
    for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
        if (makeRecord.bones)
            out.Print("\tthis.setBI(%d,%d,%d);\n", indices[i], indices[i + 1], indices[i + 2]);
        else
            out.Print("\tthis.setI(%d,%d,%d);\n", indices[i], indices[i + 1], indices[i + 2]);
    }
    return allBound;
}

// One baked matrix per animation, frame and bone; setMatrix2 closes a frame, setMatrix3
// an animation with its material map, to which the default material, when there is one,
// adds itself.
void WriteMatrices(const CCentigrade& scene, TextWriter& out, std::string_view indent, float scale,
                   std::optional<std::int32_t> defaultMaterial)
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
        std::vector<std::int32_t> map;
        if (a < scene.m_materialMaps.size())
            map = scene.m_materialMaps[a];
        if (defaultMaterial)
            map.push_back(*defaultMaterial);
        for (std::size_t i = 0; i < map.size(); ++i) {
            if (i > 0)
                out.Text(",");
            out.Print("%d", map[i]);
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
                        const MaterialLookup& materials, JsCorners& corners)
{
    return WriteCorners(model, out, RecordMaker{scale, &bones, materials}, corners);
}

void WriteJsCorners(const CModel& model, float scale, TextWriter& out, const MaterialLookup& materials,
                    JsCorners& corners)
{
    WriteCorners(model, out, RecordMaker{scale, nullptr, materials}, corners);
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
    for (const CMaterial& material : scene.m_materials)
        WriteMaterial(material, out, style);
    // Faces naming no material use a default one after the list.
    const MaterialLookup lookup(scene.m_materials);
    std::optional<std::int32_t> defaultMaterial;
    if (lookup.NeedsDefault(scene.m_models)) {
        defaultMaterial = lookup.DefaultSlot();
        WriteMaterial(CMaterial(), out, style);
    }
    out.Text("\n");

    bool allBound = true;
    JsCorners corners;
    for (const CModel& model : scene.m_models) {
        if (bones)
            allBound = WriteJsBoneCorners(model, scale, out, scene.m_bones, lookup, corners) && allBound;
        else
            WriteJsCorners(model, scale, out, lookup, corners);
    }
    if (bones && !scene.m_bones.empty()) {
        out.Text("\n");
        WriteMatrices(scene, out, indent, scale, defaultMaterial);
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
