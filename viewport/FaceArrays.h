// The faces of one model as vertex arrays grouped by the material that draws them. They are
// built once for a state of the faces (CModel::m_faceRevision), of the material map and of
// the materials' ids; a frame then only copies the posed positions in. Drawing gives the
// pixels of drawing the faces one by one: every material in order, its faces in face order,
// triangles and quadrilaterals as such, every corner with the texture coordinate, normal and
// position it has when drawn vertex by vertex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CMaterial;
class CModel;

class FaceArrays {
public:
    // Whether the arrays were built for this model's faces and vertex count, this material
    // map (null: a face is drawn by the materials whose id is its material index) and these
    // materials' ids.
    bool IsCurrent(const CModel& model, const std::vector<std::int32_t>* map,
                   const std::vector<CMaterial>& materials) const;
    void Build(const CModel& model, const std::vector<std::int32_t>* map, const std::vector<CMaterial>& materials);
    // Applies every material in turn and draws its faces at the model's deformed positions.
    // Needs a current context and arrays current for the model and materials.
    void Draw(const CModel& model, std::vector<CMaterial>& materials);

    // The same faces drawn vertex by vertex in immediate mode (as display lists record them).
    static void DrawOneByOne(const CModel& model, std::vector<CMaterial>& materials,
                             const std::vector<std::int32_t>* map);

    // Main models are drawn from arrays unless this is switched off; they are then drawn face
    // by face, as background models are into their display list. For comparing the two.
    static void SetEnabled(bool enabled);
    static bool Enabled();

private:
    // Consecutive faces of one material with the same corner count: one draw call over the
    // corners [first, first + count).
    struct Run {
        std::uint32_t mode;  // GL_TRIANGLES or GL_QUADS
        std::uint32_t first;
        std::uint32_t count;
    };

    // What the arrays were built for.
    bool m_built = false;
    std::uint64_t m_faceRevision = 0;
    const void* m_faceData = nullptr;
    std::size_t m_faceCount = 0;
    std::size_t m_vertexCount = 0;
    bool m_mapped = false;
    std::vector<std::int32_t> m_map;
    std::vector<std::int32_t> m_materialIds;

    // Every drawn corner in drawing order: its vertex, normal and texture coordinate. Corners
    // are not shared between faces: drawn from shared, indexed corners, quadrilaterals can be
    // split into triangles differently.
    std::vector<std::int32_t> m_cornerVertices;
    std::vector<float> m_normals;    // 3 per corner
    std::vector<float> m_texCoords;  // 2 per corner; empty when no face has any
    std::vector<float> m_positions;  // 3 per corner, copied from the deformed vertices per frame
    std::vector<Run> m_runs;
    std::vector<std::size_t> m_firstRun;  // material m draws runs m_firstRun[m] .. m_firstRun[m + 1] - 1
};
