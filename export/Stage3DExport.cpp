#include "export/Stage3DExport.h"

#include "export/ActionScriptCommon.h"
#include "export/BoneBaker.h"
#include "export/ExportedBone.h"
#include "export/MaterialLookup.h"
#include "export/TextWriter.h"
#include "scene/CCentigrade.h"

#include <array>
#include <optional>
#include <span>

namespace {

constexpr std::array<int, 3> kTriangle{2, 1, 0};
constexpr std::array<int, 6> kQuad{2, 1, 0, 0, 3, 2};

// Writes every corner; register(vertex) gives a corner's matrix register.
template <class Register>
void WriteCorners(const CModel& model, const MaterialLookup& materials, float scale, TextWriter& out,
                  Register register_)
{
    for (const CFace& face : model.m_faces) {
        if (!IsExportableFace(face, model.m_vertices.size()))
            continue;
        const std::span<const int> corners =
            face.m_indices.size() == 3 ? std::span<const int>(kTriangle) : std::span<const int>(kQuad);
        for (const int corner : corners) {
            const auto c = static_cast<std::size_t>(corner);
            const CVector& v = model.m_vertices[static_cast<std::size_t>(face.m_indices[c])];
            const float u = c < face.m_uvs.size() ? face.m_uvs[c].m_u : 0.0f;
            const float w = c < face.m_uvs.size() ? face.m_uvs[c].m_v : 0.0f;
            out.Print("\t\t\taddVertex(%.4f, %.4f, %.4f, %.4f, %.4f, %d, %d);\n", v.m_x * scale, v.m_y * scale,
                      v.m_z * scale, u, w, register_(v), materials.Slot(face.m_material));
        }
    }
}

// Per animation and frame (bone 0's frames) one matrix per bone in bone order.
void WriteMatrices(const CCentigrade& scene, TextWriter& out, float scale)
{
    out.Text("\n");
    BoneBaker baker(scene, PoseRoutine::PoseAndSkinRigid, scale);
    for (std::size_t a = 0; a < scene.m_animationNames.size(); ++a) {
        const auto animation = static_cast<std::int32_t>(a);
        out.Text("\t\t\taddMatrix3();\n");
        const std::int32_t frames = baker.FrameCount(animation);
        for (std::int32_t f = 0; f < frames; ++f) {
            out.Text("\t\t\taddMatrix2();\n");
            for (const BoneBaker::Matrix& m : baker.Pose(animation, f))
                out.Print("\t\t\taddMatrix(%.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, "
                          "%.4f, %.4f, %.4f, %.4f);\n",
                          m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13],
                          m[14], m[15]);
        }
    }
}

}  // namespace

bool WriteStage3DBoneCorners(const CModel& model, std::size_t boneCount, const MaterialLookup& materials, float scale,
                             TextWriter& out)
{
    bool allBound = true;
    WriteCorners(model, materials, scale, out, [&](const CVector& v) -> std::int64_t {
        const std::optional<std::int32_t> bone = ExportedBone(v, boneCount);
        allBound = allBound && bone.has_value();
        return 4 * static_cast<std::int64_t>(bone.value_or(0)) + 4;
    });
    return allBound;
}

void WriteStage3DCorners(const CModel& model, const MaterialLookup& materials, float scale, TextWriter& out)
{
    WriteCorners(model, materials, scale, out, [](const CVector&) -> std::int64_t { return 4; });
}

bool WriteStage3D(const CCentigrade& scene, TextWriter& out, const std::string& className, ExportAnimationForm form,
                  FlashTarget target, float scale)
{
    const bool bones = form == AnimationFormKeyFrames || form == AnimationFormMatrices;
    const bool flex = target == FlashTargetFlexSdk;
    const std::vector<CMaterial>& materials = scene.m_materials;
    const MaterialLookup lookup(materials);
    // Corners whose face names no material get a material of their own after the list.
    const bool withDefault = lookup.NeedsDefault(scene.m_models);

    out.Text("package models\n{\n");
    if (flex)
        out.Text("\timport flash.display.Bitmap;\n");
    out.Text("\timport strataview3d.*;\n\n");
    out.Print("\tpublic class %s extends %s\n", className, bones ? "BoneModel3D" : "Model3D");
    out.Text("\t{\n");
    if (flex)
        for (std::size_t i = 0; i < materials.size(); ++i)
            if (HasTextureFile(materials[i])) {
                out.Print("\t\t[Embed(source=\"%s\")]\n", EmbedSourceName(materials[i]));
                out.Print("\t\tprivate static var TextureImg%d:Class;\n", i);
            }
    out.Print("\n\t\tpublic function %s(scene:Scene3D)\n", className);
    out.Text("\t\t{\n");
    out.Print("\t\t\tsuper(%d);\n", materials.size() + (withDefault ? 1 : 0));
    out.Text("\n");

    bool allBound = true;
    for (const CModel& model : scene.m_models) {
        if (bones)
            allBound = WriteStage3DBoneCorners(model, scene.m_bones.size(), lookup, scale, out) && allBound;
        else
            WriteStage3DCorners(model, lookup, scale, out);
    }
    if (bones && !scene.m_bones.empty())
        WriteMatrices(scene, out, scale);

    out.Text("\n");
    for (std::size_t i = 0; i < materials.size(); ++i) {
        if (!HasTextureFile(materials[i])) {
            out.Print("\t\t\tinit(scene._context3D,null,%d);\n", i);
        } else if (flex) {
            out.Print("\t\t\tvar texture%d:Bitmap = Bitmap(new TextureImg%d());\n", i, i);
            out.Print("\t\t\tinit(scene._context3D,texture%d.bitmapData,%d);\n", i, i);
        } else {
            const TextureSize size = DecodedTextureSize(materials[i]);
            out.Print("\t\t\tinit(scene._context3D,new %s(%d,%d),%d);\n", TextureClassName(materials[i]), size.width,
                      size.height, i);
        }
    }
    if (withDefault)
        out.Print("\t\t\tinit(scene._context3D,null,%d);\n", lookup.DefaultSlot());
    out.Text("\t\t}\n\t}\n}\n");
    return allBound;
}

ExportResult ExportStage3D(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form,
                           FlashTarget target)
{
    return ExportClassFile(path, [&](TextWriter& out, const std::string& className) {
        return WriteStage3D(scene, out, className, form, target, scale);
    });
}

ExportResult ExportStage3DEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportStage3D(scene, options.scale, path, options.form, options.flashTarget);
}
