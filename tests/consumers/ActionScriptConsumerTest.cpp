// The ActionScript 2, ActionScript 3 and Stage3D classes compiled by an ActionScript 3
// compiler against stand-in engine classes and run: every form and Flash target the options
// dialog offers, on the rigged figure (textured first material, a plain second one) and on a
// corpus model without textures or bones. Each compile costs seconds, so each case is one.
#include "consumers/ConsumerSupport.h"

#include "export/Exporters.h"
#include "platform/Messages.h"
#include "scene/DibStream.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char* const kNinja = "nnn112358+GLUTMetaseq_forLinux/ninja.mqo";

std::string Export(std::int32_t type, const CCentigrade& scene, const std::string& name, ExportAnimationForm form,
                   FlashTarget target = FlashTargetFlashCs)
{
    const std::string path = (consumers::OutputFolder() / name).string();
    const ExportResult result = FindExporter(type)->function(scene, path, {1.0f, form, target});
    EXPECT_TRUE(result.ok) << result.error;
    return path;
}

std::string Join(std::initializer_list<std::pair<const char*, std::size_t>> counts)
{
    std::string out;
    for (const auto& [key, value] : counts)
        out += (out.empty() ? "" : ",") + std::string(key) + "=" + std::to_string(value);
    return out;
}

std::size_t Quads(const CCentigrade& scene)
{
    std::size_t quads = 0;
    for (const CModel& model : scene.m_models)
        quads += static_cast<std::size_t>(
            std::count_if(model.m_faces.begin(), model.m_faces.end(), [](const CFace& f) { return f.m_indices.size() == 4; }));
    return quads;
}

// Samples written as keys: the keyed ones and every bone's last one.
std::size_t KeyRows(const CCentigrade& scene)
{
    std::size_t keys = 0;
    for (const CBone& bone : scene.m_bones)
        for (const std::vector<CAnimation>& samples : bone.m_animations)
            for (std::size_t f = 0; f < samples.size(); ++f)
                keys += samples[f].m_key || f + 1 == samples.size();
    return keys;
}

std::size_t HighestBoneUsed(const CCentigrade& scene)
{
    std::int32_t highest = 0;
    for (const CModel& model : scene.m_models)
        for (const CVector& v : model.m_vertices)
            highest = std::max(highest, v.m_boneIndex);
    return static_cast<std::size_t>(highest);
}

std::size_t TexturedMaterials(const CCentigrade& scene)
{
    return static_cast<std::size_t>(std::count_if(scene.m_materials.begin(), scene.m_materials.end(),
                                                  [](const CMaterial& m) { return !m.m_texture.empty(); }));
}

constexpr int kFrames = 9;

}  // namespace

TEST(ActionScript2Consumer, RiggedFigureAndCorpusModel)
{
    for (const bool corpus : {false, true}) {
        const CCentigrade scene = corpus ? consumers::LoadModelScene(consumers::CorpusFile(kNinja))
                                         : consumers::RiggedFigure(kFrames);
        const consumers::SceneCounts c = consumers::Count(scene);
        const std::string file = Export(3, scene, corpus ? "Ninja.as" : "Figure.as", AnimationFormNone);
        EXPECT_CONSUMER_ACCEPTS("as2", file,
                                Join({{"materials", c.materials}, {"vertices", c.vertices}, {"faces", c.polygons},
                                      {"quads", Quads(scene)}}));
    }
}

TEST(ActionScript3Consumer, KeyFramesFlashCs)
{
    const CCentigrade scene = consumers::RiggedFigure(kFrames);
    const consumers::SceneCounts c = consumers::Count(scene);
    const DibStream& image = *scene.m_materials[0].m_image;
    const std::string file = Export(4, scene, "FigureKeys.as", AnimationFormKeyFrames, FlashTargetFlashCs);
    EXPECT_CONSUMER_ACCEPTS("as3", file,
                            Join({{"vertices", c.vertices}, {"triangles", c.triangles}, {"uvs", 3 * c.triangles},
                                  {"pivots", c.bones}, {"anims", c.animations}, {"groups", c.animations * c.bones},
                                  {"keys", KeyRows(scene)}, {"matrices", 0}}) +
                                ",texture=" + std::to_string(image.m_width) + "x" + std::to_string(image.m_height));
}

TEST(ActionScript3Consumer, MatricesFlexSdk)
{
    const CCentigrade scene = consumers::RiggedFigure(kFrames);
    const consumers::SceneCounts c = consumers::Count(scene);
    const std::string file = Export(4, scene, "FigureMatrices.as", AnimationFormMatrices, FlashTargetFlexSdk);
    // The embedded image stands in as 1x1 when the compiled class runs.
    EXPECT_CONSUMER_ACCEPTS("as3", file,
                            Join({{"vertices", c.vertices}, {"triangles", c.triangles}, {"uvs", 3 * c.triangles},
                                  {"pivots", 0}, {"anims", c.animations}, {"groups", c.animations * c.bones},
                                  {"matrices", c.animations * c.bones * kFrames}, {"keys", 0}}) +
                                ",texture=1x1");
}

TEST(ActionScript3Consumer, StaticFlashCs)
{
    const CCentigrade scene = consumers::RiggedFigure(kFrames);
    const consumers::SceneCounts c = consumers::Count(scene);
    const std::string file = Export(4, scene, "FigureStatic.as", AnimationFormNone, FlashTargetFlashCs);
    EXPECT_CONSUMER_ACCEPTS("as3", file,
                            Join({{"vertices", 3 * c.triangles}, {"triangles", c.triangles}, {"uvs", 3 * c.triangles},
                                  {"anims", 0}, {"matrices", 0}}));
}

// No material has a texture: no Embed line, and init is handed null.
TEST(ActionScript3Consumer, CorpusModelWithoutTextureFlexSdk)
{
    const CCentigrade scene = consumers::LoadModelScene(consumers::CorpusFile(kNinja));
    const consumers::SceneCounts c = consumers::Count(scene);
    const std::string file = Export(4, scene, "NinjaStatic.as", AnimationFormNone, FlashTargetFlexSdk);
    EXPECT_CONSUMER_ACCEPTS("as3", file,
                            Join({{"vertices", 3 * c.triangles}, {"triangles", c.triangles}, {"uvs", 3 * c.triangles}}) +
                                ",texture=-1x-1");
}

TEST(Stage3DConsumer, MatricesBothTargets)
{
    const CCentigrade scene = consumers::RiggedFigure(kFrames);
    const consumers::SceneCounts c = consumers::Count(scene);
    const std::string expect =
        Join({{"materials", c.materials}, {"triangles", c.triangles}, {"bones", HighestBoneUsed(scene) + 1},
              {"anims", c.animations}, {"frames", c.animations * kFrames},
              {"matrices", c.animations * kFrames * c.bones}, {"textures", TexturedMaterials(scene)}});
    EXPECT_CONSUMER_ACCEPTS("stage3d", Export(8, scene, "StageCs.as", AnimationFormMatrices, FlashTargetFlashCs),
                            expect);
    EXPECT_CONSUMER_ACCEPTS("stage3d", Export(8, scene, "StageFlex.as", AnimationFormMatrices, FlashTargetFlexSdk),
                            expect);
}

TEST(Stage3DConsumer, StaticCorpusModelFlexSdk)
{
    const CCentigrade scene = consumers::LoadModelScene(consumers::CorpusFile(kNinja));
    const consumers::SceneCounts c = consumers::Count(scene);
    EXPECT_CONSUMER_ACCEPTS("stage3d", Export(8, scene, "NinjaStage.as", AnimationFormNone, FlashTargetFlexSdk),
                            Join({{"materials", c.materials}, {"triangles", c.triangles}, {"bones", 1},
                                  {"anims", 0}, {"matrices", 0}, {"textures", 0}}));
}

TEST(Stage3DConsumer, StaticFigureFlashCs)
{
    const CCentigrade scene = consumers::RiggedFigure(kFrames);
    const consumers::SceneCounts c = consumers::Count(scene);
    EXPECT_CONSUMER_ACCEPTS("stage3d", Export(8, scene, "FigureStage.as", AnimationFormNone, FlashTargetFlashCs),
                            Join({{"materials", c.materials}, {"triangles", c.triangles}, {"bones", 1},
                                  {"anims", 0}, {"textures", TexturedMaterials(scene)}}));
}
