// Small scenes for the exporter tests, and text helpers.
#pragma once

#include "export/TextWriter.h"
#include "scene/CCentigrade.h"

#include <string>
#include <string_view>

namespace exporttest {

// The expected text written with plain line feeds, as the file holds it (CR LF).
inline std::string Crlf(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// What write(out) puts through a TextWriter, flushed.
template <class Write>
std::string Written(Write write)
{
    StringSink sink;
    {
        TextWriter out(sink);
        write(out);
    }
    return sink.text;
}

inline CVector Vertex(float x, float y, float z, std::int32_t bone = -1, float weight = 1.0f)
{
    CVector v(x, y, z);
    v.m_boneIndex = bone;
    v.m_weight = weight;
    return v;
}

inline CFace Face(std::initializer_list<std::int32_t> indices, std::int32_t material,
                  std::initializer_list<std::pair<float, float>> uvs = {})
{
    CFace face;
    face.m_indices = indices;
    face.m_material = material;
    for (const auto& [u, v] : uvs) {
        CUV uv;
        uv.m_u = u;
        uv.m_v = v;
        face.m_uvs.push_back(uv);
    }
    return face;
}

// A bone whose samples are all the rest pose: frames samples for each of the animations.
inline CBone Bone(std::int32_t id, std::int32_t parent, CVector head, std::size_t animations, std::size_t frames)
{
    CBone bone;
    bone.m_id = id;
    bone.m_parent = parent;
    bone.m_name = "bone" + std::to_string(id);
    bone.m_head = head;
    bone.m_animations.assign(animations, std::vector<CAnimation>(frames));
    return bone;
}

// One model "Box": four vertices, a triangle with UVs, a quad without, a two-corner line;
// one textured material; the animations "Animation_0" (material map {0}) and "Walk" (empty
// map). No bones.
inline CCentigrade BoxScene()
{
    CCentigrade scene;
    CModel box;
    box.m_name = "Box";
    box.m_vertices = {Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(1, 1, 0), Vertex(0, 1, -0.5f)};
    box.m_faces = {Face({0, 1, 2}, 0, {{0, 0}, {1, 0}, {1, 1}}), Face({0, 1, 2, 3}, 0), Face({2, 3}, 0)};
    scene.m_models = {box};
    CMaterial material(0);
    material.m_name = "mat1";
    material.m_texture = "C:\\tex\\wood.png";
    material.m_toonTexture = "toon/t.bmp";
    scene.m_materials = {material};
    scene.m_animationNames = {"Animation_0", "Walk"};
    scene.m_materialMaps = {{0}, {}};
    return scene;
}

}  // namespace exporttest
