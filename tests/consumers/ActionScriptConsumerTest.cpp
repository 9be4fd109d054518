// The ActionScript 2, ActionScript 3 and Stage3D classes compiled by an ActionScript 3
// compiler against stand-in engine classes and run: every form and Flash target the options
// dialog offers, on the rigged figure (textured first material, a plain second one) and on a
// corpus model without textures or bones. Each compile costs seconds: one case per test.
#include "consumers/ConsumerSupport.h"

#include "export/Exporters.h"
#include "scene/DibStream.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kFrames = 9;

struct Case {
    const char* file;
    std::int32_t type;
    const char* format;
    bool corpus;  // the corpus model instead of the rigged figure
    ExportAnimationForm form;
    FlashTarget target;
};

const Case kCases[] = {
    {"Figure", 3, "as2", false, AnimationFormNone, FlashTargetFlashCs},
    {"Ninja", 3, "as2", true, AnimationFormNone, FlashTargetFlashCs},
    {"FigureKeys", 4, "as3", false, AnimationFormKeyFrames, FlashTargetFlashCs},
    {"FigureMatrices", 4, "as3", false, AnimationFormMatrices, FlashTargetFlexSdk},
    {"FigureStatic", 4, "as3", false, AnimationFormNone, FlashTargetFlashCs},
    {"NinjaStatic", 4, "as3", true, AnimationFormNone, FlashTargetFlexSdk},
    {"StageCs", 8, "stage3d", false, AnimationFormMatrices, FlashTargetFlashCs},
    {"StageFlex", 8, "stage3d", false, AnimationFormMatrices, FlashTargetFlexSdk},
    {"StageStatic", 8, "stage3d", false, AnimationFormNone, FlashTargetFlashCs},
    {"NinjaStage", 8, "stage3d", true, AnimationFormNone, FlashTargetFlexSdk},
};

// The counts the checker should find, from the scene and the rules of each format.
std::string Expected(const Case& c, const CCentigrade& scene)
{
    const consumers::SceneCounts n = consumers::Count(scene);
    std::size_t quads = 0, keys = 0, textured = 0;
    std::int32_t highestBone = 0;
    for (const CModel& model : scene.m_models) {
        for (const CFace& face : model.m_faces)
            quads += face.m_indices.size() == 4;
        for (const CVector& v : model.m_vertices)
            highestBone = std::max(highestBone, v.m_boneIndex);
    }
    for (const CBone& bone : scene.m_bones)
        for (const std::vector<CAnimation>& samples : bone.m_animations)
            for (std::size_t f = 0; f < samples.size(); ++f)
                keys += samples[f].m_key || f + 1 == samples.size();
    for (const CMaterial& material : scene.m_materials)
        textured += !material.m_texture.empty();

    const bool bones = c.form != AnimationFormNone;
    const std::size_t anims = bones ? n.animations : 0;
    using consumers::Expect;
    if (c.type == 3)
        return Expect({{"materials", n.materials}, {"vertices", n.vertices}, {"faces", n.polygons}, {"quads", quads}});
    if (c.type == 8)
        return Expect({{"materials", n.materials}, {"triangles", n.triangles},
                       {"bones", bones ? static_cast<std::size_t>(highestBone) + 1 : 1}, {"anims", anims},
                       {"frames", anims * kFrames}, {"matrices", anims * kFrames * n.bones}, {"textures", textured}});
    // The first material's texture: the embedded image runs as a 1x1 stand-in; none gives null.
    std::string texture = "-1x-1";
    if (!scene.m_materials.empty() && !scene.m_materials[0].m_texture.empty())
        texture = c.target == FlashTargetFlexSdk ? "1x1"
                                                 : std::to_string(scene.m_materials[0].m_image->m_width) + "x" +
                                                       std::to_string(scene.m_materials[0].m_image->m_height);
    const bool keyFrames = c.form == AnimationFormKeyFrames;
    return Expect({{"vertices", bones ? n.vertices : 3 * n.triangles}, {"triangles", n.triangles},
                   {"uvs", 3 * n.triangles}, {"pivots", keyFrames ? n.bones : 0}, {"anims", anims},
                   {"groups", anims * n.bones}, {"keys", keyFrames ? keys : 0},
                   {"matrices", c.form == AnimationFormMatrices ? anims * n.bones * kFrames : 0}}) +
           ",texture=" + texture;
}

void PrintTo(const Case& c, std::ostream* os) { *os << c.file; }

class ActionScriptConsumer : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(ActionScriptConsumer, CompilesAndRuns)
{
    const Case& c = GetParam();
    const CCentigrade scene = c.corpus ? consumers::Ninja() : consumers::RiggedFigure(kFrames);
    const std::string path = (consumers::OutputFolder() / (std::string(c.file) + ".as")).string();
    const ExportResult result = FindExporter(c.type)->function(scene, path, {1.0f, c.form, c.target});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_CONSUMER_ACCEPTS(c.format, path, Expected(c, scene));
}

INSTANTIATE_TEST_SUITE_P(EveryFormAndTarget, ActionScriptConsumer, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.file); });
