// The body shared by the generated Java-like and Kotlin model classes: the methods that hand
// the engine the vertices, triangle indices, UVs and baked bone matrices, and the calls that
// invoke them.
//
// A JVM class holds at most 65,535 bytes of bytecode per method (javac "code too large",
// kotlinc "Method too large") and 65,535 entries in its constant pool, where every distinct
// double but 0 and 1 takes two and every int beyond a short one (javac "too many constants",
// kotlinc "Class too large"). An ordinary model passes both. So the rows of a method stay in
// the method only while it and the class have room; the rest go into nested classes, Rows1,
// Rows2, ... (Data1, ... in a class whose own name starts with "Rows"), each with one method
// "rows" holding as many rows as a method can, and the method calls them in order at its
// end. They extend one nested base class, Rows (or Data), whose forwarders hand their rows'
// calls to the model: a forwarder's parameters are the types of the literals the rows print
// (double, int), so a row means what it means in the model class itself, and javac makes one
// accessor for each forwarder instead of one for each row. The constructor and the methods
// it calls keep their names, and a model that fits is written without any nested class.
#pragma once

#include "export/TextWriter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>

class CCentigrade;

// The row and method templates of one language and engine.
struct JvmDialect {
    using MatrixRow = textformat::Template<float, float, float, float, float, float, float, float, float, float,
                                           float, float, float, float, float, float>;
    using Name = textformat::Template<std::string_view>;
    Name call;        // one call in the constructor
    Name methodHead;  // opens a method of that name
    // The nested classes of rows: the call of one's rows; a blank line, then a class (name,
    // base) and its "rows" method opened on one line (closed by "\t} }\n", so that its rows
    // keep their indent); a blank line, then the base class opened; and the base's forwarder
    // to the model class (of that name) for each kind of row.
    Name holderCall;
    textformat::Template<std::string_view, std::string_view> holderHead;
    Name baseHead;
    Name vertexForwarder;
    Name boneVertexForwarder;
    Name indexForwarder;
    Name uvForwarder;
    Name matrixForwarder;
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
    // Vertex positions and matrix translations are multiplied by scale; className is the
    // class being written.
    JvmClassWriter(const CCentigrade& scene, const JvmDialect& dialect, TextWriter& out, float scale,
                   std::string_view className);

    // One call in the constructor.
    void CallMethod(std::string_view name);
    // Per animation "addA3", then per group "addA2" and the call of the group's method
    // addAnimations<animation>_<frame or bone>. ByFrame groups follow bone 0's frames.
    void CallAnimationMethods(MatrixGrouping grouping);

    // The vertex, index and UV methods, parted by blank lines; each is closed by "\t}\n"
    // (followed by its nested classes, each after a blank line). The vertex method writes
    // every model's rest vertices, with their bone when bones is set (a vertex without a
    // bone the scene has as bone 0). Faces of three or four corners give one or two
    // triangles, corners 0, 2, 1 (and 0, 3, 2); other faces are skipped. The indices of a
    // model count on from the vertices of the models before it, so that all models make one
    // consistent mesh. One UV row per corner that the index method lists, in its order; 0, 0
    // for a corner whose face holds no UV. False when some vertex written with its bone has
    // none.
    bool WriteMeshMethods(std::string_view vertexMethod, bool bones);
    // Each method preceded by "\n", with matrices baked through PoseAndSkinRigid. Nothing
    // without bones.
    void WriteAnimationMethods(MatrixGrouping grouping);
    // Last in the class: the base of its nested classes, with the forwarders their rows use.
    // Nothing when the class has none.
    void WriteNestedBase();

private:
    class MethodRows;
    enum class RowKind { Vertex, BoneVertex, Index, UV, Matrix };

    bool WriteVertexMethod(std::string_view name, bool bones);
    void WriteIndexMethod(std::string_view name);
    void WriteUVMethod(std::string_view name);
    std::int32_t FrameCount(std::size_t animation, std::size_t bone) const;
    // Counts a row's numbers into the class's constant pool when even all of them being new
    // would fit; false, now and for every later row, when they might not.
    bool TakeIntoPool(std::span<const float> doubles, std::span<const std::int32_t> ints);
    std::string HolderName(std::size_t number) const;
    const JvmDialect::Name& ForwarderOf(RowKind kind) const;

    const CCentigrade& m_scene;
    const JvmDialect& m_dialect;
    TextWriter& m_out;
    float m_scale;
    std::string m_className;
    std::string_view m_holderPrefix;  // and name of their base
    std::size_t m_holders = 0;        // nested classes called so far
    std::array<bool, 5> m_forwarded{};  // by RowKind: rows of the kind in some nested class
    std::size_t m_vertexCount = 0;
    std::size_t m_triangleCount = 0;
    // The numbers in the class's own constant pool, as float bits and ints, and the entries
    // still free for numbers.
    std::unordered_set<std::uint32_t> m_poolDoubles;
    std::unordered_set<std::int32_t> m_poolInts;
    std::size_t m_poolFree = 0;
    bool m_poolFull = false;
};
