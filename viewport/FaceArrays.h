// What the view keeps of one main model to draw its faces quickly: the order in which they
// are drawn, material by material, built once for a state of the faces
// (CModel::m_faceRevision), of the material map and of the materials' ids. A frame then
// streams the corners through a small buffer, a piece of a run at a time, so that a large
// model costs little memory beyond its own.
//
// Drawing gives the pixels of drawing the faces one by one: every material in order, its faces
// in face order, triangles and quadrilaterals as such, every corner with the texture
// coordinate, normal and position it has when drawn vertex by vertex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CMaterial;
class CModel;

class FaceArrays {
public:
    // Whether the face order was built for this model's faces and vertex count, this material
    // map (null: a face is drawn by the materials whose id is its material index) and these
    // materials' ids.
    bool IsCurrent(const CModel& model, const std::vector<std::int32_t>* map,
                   const std::vector<CMaterial>& materials) const;
    void Build(const CModel& model, const std::vector<std::int32_t>* map, const std::vector<CMaterial>& materials);
    // Applies every material in turn and draws its faces at the model's deformed positions.
    // Needs a current context and a face order current for the model and materials.
    void Draw(const CModel& model, std::vector<CMaterial>& materials) const;

    // The same faces drawn vertex by vertex in immediate mode (as display lists record them).
    static void DrawOneByOne(const CModel& model, std::vector<CMaterial>& materials,
                             const std::vector<std::int32_t>* map);

    // Main models are drawn from arrays unless this is switched off; their faces are then
    // drawn one by one, as background models are into their display list. For comparing the
    // two.
    static void SetEnabled(bool enabled);
    static bool Enabled();

    // The view's arrays (faces, edges, vertices) are drawn in pieces: a run of primitives
    // longer than this many vertices (for primitives of the given number of vertices) is
    // split into draw calls of this many, the last one shorter. The size keeps a piece a
    // whole number of the segments a software rasterizer cuts a draw call into, so that the
    // pieces give the pixels of one draw call.
    static std::size_t PieceSize(std::size_t verticesPerPrimitive);
    // Off: one draw call for every run whatever its length (for comparing).
    static void SetSplitDraws(bool split);
    // glDrawArrays over the enabled arrays, with a glFlush now and then so that the rasterizer
    // gets large models in parts.
    static void DrawPiece(std::uint32_t mode, std::size_t first, std::size_t count);
    // A frame begins: the vertices counted towards the next flush start from none, so that a
    // frame of a small model never waits for one.
    static void FrameStarted();

private:
    // The state of the faces the order was built for.
    struct FaceState {
        std::uint64_t revision = 0;
        const void* data = nullptr;
        std::size_t faceCount = 0;
        std::size_t vertexCount = 0;
        friend bool operator==(const FaceState&, const FaceState&) = default;
    };
    static FaceState StateOf(const CModel& model);

    // Faces in drawing order.
    bool m_built = false;
    FaceState m_faces;
    bool m_mapped = false;
    std::vector<std::int32_t> m_map;
    std::vector<std::int32_t> m_materialIds;
    bool m_anyTexCoords = false;          // some drawn face has UVs
    std::vector<std::int32_t> m_order;    // the drawn faces, material by material
    std::vector<std::size_t> m_firstFace;  // material m draws m_order[m_firstFace[m] .. m_firstFace[m + 1] - 1]
    std::size_t m_corners = 0;             // of the drawn faces, for every material drawing them
};
