#include "export/JvmClassWriter.h"

#include "export/BoneBaker.h"
#include "scene/CCentigrade.h"

#include <algorithm>

namespace {

// Bytecode budget of one method piece, well below the JVM's 65,535 bytes.
constexpr std::size_t kSafeMethodBytes = 60000;
// Largest bytecode of one row: the receiver, each argument as a constant-pool load (3 bytes)
// and the call.
constexpr std::size_t kVertexRowBytes = 1 + 3 * 3 + 3;
constexpr std::size_t kBoneVertexRowBytes = 1 + 4 * 3 + 3;
constexpr std::size_t kIndexRowBytes = 1 + 3 * 3 + 3;
constexpr std::size_t kUVRowBytes = 1 + 2 * 3 + 3;
constexpr std::size_t kMatrixRowBytes = 1 + 16 * 3 + 3;

// The name of piece k (1-based) of a method: the name itself, then name_2, name_3, ...
std::string PieceName(std::string_view method, std::size_t piece)
{
    std::string name(method);
    if (piece > 1)
        name += "_" + std::to_string(piece);
    return name;
}

std::size_t RowsPerPiece(std::size_t rowBytes) { return kSafeMethodBytes / rowBytes; }

std::size_t PieceCount(std::size_t rows, std::size_t rowBytes)
{
    const std::size_t perPiece = RowsPerPiece(rowBytes);
    return rows == 0 ? 1 : (rows + perPiece - 1) / perPiece;
}

// Opens a method and starts its next piece whenever the current one is full.
class MethodPieces {
public:
    MethodPieces(TextWriter& out, const JvmDialect& dialect, std::string_view name, std::size_t rowBytes)
        : m_out(out), m_dialect(dialect), m_name(name), m_perPiece(RowsPerPiece(rowBytes))
    {
        m_out.Print(m_dialect.methodHead, std::string_view(m_name));
    }
    // Before each row.
    void Row()
    {
        if (m_rows == m_perPiece) {
            m_out.Text("\t}\n\n");
            m_out.Print(m_dialect.methodHead, std::string_view(PieceName(m_name, ++m_piece)));
            m_rows = 0;
        }
        ++m_rows;
    }
    void Close() { m_out.Text("\t}\n"); }

private:
    TextWriter& m_out;
    const JvmDialect& m_dialect;
    std::string m_name;
    std::size_t m_perPiece;
    std::size_t m_rows = 0;
    std::size_t m_piece = 1;
};

// The triangle corners of a face, as corner numbers: 0, 2, 1 and for a quad 0, 3, 2.
constexpr std::size_t kTriangleCorners[] = {0, 2, 1, 0, 3, 2};

std::size_t TriangleCornerCount(const CFace& face)
{
    const std::size_t corners = face.m_indices.size();
    return corners == 3 ? 3 : (corners == 4 ? 6 : 0);
}

std::string GroupName(std::size_t animation, std::size_t group)
{
    return "addAnimations" + std::to_string(animation) + "_" + std::to_string(group);
}

}  // namespace

JvmClassWriter::JvmClassWriter(const CCentigrade& scene, const JvmDialect& dialect, TextWriter& out, float scale)
    : m_scene(scene), m_dialect(dialect), m_out(out), m_scale(scale)
{
    for (const CModel& model : scene.m_models) {
        m_vertexCount += model.m_vertices.size();
        for (const CFace& face : model.m_faces)
            m_triangleCount += TriangleCornerCount(face) / 3;
    }
}

std::int32_t JvmClassWriter::FrameCount(std::size_t animation, std::size_t bone) const
{
    if (bone >= m_scene.m_bones.size() || animation >= m_scene.m_bones[bone].m_animations.size())
        return 0;
    return static_cast<std::int32_t>(m_scene.m_bones[bone].m_animations[animation].size());
}

void JvmClassWriter::CallPieces(std::string_view name, std::size_t rows, std::size_t rowBytes)
{
    const std::size_t pieces = PieceCount(rows, rowBytes);
    for (std::size_t piece = 1; piece <= pieces; ++piece)
        m_out.Print(m_dialect.call, std::string_view(PieceName(name, piece)));
}

void JvmClassWriter::CallVertexMethod(std::string_view name, bool bones)
{
    CallPieces(name, m_vertexCount, bones ? kBoneVertexRowBytes : kVertexRowBytes);
}

void JvmClassWriter::CallIndexMethod(std::string_view name) { CallPieces(name, m_triangleCount, kIndexRowBytes); }

void JvmClassWriter::CallUVMethod(std::string_view name) { CallPieces(name, 3 * m_triangleCount, kUVRowBytes); }

void JvmClassWriter::CallAnimationMethods(MatrixGrouping grouping)
{
    const std::size_t bones = m_scene.m_bones.size();
    for (std::size_t a = 0; a < m_scene.m_animationNames.size(); ++a) {
        m_out.Print(m_dialect.call, std::string_view("addA3"));
        const std::size_t groups = grouping == MatrixGrouping::ByFrame ? static_cast<std::size_t>(FrameCount(a, 0)) : bones;
        for (std::size_t g = 0; g < groups; ++g) {
            m_out.Print(m_dialect.call, std::string_view("addA2"));
            const std::size_t rows = grouping == MatrixGrouping::ByFrame ? bones : static_cast<std::size_t>(FrameCount(a, g));
            CallPieces(GroupName(a, g), rows, kMatrixRowBytes);
        }
    }
}

bool JvmClassWriter::WriteMeshMethods(std::string_view vertexMethod, bool bones)
{
    const bool allBound = WriteVertexMethod(vertexMethod, bones);
    m_out.Text("\n");
    WriteIndexMethod("addIndices");
    m_out.Text("\n");
    WriteUVMethod("addUVs");
    return allBound;
}

bool JvmClassWriter::WriteVertexMethod(std::string_view name, bool bones)
{
    MethodPieces method(m_out, m_dialect, name, bones ? kBoneVertexRowBytes : kVertexRowBytes);
    bool allBound = true;
    for (const CModel& model : m_scene.m_models) {
        for (const CVector& v : model.m_vertices) {
            method.Row();
            if (!bones) {
                m_out.Print(m_dialect.vertexRow, v.m_x * m_scale, v.m_y * m_scale, v.m_z * m_scale);
                continue;
            }
            if (v.m_boneIndex < 0)
                allBound = false;
            m_out.Print(m_dialect.boneVertexRow, v.m_x * m_scale, v.m_y * m_scale, v.m_z * m_scale,
                        std::max(v.m_boneIndex, std::int32_t{0}));
        }
    }
    method.Close();
    return allBound;
}

void JvmClassWriter::WriteIndexMethod(std::string_view name)
{
    MethodPieces method(m_out, m_dialect, name, kIndexRowBytes);
    std::int32_t offset = 0;
    for (const CModel& model : m_scene.m_models) {
        for (const CFace& face : model.m_faces) {
            const std::size_t corners = TriangleCornerCount(face);
            for (std::size_t c = 0; c < corners; c += 3) {
                method.Row();
                m_out.Print(m_dialect.indexRow, offset + face.m_indices[kTriangleCorners[c]],
                            offset + face.m_indices[kTriangleCorners[c + 1]],
                            offset + face.m_indices[kTriangleCorners[c + 2]]);
            }
        }
        offset += static_cast<std::int32_t>(model.m_vertices.size());
    }
    method.Close();
}

void JvmClassWriter::WriteUVMethod(std::string_view name)
{
    MethodPieces method(m_out, m_dialect, name, kUVRowBytes);
    for (const CModel& model : m_scene.m_models) {
        for (const CFace& face : model.m_faces) {
            const std::size_t corners = TriangleCornerCount(face);
            for (std::size_t c = 0; c < corners; ++c) {
                method.Row();
                const std::size_t k = kTriangleCorners[c];
                if (k < face.m_uvs.size())
                    m_out.Print(m_dialect.uvRow, face.m_uvs[k].m_u, face.m_uvs[k].m_v);
                else
                    m_out.Print(m_dialect.uvRow, 0.0f, 0.0f);
            }
        }
    }
    method.Close();
}

void JvmClassWriter::WriteAnimationMethods(MatrixGrouping grouping)
{
    if (m_scene.m_bones.empty())
        return;
    BoneBaker baker(m_scene, PoseRoutine::PoseAndSkinRigid, m_scale);
    const std::size_t bones = baker.BoneCount();
    std::vector<BoneBaker::Matrix> matrices;  // ByBone: [frame * bones + bone]
    const auto writeMatrix = [this](MethodPieces& method, const BoneBaker::Matrix& m) {
        method.Row();
        m_out.Print(m_dialect.matrixRow, m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11],
                    m[12], m[13], m[14], m[15]);
    };
    for (std::size_t a = 0; a < m_scene.m_animationNames.size(); ++a) {
        const auto animation = static_cast<std::int32_t>(a);
        if (grouping == MatrixGrouping::ByFrame) {
            for (std::int32_t f = 0; f < FrameCount(a, 0); ++f) {
                const std::vector<BoneBaker::Matrix>& posed = baker.Pose(animation, f);
                m_out.Text("\n");
                MethodPieces method(m_out, m_dialect, GroupName(a, static_cast<std::size_t>(f)), kMatrixRowBytes);
                for (const BoneBaker::Matrix& m : posed)
                    writeMatrix(method, m);
                method.Close();
            }
            continue;
        }
        // By bone: pose every frame once, then give each bone its own frames.
        std::int32_t frames = 0;
        for (std::size_t b = 0; b < bones; ++b)
            frames = std::max(frames, FrameCount(a, b));
        matrices.resize(static_cast<std::size_t>(frames) * bones);
        for (std::int32_t f = 0; f < frames; ++f) {
            const std::vector<BoneBaker::Matrix>& posed = baker.Pose(animation, f);
            std::copy(posed.begin(), posed.end(), matrices.begin() + static_cast<std::ptrdiff_t>(f) * static_cast<std::ptrdiff_t>(bones));
        }
        for (std::size_t b = 0; b < bones; ++b) {
            m_out.Text("\n");
            MethodPieces method(m_out, m_dialect, GroupName(a, b), kMatrixRowBytes);
            for (std::int32_t f = 0; f < FrameCount(a, b); ++f)
                writeMatrix(method, matrices[static_cast<std::size_t>(f) * bones + b]);
            method.Close();
        }
    }
}
