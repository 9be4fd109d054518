#include "export/JvmClassWriter.h"

#include "export/BoneBaker.h"
#include "export/ExportedBone.h"
#include "scene/CCentigrade.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace {

// Bytecode of the rows of one method, well below the JVM's 65,535 bytes, and of the rows
// together with the calls of the method's nested classes.
constexpr std::size_t kRowBytesPerMethod = 60000;
constexpr std::size_t kBytesPerMethod = 65000;
// A call of a nested class's rows: new, dup, aload_0, invokespecial, invokevirtual.
constexpr std::size_t kHolderCallBytes = 11;

// Constant-pool entries of a class (numbered 1 to 65,534), and those kept for everything but
// the numbers: the class, its base and the engine's methods; per method of the class its
// name and reference; per nested class its names and the references of its calls.
constexpr std::size_t kPoolEntries = 65534;
constexpr std::size_t kFixedPoolEntries = 1000;
constexpr std::size_t kPoolEntriesPerMethod = 4;
constexpr std::size_t kPoolEntriesPerHolder = 8;

// Largest bytecode of a row of that many numbers: the receiver, each number as a
// constant-pool load (3 bytes) and the call. A nested class calls its own forwarder, so its
// rows are no larger.
constexpr std::size_t RowBytes(std::size_t numbers) { return 1 + 3 * numbers + 3; }

// The end of a nested class: its "rows" method and the class, on one line.
constexpr std::string_view kHolderEnd = "\t} }\n";

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

// javac and kotlinc load these without the constant pool: the doubles 0 (not -0) and 1, and
// the ints that fit a short.
bool LoadedWithoutPool(float value) { return value == 1.0f || (value == 0.0f && !std::signbit(value)); }
bool LoadedWithoutPool(std::int32_t value) { return value >= -32768 && value <= 32767; }

}  // namespace

// The rows of one method: in the method while it and the class have room, then in nested
// classes that the method calls at its end.
class JvmClassWriter::MethodRows {
public:
    // Largest bytecode of a row of that kind, and the rows one method holds.
    static constexpr std::size_t RowBytesOf(RowKind kind)
    {
        constexpr std::size_t kNumbers[] = {3, 4, 3, 2, 16};
        return RowBytes(kNumbers[static_cast<std::size_t>(kind)]);
    }
    static constexpr std::size_t RowsPerMethod(RowKind kind) { return kRowBytesPerMethod / RowBytesOf(kind); }

    // Opens the method; it will be given rows rows of that kind.
    MethodRows(JvmClassWriter& writer, std::string_view name, std::size_t rows, RowKind kind)
        : m_writer(writer), m_kind(kind), m_rowsLeft(rows), m_holderRows(RowsPerMethod(kind))
    {
        // The calls of the nested classes must fit beside the method's own rows.
        const std::size_t callBytes = kHolderCallBytes * ((rows + m_holderRows - 1) / m_holderRows);
        m_ownRowsLeft = rows <= m_holderRows ? rows
                                             : std::min(m_holderRows, (kBytesPerMethod - std::min(callBytes, kBytesPerMethod)) /
                                                                          RowBytesOf(kind));
        m_writer.m_out.Print(m_writer.m_dialect.methodHead, name);
    }

    // Before each row is printed: places it.
    void Row(std::span<const float> doubles, std::span<const std::int32_t> ints = {})
    {
        if (m_inHolder && m_rowsInHolder < m_holderRows)
            ++m_rowsInHolder;
        else
            PlaceRow(doubles, ints);
    }

    void Close() { m_writer.m_out.Text(m_inHolder ? kHolderEnd : "\t}\n"); }

private:
    void PlaceRow(std::span<const float> doubles, std::span<const std::int32_t> ints)
    {
        if (m_inHolder) {
            m_writer.m_out.Text(kHolderEnd);
        } else if (m_ownRowsLeft > 0 && m_writer.TakeIntoPool(doubles, ints)) {
            --m_ownRowsLeft;
            --m_rowsLeft;
            return;
        } else {
            StartHolders();
        }
        OpenHolder();
        ++m_rowsInHolder;
    }

    // Calls the nested classes that will hold the rows left and closes the method.
    void StartHolders()
    {
        const std::size_t holders = (m_rowsLeft + m_holderRows - 1) / m_holderRows;
        m_nextHolder = m_writer.m_holders + 1;
        for (std::size_t k = 0; k < holders; ++k)
            m_writer.m_out.Print(m_writer.m_dialect.holderCall, std::string_view(m_writer.HolderName(m_nextHolder + k)));
        m_writer.m_holders += holders;
        m_writer.m_forwarded[static_cast<std::size_t>(m_kind)] = true;
        m_writer.m_out.Text("\t}\n");
        m_inHolder = true;
    }

    void OpenHolder()
    {
        m_writer.m_out.Print(m_writer.m_dialect.holderHead, std::string_view(m_writer.HolderName(m_nextHolder++)),
                             m_writer.m_holderPrefix);
        m_rowsInHolder = 0;
    }

    JvmClassWriter& m_writer;
    RowKind m_kind;
    std::size_t m_rowsLeft;     // rows not placed in the method itself
    std::size_t m_holderRows;   // rows a nested class holds
    std::size_t m_ownRowsLeft;  // rows the method itself may still hold
    bool m_inHolder = false;
    std::size_t m_nextHolder = 0;
    std::size_t m_rowsInHolder = 0;
};

JvmClassWriter::JvmClassWriter(const CCentigrade& scene, const JvmDialect& dialect, TextWriter& out, float scale,
                               std::string_view className)
    : m_scene(scene), m_dialect(dialect), m_out(out), m_scale(scale), m_className(className),
      m_holderPrefix(className.starts_with("Rows") ? "Data" : "Rows")
{
    for (const CModel& model : scene.m_models) {
        m_vertexCount += model.m_vertices.size();
        for (const CFace& face : model.m_faces)
            m_triangleCount += TriangleCornerCount(face) / 3;
    }
    // The most methods and nested classes either grouping of the matrices can give.
    const std::size_t bones = scene.m_bones.size();
    std::size_t methods = 3, matrices = 0;
    for (std::size_t a = 0; a < scene.m_animationNames.size(); ++a) {
        std::int32_t frames = 0;
        for (std::size_t b = 0; b < bones; ++b)
            frames = std::max(frames, FrameCount(a, b));
        methods += std::max(static_cast<std::size_t>(FrameCount(a, 0)), bones);
        matrices += bones * static_cast<std::size_t>(frames);
    }
    const auto rowsPerMethod = [](RowKind kind) { return MethodRows::RowsPerMethod(kind); };
    const std::size_t holders = methods + m_vertexCount / rowsPerMethod(RowKind::BoneVertex) +
                                m_triangleCount / rowsPerMethod(RowKind::Index) +
                                3 * m_triangleCount / rowsPerMethod(RowKind::UV) + matrices / rowsPerMethod(RowKind::Matrix);
    const std::size_t reserved =
        kFixedPoolEntries + kPoolEntriesPerMethod * methods + kPoolEntriesPerHolder * holders;
    m_poolFree = kPoolEntries - std::min(reserved, kPoolEntries);
}

std::int32_t JvmClassWriter::FrameCount(std::size_t animation, std::size_t bone) const
{
    if (bone >= m_scene.m_bones.size() || animation >= m_scene.m_bones[bone].m_animations.size())
        return 0;
    return static_cast<std::int32_t>(m_scene.m_bones[bone].m_animations[animation].size());
}

bool JvmClassWriter::TakeIntoPool(std::span<const float> doubles, std::span<const std::int32_t> ints)
{
    if (m_poolFull || m_poolFree < 2 * doubles.size() + ints.size()) {
        m_poolFull = true;
        return false;
    }
    for (const float value : doubles)
        if (!LoadedWithoutPool(value) && m_poolDoubles.insert(std::bit_cast<std::uint32_t>(value)).second)
            m_poolFree -= 2;
    for (const std::int32_t value : ints)
        if (!LoadedWithoutPool(value) && m_poolInts.insert(value).second)
            m_poolFree -= 1;
    return true;
}

std::string JvmClassWriter::HolderName(std::size_t number) const
{
    return std::string(m_holderPrefix) + std::to_string(number);
}

const JvmDialect::Name& JvmClassWriter::ForwarderOf(RowKind kind) const
{
    switch (kind) {
    case RowKind::Vertex: return m_dialect.vertexForwarder;
    case RowKind::BoneVertex: return m_dialect.boneVertexForwarder;
    case RowKind::Index: return m_dialect.indexForwarder;
    case RowKind::UV: return m_dialect.uvForwarder;
    case RowKind::Matrix: break;
    }
    return m_dialect.matrixForwarder;
}

void JvmClassWriter::WriteNestedBase()
{
    if (m_holders == 0)
        return;
    m_out.Print(m_dialect.baseHead, m_holderPrefix);
    for (std::size_t k = 0; k < m_forwarded.size(); ++k)
        if (m_forwarded[k])
            m_out.Print(ForwarderOf(static_cast<RowKind>(k)), std::string_view(m_className));
    m_out.Text("\t}\n");
}

void JvmClassWriter::CallMethod(std::string_view name) { m_out.Print(m_dialect.call, name); }

void JvmClassWriter::CallAnimationMethods(MatrixGrouping grouping)
{
    const std::size_t bones = m_scene.m_bones.size();
    for (std::size_t a = 0; a < m_scene.m_animationNames.size(); ++a) {
        CallMethod("addA3");
        const std::size_t groups = grouping == MatrixGrouping::ByFrame ? static_cast<std::size_t>(FrameCount(a, 0)) : bones;
        for (std::size_t g = 0; g < groups; ++g) {
            CallMethod("addA2");
            CallMethod(GroupName(a, g));
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
    MethodRows method(*this, name, m_vertexCount, bones ? RowKind::BoneVertex : RowKind::Vertex);
    const std::size_t boneCount = m_scene.m_bones.size();
    bool allBound = true;
    for (const CModel& model : m_scene.m_models) {
        for (const CVector& v : model.m_vertices) {
            const std::array<float, 3> p{v.m_x * m_scale, v.m_y * m_scale, v.m_z * m_scale};
            if (!bones) {
                method.Row(p);
                m_out.Print(m_dialect.vertexRow, p[0], p[1], p[2]);
                continue;
            }
            const std::optional<std::int32_t> bone = ExportedBone(v, boneCount);
            allBound = allBound && bone.has_value();
            const std::array<std::int32_t, 1> written{bone.value_or(0)};
            method.Row(p, written);
            m_out.Print(m_dialect.boneVertexRow, p[0], p[1], p[2], written[0]);
        }
    }
    method.Close();
    return allBound;
}

void JvmClassWriter::WriteIndexMethod(std::string_view name)
{
    MethodRows method(*this, name, m_triangleCount, RowKind::Index);
    std::int32_t offset = 0;
    for (const CModel& model : m_scene.m_models) {
        for (const CFace& face : model.m_faces) {
            const std::size_t corners = TriangleCornerCount(face);
            for (std::size_t c = 0; c < corners; c += 3) {
                const std::array<std::int32_t, 3> triangle{offset + face.m_indices[kTriangleCorners[c]],
                                                           offset + face.m_indices[kTriangleCorners[c + 1]],
                                                           offset + face.m_indices[kTriangleCorners[c + 2]]};
                method.Row({}, triangle);
                m_out.Print(m_dialect.indexRow, triangle[0], triangle[1], triangle[2]);
            }
        }
        offset += static_cast<std::int32_t>(model.m_vertices.size());
    }
    method.Close();
}

void JvmClassWriter::WriteUVMethod(std::string_view name)
{
    MethodRows method(*this, name, 3 * m_triangleCount, RowKind::UV);
    for (const CModel& model : m_scene.m_models) {
        for (const CFace& face : model.m_faces) {
            const std::size_t corners = TriangleCornerCount(face);
            for (std::size_t c = 0; c < corners; ++c) {
                const std::size_t k = kTriangleCorners[c];
                const std::array<float, 2> uv = k < face.m_uvs.size() ? std::array<float, 2>{face.m_uvs[k].m_u, face.m_uvs[k].m_v}
                                                                      : std::array<float, 2>{0.0f, 0.0f};
                method.Row(uv);
                m_out.Print(m_dialect.uvRow, uv[0], uv[1]);
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
    const auto writeMatrix = [this](MethodRows& method, const BoneBaker::Matrix& m) {
        method.Row(m);
        m_out.Print(m_dialect.matrixRow, m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11],
                    m[12], m[13], m[14], m[15]);
    };
    for (std::size_t a = 0; a < m_scene.m_animationNames.size(); ++a) {
        const auto animation = static_cast<std::int32_t>(a);
        if (grouping == MatrixGrouping::ByFrame) {
            for (std::int32_t f = 0; f < FrameCount(a, 0); ++f) {
                const std::vector<BoneBaker::Matrix>& posed = baker.Pose(animation, f);
                m_out.Text("\n");
                MethodRows method(*this, GroupName(a, static_cast<std::size_t>(f)), posed.size(), RowKind::Matrix);
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
            MethodRows method(*this, GroupName(a, b), static_cast<std::size_t>(FrameCount(a, b)), RowKind::Matrix);
            for (std::int32_t f = 0; f < FrameCount(a, b); ++f)
                writeMatrix(method, matrices[static_cast<std::size_t>(f) * bones + b]);
            method.Close();
        }
    }
}
