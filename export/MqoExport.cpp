#include "export/MqoExport.h"

#include "export/BoneBaker.h"
#include "export/ExportFile.h"
#include "export/ExportedBone.h"
#include "export/MaterialLookup.h"
#include "export/TextWriter.h"
#include "import/PathFunctions.h"
#include "scene/CCentigrade.h"

#include <optional>

namespace {

// The file name of a stored texture path, made safe to stand between quotes.
std::string QuotedFileName(const std::string& path)
{
    std::string name;
    GetFileName(name, path);
    return QuotableText(name);
}

void WriteHeader(TextWriter& out)
{
    out.Text("Metasequoia Document\n");
    out.Text("Format Text Ver 1.0\n\n");
    out.Text("Scene {\n");
    out.Text("\tpos 0.0000 0.0000 1500.0000\n");
    out.Text("\tlookat 0.0000 0.0000 0.0000\n");
    out.Text("\thead -0.5236\n");
    out.Text("\tpich 0.5236\n");
    out.Text("\tortho 0\n");
    out.Text("\tzoom2 5.0000\n");
    out.Text("\tamb 0.250 0.250 0.250\n");
    out.Text("}\n");
}

void WriteMaterials(const std::vector<CMaterial>& materials, TextWriter& out)
{
    out.Print("Material %d {\n", materials.size());
    for (const CMaterial& m : materials) {
        out.Print("\t\"%s\" shader(3) col(%f %f %f %f) dif(%f) amb(%f) emi(%f) spc(%f) power(%f)",
                  QuotableText(m.m_name), m.m_color[0], m.m_color[1], m.m_color[2], m.m_color[3], m.m_diffuse,
                  m.m_ambient, m.m_emissive, m.m_specular, m.m_power);
        if (!m.m_texture.empty())
            out.Print(" tex(\"%s\")", QuotedFileName(m.m_texture));
        if (!m.m_toonTexture.empty())
            out.Print(" toontex(\"%s\")", QuotedFileName(m.m_toonTexture));
        out.Print(" toon(%f %f %f)\n", m.m_toonColor[0], m.m_toonColor[1], m.m_toonColor[2]);
    }
    out.Text("}\n");
}

void WriteObject(const CModel& model, TextWriter& out, const std::vector<CBone>& bones,
                 const MaterialLookup& materials, float scale)
{
    out.Print("Object \"%s\" {\n", QuotableText(model.m_name));
    out.Text("\tvisible 15\n");
    out.Text("\tlocking 1\n");
    out.Text("\tshading 1\n");
    out.Print("\tfacet %f\n", model.m_smoothingAngle);
    out.Text("\tcolor 0.898 0.498 0.698\n");
    out.Text("\tcolor_type 0\n");
    WriteMqoObjectBody(model, out, bones, materials, scale);
    out.Text("}\n");
}

// One chunk per animation: its material list, then per bone one baked matrix per frame.
// The skeleton is posed once per frame and every bone's matrix is taken from that posing,
// which gives the same matrices as posing it anew for each bone.
void WriteBoneAnimations(const CCentigrade& scene, TextWriter& out, float scale)
{
    BoneBaker baker(scene, PoseRoutine::PoseAndSkin, scale);
    const std::size_t boneCount = baker.BoneCount();
    std::vector<BoneBaker::Matrix> matrices;  // [frame * boneCount + bone]
    for (std::size_t a = 0; a < scene.m_animationNames.size(); ++a) {
        const auto animation = static_cast<std::int32_t>(a);
        out.Print("BoneAnimation \"%s\" {\n", QuotableText(scene.m_animationNames[a]));
        out.Text("\tmaterials {\n");
        out.Text("\t\t");
        if (a < scene.m_materialMaps.size())
            for (const std::int32_t material : scene.m_materialMaps[a])
                out.Print("%d ", material);
        out.Text("\n\t}\n");

        baker.PoseEveryFrame(animation, matrices);
        for (std::size_t b = 0; b < boneCount; ++b) {
            out.Text("\tbone {\n");
            const std::int32_t ownFrames = baker.FrameCount(animation, b);
            for (std::int32_t f = 0; f < ownFrames; ++f) {
                const BoneBaker::Matrix& m = matrices[static_cast<std::size_t>(f) * boneCount + b];
                out.Print("\t\t%f %f %f %f %f %f %f %f %f %f %f %f %f %f %f %f\n", m[0], m[1], m[2], m[3], m[4], m[5],
                          m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13], m[14], m[15]);
            }
            out.Text("\t}\n");
        }
        out.Text("}\n");
    }
}

}  // namespace

bool WriteMqoObjectBody(const CModel& model, TextWriter& out, const std::vector<CBone>& bones,
                        const MaterialLookup& materials, float scale)
{
    out.Print("\tvertex %d {\n", model.m_vertices.size());
    if (bones.empty()) {
        for (const CVector& v : model.m_vertices)
            out.Print("\t\t%f %f %f\n", v.m_x * scale, v.m_y * scale, v.m_z * scale);
    } else {
        for (const CVector& v : model.m_vertices) {
            // A vertex without a bone (or naming one past the list) has no parent either.
            const std::optional<std::int32_t> bone = ExportedBone(v, bones.size());
            const std::int32_t parent = bone ? bones[static_cast<std::size_t>(*bone)].m_parent : -1;
            out.Print("\t\t%f %f %f B(%d) P(%d) W(%f)\n", v.m_x * scale, v.m_y * scale, v.m_z * scale,
                      bone.value_or(-1), parent, v.m_weight);
        }
    }
    out.Text("\t}\n");

    out.Print("\tface %d {\n", model.m_faces.size());
    for (const CFace& face : model.m_faces) {
        const auto& i = face.m_indices;
        const auto& uv = face.m_uvs;
        // The material's place in the file's list; M(-1), no material, when none has the number.
        const std::int32_t found = materials.Find(face.m_material);
        if (i.size() == 3) {
            out.Print("\t\t3 V(%d %d %d) M(%d)", i[0], i[1], i[2], found);
            if (uv.size() >= 3)
                out.Print(" UV(%f %f %f %f %f %f)", uv[0].m_u, uv[0].m_v, uv[1].m_u, uv[1].m_v, uv[2].m_u, uv[2].m_v);
            out.Text("\n");
        } else if (i.size() == 4) {
            out.Print("\t\t4 V(%d %d %d %d) M(%d)", i[0], i[1], i[2], i[3], found);
            if (uv.size() >= 4)
                out.Print(" UV(%f %f %f %f %f %f %f %f)", uv[0].m_u, uv[0].m_v, uv[1].m_u, uv[1].m_v, uv[2].m_u,
                          uv[2].m_v, uv[3].m_u, uv[3].m_v);
            out.Text("\n");
        }
        // Faces of other sizes (two-corner lines) are counted above but get no row.
    }
    out.Text("\t}\n");
    return true;
}

bool WriteMqoWithBones(const CCentigrade& scene, TextWriter& out, ExportAnimationForm form, float scale)
{
    if (scene.m_models.empty())
        return false;
    WriteHeader(out);
    WriteMaterials(scene.m_materials, out);
    const MaterialLookup lookup(scene.m_materials);
    for (const CModel& model : scene.m_models)
        WriteObject(model, out, scene.m_bones, lookup, scale);
    if (form == AnimationFormKeyFrames || form == AnimationFormMatrices)
        WriteBoneAnimations(scene, out, scale);
    out.Text("Eof\n");
    return true;
}

ExportResult ExportMqoWithBones(const CCentigrade& scene, const std::string& path, ExportAnimationForm form,
                                int /*flag*/, float scale)
{
    ExportResult result;
    result.path = path;
    if (form == AnimationFormNone)
        MakeMqoPath(result.path, path);
    // Refuse before opening anything, so that a file already at the path stays whole.
    if (scene.m_models.empty())
        return NoModelResult(result.path);
    ExportFile file(result.path);
    if (file.IsOpen())
        WriteMqoWithBones(scene, file.Writer(), form, scale);
    return file.Finish();
}
