#include "export/ActionScript3Export.h"

#include "export/ActionScriptCommon.h"
#include "export/BoneBaker.h"
#include "export/ExportedBone.h"
#include "export/TextWriter.h"
#include "scene/CCentigrade.h"

#include <array>
#include <optional>
#include <span>

namespace {

// Corners of the triangles of a face, as the bone forms index them and as the static form
// lays them out.
constexpr std::array<int, 3> kIndexedTriangle{0, 2, 1};
constexpr std::array<int, 6> kIndexedQuad{0, 2, 1, 0, 3, 2};
constexpr std::array<int, 3> kStaticTriangle{0, 1, 2};
constexpr std::array<int, 6> kStaticQuad{0, 1, 2, 2, 3, 0};

std::span<const int> Corners(const CFace& face, bool indexed)
{
    if (face.m_indices.size() == 3)
        return indexed ? std::span<const int>(kIndexedTriangle) : std::span<const int>(kStaticTriangle);
    return indexed ? std::span<const int>(kIndexedQuad) : std::span<const int>(kStaticQuad);
}

void WriteUVRows(const CModel& model, bool indexed, TextWriter& out)
{
    for (const CFace& face : model.m_faces) {
        if (!IsExportableFace(face, model.m_vertices.size()))
            continue;
        for (const int corner : Corners(face, indexed)) {
            const auto c = static_cast<std::size_t>(corner);
            if (c < face.m_uvs.size())
                out.Print("\t\t\taddUV(%f, %f);\n", face.m_uvs[c].m_u, face.m_uvs[c].m_v);
            else
                out.Text("\t\t\taddUV(0.000000, 0.000000);\n");
        }
    }
}

void WriteBakedMatrices(const CCentigrade& scene, TextWriter& out, float scale)
{
    out.Text("\n\t\t\t//アニメーション\n");
    BoneBaker baker(scene, PoseRoutine::PoseAndSkinMirrored, scale);
    const std::size_t boneCount = baker.BoneCount();
    std::vector<BoneBaker::Matrix> matrices;  // [frame * boneCount + bone]
    for (std::size_t a = 0; a < scene.m_animationNames.size(); ++a) {
        const auto animation = static_cast<std::int32_t>(a);
        out.Text("\t\t\taddMatrix3();\n");
        baker.PoseEveryFrame(animation, matrices);
        for (std::size_t b = 0; b < boneCount; ++b) {
            out.Text("\t\t\taddMatrix2();\n");
            const std::int32_t ownFrames = baker.FrameCount(animation, b);
            for (std::int32_t f = 0; f < ownFrames; ++f) {
                const BoneBaker::Matrix& m = matrices[static_cast<std::size_t>(f) * boneCount + b];
                out.Print("\t\t\taddMatrix(%f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f, %f);\n", m[0],
                          m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13], m[14],
                          m[15]);
            }
        }
    }
}

// Pivots, then per animation and bone the samples that are keys, and always the last one.
void WriteKeyFrames(const CCentigrade& scene, TextWriter& out, float scale)
{
    out.Text("\n\t\t\t//親子関係・中心点\n");
    for (const CBone& bone : scene.m_bones)
        out.Print("\t\t\taddPivot(%d, %f, %f, %f);\n", bone.m_parent, bone.m_head.m_x * scale,
                  -bone.m_head.m_y * scale, -bone.m_head.m_z * scale);
    out.Text("\n\t\t\t//アニメーション\n");
    for (std::size_t a = 0; a < scene.m_animationNames.size(); ++a) {
        out.Text("\t\t\taddAnimation3();\n");
        for (const CBone& bone : scene.m_bones) {
            out.Text("\t\t\taddAnimation2();\n");
            if (a >= bone.m_animations.size())
                continue;
            const std::vector<CAnimation>& samples = bone.m_animations[a];
            for (std::size_t f = 0; f < samples.size(); ++f) {
                const CAnimation& s = samples[f];
                if (!s.m_key && f + 1 != samples.size())
                    continue;
                out.Print("\t\t\taddAnimation(%d, %f, %f, %f, %f, %f, %f, %f, %f, %f);\n", f,
                          s.m_translate.m_x * scale, -s.m_translate.m_y * scale, -s.m_translate.m_z * scale,
                          s.m_rotate.m_x, -s.m_rotate.m_y, -s.m_rotate.m_z, s.m_scale.m_x, s.m_scale.m_y,
                          s.m_scale.m_z);
            }
        }
    }
}

}  // namespace

bool WriteAs3BoneVertices(const CModel& model, std::size_t boneCount, float scale, TextWriter& out)
{
    bool allBound = true;
    for (const CVector& v : model.m_vertices) {
        const std::optional<std::int32_t> bone = ExportedBone(v, boneCount);
        allBound = allBound && bone.has_value();
        out.Print("\t\t\taddVertexBone(%f, %f, %f, %d);\n", v.m_x * scale, -v.m_y * scale, -v.m_z * scale,
                  bone.value_or(0));
    }
    return allBound;
}

void WriteAs3Indices(const CModel& model, std::int64_t firstVertex, TextWriter& out)
{
    for (const CFace& face : model.m_faces) {
        if (!IsExportableFace(face, model.m_vertices.size()))
            continue;
        const auto& i = face.m_indices;
        out.Print("\t\t\taddIndex(%d, %d, %d);\n", firstVertex + i[0], firstVertex + i[2], firstVertex + i[1]);
        if (i.size() == 4)
            out.Print("\t\t\taddIndex(%d, %d, %d);\n", firstVertex + i[0], firstVertex + i[3], firstVertex + i[2]);
    }
}

void WriteAs3UVs(const CModel& model, TextWriter& out) { WriteUVRows(model, true, out); }

void WriteAs3StaticVertices(const CModel& model, float scale, TextWriter& out)
{
    for (const CFace& face : model.m_faces) {
        if (!IsExportableFace(face, model.m_vertices.size()))
            continue;
        for (const int corner : Corners(face, false)) {
            const CVector& v = model.m_vertices[static_cast<std::size_t>(face.m_indices[static_cast<std::size_t>(corner)])];
            out.Print("\t\t\taddVertex(%f, %f, %f);\n", v.m_x * scale, -v.m_y * scale, -v.m_z * scale);
        }
    }
}

void WriteAs3StaticUVs(const CModel& model, TextWriter& out) { WriteUVRows(model, false, out); }

bool WriteActionScript3(const CCentigrade& scene, TextWriter& out, const std::string& className,
                        ExportAnimationForm form, FlashTarget target, float scale)
{
    const bool bones = form == AnimationFormKeyFrames || form == AnimationFormMatrices;
    const bool flex = target == FlashTargetFlexSdk;
    // Only the first material's texture reaches the engine; without one init gets null.
    const CMaterial* texture =
        !scene.m_materials.empty() && HasTextureFile(scene.m_materials[0]) ? &scene.m_materials[0] : nullptr;

    out.Text("package models\n{\n");
    out.Text("\timport flash.display.Sprite;\n\timport flash.display.Bitmap;\n\timport quillspace3d.*;\n\n");
    const char* base = form == AnimationFormKeyFrames ? "HierarchyModel3D"
                       : form == AnimationFormMatrices ? "BoneModel3D"
                                                       : "Model3D";
    out.Print("\tpublic class %s extends %s\n", className, base);
    out.Text("\t{\n");
    if (flex && texture) {
        out.Text("\t\t//テクスチャ画像\n");
        out.Print("\t\t[Embed(source=\"%s\")]\n", EmbedSourceName(*texture));
        out.Text("\t\tprivate static var TextureImg:Class;\n\n");
    }
    // A constructor declares no return type.
    out.Print("\t\tpublic function %s(sprite:Sprite = null)\n", className);
    out.Text("\t\t{\n\t\t\tsuper(sprite);\n\n");

    bool allBound = true;
    out.Text("\t\t\t//頂点\n");
    for (const CModel& model : scene.m_models) {
        if (bones)
            allBound = WriteAs3BoneVertices(model, scene.m_bones.size(), scale, out) && allBound;
        else
            WriteAs3StaticVertices(model, scale, out);
    }
    if (bones) {
        out.Text("\n\t\t\t//インデックス\n");
        std::int64_t firstVertex = 0;
        for (const CModel& model : scene.m_models) {
            WriteAs3Indices(model, firstVertex, out);
            firstVertex += static_cast<std::int64_t>(model.m_vertices.size());
        }
    }
    out.Text("\n\t\t\t//テクスチャUV座標\n");
    for (const CModel& model : scene.m_models) {
        if (bones)
            WriteAs3UVs(model, out);
        else
            WriteAs3StaticUVs(model, out);
    }
    if (form == AnimationFormMatrices)
        WriteBakedMatrices(scene, out, scale);
    else if (form == AnimationFormKeyFrames)
        WriteKeyFrames(scene, out, scale);

    out.Text("\n\t\t\t//初期化\n");
    if (!flex && scene.m_materials.empty()) {
        // Flash CS hands over the first material's texture class; without a material there
        // is nothing to hand over and no init call.
    } else if (!texture) {
        out.Text("\t\t\tinit(null);\n");
    } else if (flex) {
        out.Text("\t\t\tvar texture:Bitmap = Bitmap(new TextureImg());\n");
        out.Text("\t\t\tinit(texture.bitmapData);\n");
    } else {
        const TextureSize size = DecodedTextureSize(*texture);
        out.Print("\t\t\tinit(new %s(%d,%d));\n", TextureClassName(*texture), size.width, size.height);
    }
    out.Text("\t\t}\n\t}\n}\n");
    return allBound;
}

ExportResult ExportActionScript3(const CCentigrade& scene, float scale, const std::string& path,
                                 ExportAnimationForm form, FlashTarget target)
{
    return ExportClassFile(path, [&](TextWriter& out, const std::string& className) {
        return WriteActionScript3(scene, out, className, form, target, scale);
    });
}

ExportResult ExportActionScript3Entry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportActionScript3(scene, options.scale, path, options.form, options.flashTarget);
}
