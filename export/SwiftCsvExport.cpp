#include "export/SwiftCsvExport.h"

#include "export/BoneBaker.h"
#include "export/ExportFile.h"
#include "export/ExportableFace.h"
#include "export/ExportedBone.h"
#include "export/MaterialLookup.h"
#include "export/TextWriter.h"
#include "import/PathFunctions.h"
#include "platform/MatrixStack.h"
#include "scene/CCentigrade.h"

#include <array>
#include <optional>
#include <span>

namespace {

// Corner order of the written triangles: a triangle as (2, 1, 0), a quadrilateral as the
// triangles (2, 1, 0) and (0, 3, 2).
constexpr std::array<std::size_t, 3> kTriangle{2, 1, 0};
constexpr std::array<std::size_t, 6> kQuad{2, 1, 0, 0, 3, 2};

// Calls visit(face, corner) for every written corner of the model's faces whose material is
// the one at this list position.
template <class Visit>
void ForEachCorner(const CModel& model, const MaterialLookup& materials, std::int32_t material, Visit visit)
{
    for (const CFace& face : model.m_faces) {
        if (materials.Slot(face.m_material) != material || !IsExportableFace(face, model.m_vertices.size()))
            continue;
        const std::span<const std::size_t> order =
            face.m_indices.size() == 3 ? std::span<const std::size_t>(kTriangle) : std::span<const std::size_t>(kQuad);
        for (const std::size_t c : order)
            visit(face, c);
    }
}

struct Corner {
    const CVector* vertex;
    CVector normal;
    CUV uv;
};

Corner CornerOf(const CModel& model, const CFace& face, std::size_t c)
{
    Corner corner{&model.m_vertices[static_cast<std::size_t>(face.m_indices[c])], CVector(0.0f, 0.0f, 0.0f), CUV()};
    if (c < face.m_cornerNormals.size())
        corner.normal = face.m_cornerNormals[c];
    if (c < face.m_uvs.size())
        corner.uv = face.m_uvs[c];
    return corner;
}

// Text of a field: UTF-8, with a comma, a double quote or a line break (which would break
// the row) turned into '_'.
std::string FieldText(std::string_view cp932Text)
{
    std::string text;
    ConvertToUtf8(cp932Text, text);
    for (char& c : text)
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            c = '_';
    return text;
}

// One A row per animation: per frame, per bone, the world matrix with Z mirrored
// (scale (1, 1, -1) applied on the left), as the matrix stack computes it.
void WriteAnimationRows(const CCentigrade& scene, TextWriter& out, float scale)
{
    BoneBaker baker(scene, PoseRoutine::PoseBones, scale);
    MatrixStack mirror;
    for (std::size_t a = 0; a < scene.m_animationNames.size(); ++a) {
        const auto animation = static_cast<std::int32_t>(a);
        out.Print("A,%s", FieldText(scene.m_animationNames[a]));
        const std::int32_t frames = baker.FrameCount(animation);
        for (std::int32_t f = 0; f < frames; ++f) {
            for (const BoneBaker::Matrix& matrix : baker.Pose(animation, f)) {
                mirror.LoadIdentity();
                mirror.Scale(1.0f, 1.0f, -1.0f);
                mirror.MultMatrix(matrix);
                for (const float value : mirror.Top()) {
                    out.Text(",");
                    out.Fixed(value, 4);
                }
            }
        }
        out.Text("\n");
    }
}

}  // namespace

bool WriteCsvBoneCorners(const CModel& model, float scale, TextWriter& out, const MaterialLookup& materials,
                         std::int32_t material, std::size_t boneCount)
{
    bool allBound = true;
    ForEachCorner(model, materials, material, [&](const CFace& face, std::size_t c) {
        const Corner corner = CornerOf(model, face, c);
        const CVector& v = *corner.vertex;
        const std::optional<std::int32_t> bone = ExportedBone(v, boneCount);
        allBound = allBound && bone.has_value();
        out.Print(",%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%d", v.m_x * scale, v.m_y * scale, v.m_z * scale,
                  -corner.normal.m_x, -corner.normal.m_y, -corner.normal.m_z, corner.uv.m_u, corner.uv.m_v,
                  bone.value_or(-1));
    });
    return allBound;
}

void WriteCsvCorners(const CModel& model, float scale, TextWriter& out, const MaterialLookup& materials,
                     std::int32_t material)
{
    ForEachCorner(model, materials, material, [&](const CFace& face, std::size_t c) {
        const Corner corner = CornerOf(model, face, c);
        const CVector& v = *corner.vertex;
        out.Print(",%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,-1", v.m_x * scale, v.m_y * scale, -v.m_z * scale,
                  -corner.normal.m_x, -corner.normal.m_y, corner.normal.m_z, corner.uv.m_u, corner.uv.m_v);
    });
}

std::vector<std::int32_t> CsvMaterialNumbers(const std::vector<std::int32_t>& map, std::size_t materialCount,
                                             bool withDefault)
{
    std::vector<std::int32_t> numbers;
    for (std::size_t k = 0; k < map.size() && k < materialCount; ++k) {
        const std::int32_t entry = map[k];
        const bool names = entry >= 0 && static_cast<std::size_t>(entry) < materialCount;
        numbers.push_back(names ? entry : static_cast<std::int32_t>(k));
    }
    for (std::size_t k = numbers.size(); withDefault && k <= materialCount; ++k)
        numbers.push_back(static_cast<std::int32_t>(k));
    return numbers;
}

bool WriteSwiftCsv(const CCentigrade& scene, TextWriter& out, float scale, ExportAnimationForm form)
{
    const bool boneForm = form == AnimationFormKeyFrames || form == AnimationFormMatrices;
    const std::size_t materialCount = scene.m_materials.size();
    bool allBound = true;

    out.Print("B,%d\n", scene.m_bones.size());

    // Which materials some face uses, lines included (a material only lines use gets a V
    // row without corners). Faces naming no material use a default one after the list.
    const MaterialLookup lookup(scene.m_materials);
    const bool withDefault = lookup.NeedsDefault(scene.m_models);
    const std::size_t slots = materialCount + (withDefault ? 1 : 0);
    std::vector<bool> used(materialCount + 1, false);
    for (const CModel& model : scene.m_models)
        for (const CFace& face : model.m_faces)
            used[static_cast<std::size_t>(lookup.Slot(face.m_material))] = true;
    for (std::size_t i = 0; i < slots; ++i) {
        if (!used[i])
            continue;
        out.Text("V");
        const auto material = static_cast<std::int32_t>(i);
        for (const CModel& model : scene.m_models) {
            if (boneForm)
                allBound = WriteCsvBoneCorners(model, scale, out, lookup, material, scene.m_bones.size()) && allBound;
            else
                WriteCsvCorners(model, scale, out, lookup, material);
        }
        out.Text("\n");
    }

    if (boneForm && !scene.m_bones.empty())
        WriteAnimationRows(scene, out, scale);

    const auto writeMaterial = [&](const CMaterial& material) {
        const auto& c = material.m_color;
        std::string fileName;
        if (!material.m_texture.empty())
            GetFileName(fileName, material.m_texture);
        out.Print("M,%s,%.3f,%.3f,%.3f,%.3f\n", FieldText(fileName), c[0], c[1], c[2], c[3]);
    };
    for (const CMaterial& material : scene.m_materials)
        writeMaterial(material);
    if (withDefault)
        writeMaterial(CMaterial());

    if (!boneForm) {
        out.Text("T");
        for (std::size_t i = 0; i < slots; ++i)
            out.Print(",%d", i);
        out.Text("\n");
    } else {
        for (std::size_t a = 0; a < scene.m_animationNames.size(); ++a) {
            out.Text("T");
            const std::vector<std::int32_t> map = a < scene.m_materialMaps.size() ? scene.m_materialMaps[a]
                                                                                   : std::vector<std::int32_t>();
            for (const std::int32_t number : CsvMaterialNumbers(map, materialCount, withDefault))
                out.Print(",%d", number);
            out.Text("\n");
        }
    }
    return allBound;
}

ExportResult ExportSwiftCsv(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form)
{
    ExportFile file(path);
    if (file.IsOpen() && !WriteSwiftCsv(scene, file.Writer(), scale, form))
        file.NoteUnassignedVertices();
    return file.Finish();
}
