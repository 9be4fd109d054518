// The body shared by the generated Java-like and Kotlin model classes: the methods that hand
// the engine the vertices, triangle indices, UVs and baked bone matrices, and the calls that
// invoke them.
//
// The JVM refuses a method whose bytecode passes 64 KB, which an ordinary model's rows reach
// (javac "code too large", kotlinc "Method too large"). So a method whose rows would pass a
// safe size is cut into numbered pieces, name, name_2, name_3, ..., that the constructor
// calls in order. The size is reckoned per row at its largest bytecode (every number a
// constant-pool load), so a piece fits whatever the numbers are. A method that fits stays
// one piece and its text is unchanged.
#pragma once

#include "export/TextWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CCentigrade;

// The row and method templates of one language and engine.
struct JvmDialect {
    using MatrixRow = textformat::Template<float, float, float, float, float, float, float, float, float, float,
                                           float, float, float, float, float, float>;
    textformat::Template<std::string_view> call;        // one call in the constructor
    textformat::Template<std::string_view> methodHead;  // opens a method of that name
    textformat::Template<float, float, float> vertexRow;
    textformat::Template<float, float, float, std::int32_t> boneVertexRow;
    textformat::Template<std::int32_t, std::int32_t, std::int32_t> indexRow;
    textformat::Template<float, float> uvRow;
    MatrixRow matrixRow;
};

// How the baked matrices are grouped into methods: one method per animation and frame with
// one matrix per bone, or one per animation and bone with one matrix per frame.
enum class MatrixGrouping { ByFrame, ByBone };

class JvmClassWriter {
public:
    // Vertex positions and matrix translations are multiplied by scale.
    JvmClassWriter(const CCentigrade& scene, const JvmDialect& dialect, TextWriter& out, float scale);

    // The constructor's calls of a method's pieces.
    void CallVertexMethod(std::string_view name, bool bones);
    void CallIndexMethod(std::string_view name);
    void CallUVMethod(std::string_view name);
    // Per animation "addA3", then per group "addA2" and the calls of the group's method
    // addAnimations<animation>_<frame or bone>. ByFrame groups follow bone 0's frames.
    void CallAnimationMethods(MatrixGrouping grouping);

    // The vertex, index and UV methods, parted by blank lines; each piece is closed by
    // "\t}\n" and pieces are parted by a blank line. The vertex method writes every model's
    // rest vertices, with their bone when bones is set (a vertex without a bone as bone 0).
    // Faces of three or four corners give one or two triangles, corners 0, 2, 1 (and 0, 3,
    // 2); other faces are skipped. The indices of a model count on from the vertices of the
    // models before it, so that all models make one consistent mesh. One UV row per corner
    // that the index method lists, in its order; 0, 0 for a corner whose face holds no UV.
    // False when some vertex written with its bone has none.
    bool WriteMeshMethods(std::string_view vertexMethod, bool bones);
    // Each method preceded by "\n", with matrices baked through PoseAndSkinRigid. Nothing
    // without bones.
    void WriteAnimationMethods(MatrixGrouping grouping);

private:
    bool WriteVertexMethod(std::string_view name, bool bones);
    void WriteIndexMethod(std::string_view name);
    void WriteUVMethod(std::string_view name);
    std::int32_t FrameCount(std::size_t animation, std::size_t bone) const;
    void CallPieces(std::string_view name, std::size_t rows, std::size_t rowBytes);

    const CCentigrade& m_scene;
    const JvmDialect& m_dialect;
    TextWriter& m_out;
    float m_scale;
    std::size_t m_vertexCount = 0;
    std::size_t m_triangleCount = 0;
};
