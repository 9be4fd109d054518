// Makes the sample scene figure.zlkx from the sample figure beside it (figure.mqo, made by
// make_figure.py): every vertex of the figure bound to a bone and one animation that walks
// the figure in place. The result is committed; with --check the program only compares it.
//   kmx_make_sample_scene SAMPLE_FOLDER [--check]
#include "platform/FileSystem.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The bone whose tail lies nearest to a point: the bones are found by where they end, not by
// the order the bone object lists them in.
int BoneEndingNear(float x, float y, float z)
{
    int best = -1;
    float bestDistance = 0.0f;
    for (const CBone& bone : g_scene.m_bones) {
        const float dx = bone.m_tail.m_x - x, dy = bone.m_tail.m_y - y, dz = bone.m_tail.m_z - z;
        const float distance = dx * dx + dy * dy + dz * dz;
        if (best < 0 || distance < bestDistance) {
            best = bone.m_id;
            bestDistance = distance;
        }
    }
    return best;
}

struct Bones {
    int lowerSpine, upperSpine, head, armLeft, armRight, legLeft, legRight;
};

// The figure's boxes, eight vertices each: torso, head, left arm, right arm, left leg, right
// leg. The torso's lower half follows the lower spine.
void BindVertices(const Bones& bones)
{
    std::vector<CVector>& vertices = g_scene.m_models.at(0).m_vertices;
    const int boxBones[] = {bones.upperSpine, bones.head, bones.armLeft, bones.armRight, bones.legLeft, bones.legRight};
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        const std::size_t box = i / 8;
        int bone = box < std::size(boxBones) ? boxBones[box] : -1;
        if (box == 0 && vertices[i].m_y < 100.0f)
            bone = bones.lowerSpine;
        vertices[i].m_boneIndex = bone;
    }
}

void Key(int bone, int frame, float rx, float ry, float rz)
{
    CAnimation& sample = g_scene.m_bones.at(bone).m_animations.at(0).at(frame);
    sample.m_rotate = CVector(rx, ry, rz);
    sample.m_key = true;
}

// A walk in place over 100 frames, as a cycle: arms and legs swing against each other, the
// head looks about, the upper body turns a little.
void Animate(const Bones& bones)
{
    const int frames[] = {0, 25, 50, 75};
    const float swing[] = {0.0f, 1.0f, 0.0f, -1.0f};
    for (int k = 0; k < 4; ++k) {
        const int f = frames[k];
        const float s = swing[k];
        Key(bones.armLeft, f, 0.0f, 25.0f * s, -35.0f + 15.0f * std::fabs(s));
        Key(bones.armRight, f, 0.0f, 25.0f * s, 35.0f - 15.0f * std::fabs(s));
        Key(bones.legLeft, f, 30.0f * s, 0.0f, 0.0f);
        Key(bones.legRight, f, -30.0f * s, 0.0f, 0.0f);
        Key(bones.head, f, 0.0f, 20.0f * s, 0.0f);
        Key(bones.upperSpine, f, 0.0f, -8.0f * s, 0.0f);
        Key(bones.lowerSpine, f, 0.0f, 0.0f, 0.0f);
    }
    g_scene.m_animationNames.at(0) = "walk";
    g_scene.InterpolateAllBones();
}

bool Fail(const std::string& what)
{
    std::fprintf(stderr, "kmx_make_sample_scene: %s\n", what.c_str());
    return false;
}

int Exit(const std::string& what)
{
    Fail(what);
    return 1;
}

bool MakeScene(std::vector<std::uint8_t>& bytes)
{
    g_fileVersion = kVersion390;
    g_lastFrame = 100;
    g_previousLastFrame = 100;
    g_frameRate = 30.0f;
    g_scene.ResetScene();
    if (!g_scene.ImportMqo("figure.mqo"))
        return Fail("figure.mqo could not be read");
    if (g_scene.m_models.size() != 1 || g_scene.m_models[0].m_vertices.size() != 48 || g_scene.m_bones.size() != 7)
        return Fail("figure.mqo is not the figure this program knows (one model of 48 vertices, 7 bones)");
    g_scene.m_modelPath = "figure.mqo";
    g_scene.ResetMaterialMaps();

    const Bones bones{BoneEndingNear(0, 105, 0),  BoneEndingNear(0, 130, 0), BoneEndingNear(0, 165, 0),
                      BoneEndingNear(62, 126, 0), BoneEndingNear(-62, 126, 0), BoneEndingNear(10, 2, 0),
                      BoneEndingNear(-10, 2, 0)};
    BindVertices(bones);
    g_scene.BuildBoneVertexLists();
    Animate(bones);
    bytes = scenefile::WriteSceneBytes();
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || (argc == 3 && std::strcmp(argv[2], "--check") != 0) || argc > 3) {
        std::fprintf(stderr, "usage: kmx_make_sample_scene SAMPLE_FOLDER [--check]\n");
        return 2;
    }
    const bool check = argc == 3;
    // Texture names in the model resolve beside it.
    if (!fs_cp932::SetCurrentFolder(fs_cp932::FromFileSystem(argv[1])))
        return Exit(std::string("cannot enter ") + argv[1]);
    std::vector<std::uint8_t> bytes;
    if (!MakeScene(bytes))
        return 1;
    std::string error;
    if (check) {
        std::vector<std::uint8_t> committed;
        if (!fs_cp932::ReadWholeFile("figure.zlkx", committed, error))
            return Exit(error);
        if (committed != bytes)
            return Exit("figure.zlkx differs from what this program makes: run it without --check");
        return 0;
    }
    if (!fs_cp932::WriteFileAtomically("figure.zlkx", bytes.data(), bytes.size(), error))
        return Exit(error);
    return 0;
}
