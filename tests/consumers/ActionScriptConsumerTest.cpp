// The ActionScript 2, ActionScript 3 and Stage3D classes compiled by an ActionScript 3
// compiler against stand-in engine classes and run: every form and Flash target the options
// dialog offers, on the rigged figure and on the corpus model. Each compile costs seconds:
// one case per test.
#include "consumers/ConsumerSupport.h"
#include "consumers/StrayFigure.h"

#include "export/Exporters.h"
#include "export/ExportScenes.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

namespace {

enum class Scene { Figure, Ninja, Strays };

struct Case {
    const char* file;
    std::int32_t type;
    const char* format;
    Scene scene;
    ExportAnimationForm form;
    FlashTarget target;
    const char* expect;
};

// The figure (9 frames): 48 vertices, 36 quads, 2 materials (the first with a 64 x 64
// texture, which Flex SDK embeds as a 1 x 1 stand-in), 7 bones, 2 animations keyed at 3
// frames each. The corpus model: 6,567 vertices, 10,518 triangles, 8 materials, no texture
// (null), no bones. A static AS3 mesh writes three vertices per triangle; Stage3D counts the
// bones its registers reach (1 without bones). The figure with strays (StrayFigure.h) adds a
// default material; its unbound vertex takes bone 0's register.
const Case kCases[] = {
    {"Figure", 3, "as2", Scene::Figure, AnimationFormNone, FlashTargetFlashCs, "materials=2,vertices=48,faces=36,quads=36"},
    {"Ninja", 3, "as2", Scene::Ninja, AnimationFormNone, FlashTargetFlashCs, "materials=8,vertices=6567,faces=10518,quads=0"},
    {"FigureKeys", 4, "as3", Scene::Figure, AnimationFormKeyFrames, FlashTargetFlashCs,
     "vertices=48,triangles=72,uvs=216,pivots=7,anims=2,groups=14,keys=42,matrices=0,texture=64x64"},
    {"FigureMatrices", 4, "as3", Scene::Figure, AnimationFormMatrices, FlashTargetFlexSdk,
     "vertices=48,triangles=72,uvs=216,pivots=0,anims=2,groups=14,keys=0,matrices=126,texture=1x1"},
    {"FigureStatic", 4, "as3", Scene::Figure, AnimationFormNone, FlashTargetFlashCs,
     "vertices=216,triangles=72,uvs=216,pivots=0,anims=0,groups=0,keys=0,matrices=0,texture=64x64"},
    {"NinjaStatic", 4, "as3", Scene::Ninja, AnimationFormNone, FlashTargetFlexSdk,
     "vertices=31554,triangles=10518,uvs=31554,pivots=0,anims=0,groups=0,keys=0,matrices=0,texture=-1x-1"},
    {"StageCs", 8, "stage3d", Scene::Figure, AnimationFormMatrices, FlashTargetFlashCs,
     "materials=2,triangles=72,bones=7,anims=2,frames=18,matrices=126,textures=1"},
    {"StageFlex", 8, "stage3d", Scene::Figure, AnimationFormMatrices, FlashTargetFlexSdk,
     "materials=2,triangles=72,bones=7,anims=2,frames=18,matrices=126,textures=1"},
    {"StageStatic", 8, "stage3d", Scene::Figure, AnimationFormNone, FlashTargetFlashCs,
     "materials=2,triangles=72,bones=1,anims=0,frames=0,matrices=0,textures=1"},
    {"NinjaStage", 8, "stage3d", Scene::Ninja, AnimationFormNone, FlashTargetFlexSdk,
     "materials=8,triangles=10518,bones=1,anims=0,frames=0,matrices=0,textures=0"},
    {"StraysAs2", 3, "as2", Scene::Strays, AnimationFormNone, FlashTargetFlashCs,
     "materials=3,vertices=48,faces=36,quads=36"},
    {"StraysStage", 8, "stage3d", Scene::Strays, AnimationFormMatrices, FlashTargetFlashCs,
     "materials=3,triangles=72,bones=7,anims=2,frames=18,matrices=126,textures=1"},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.file; }

class ActionScriptConsumer : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(ActionScriptConsumer, CompilesAndRuns)
{
    const Case& c = GetParam();
    const CCentigrade scene = c.scene == Scene::Figure  ? consumers::RiggedFigure(9)
                              : c.scene == Scene::Ninja ? consumers::Ninja()
                                                        : consumers::StrayFigure(9);
    const std::string path = (consumers::OutputFolder() / (std::string(c.file) + ".as")).string();
    CapturingMessageSink messages;
    const ExportResult result = FindExporter(c.type)->function(scene, path, {1.0f, c.form, c.target});
    ASSERT_TRUE(result.ok) << result.error;
    // Every vertex of the figure has its bone; the corpus model has no bones at all.
    EXPECT_EQ(result.unassignedVertices, c.scene != Scene::Figure && c.form != AnimationFormNone);
    EXPECT_CONSUMER_ACCEPTS(c.format, path, c.expect);
}

// Flash CS without any material hands the engine no texture class and calls no init. The
// compiler takes the class as it is; the checker, which wants one init, says only that.
TEST(ActionScriptConsumer, FlashCsWithoutMaterials)
{
    CCentigrade scene = exporttest::BoxScene();
    scene.m_materials.clear();
    const std::string path = (consumers::OutputFolder() / "Bare.as").string();
    ASSERT_TRUE(FindExporter(4)->function(scene, path, {1.0f, AnimationFormNone, FlashTargetFlashCs}).ok);
    const consumers::CheckOutcome outcome = consumers::CheckExport("as3", path);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("FAIL " + path + ": init called 0 times"), std::string::npos) << outcome.output;
}

INSTANTIATE_TEST_SUITE_P(EveryFormAndTarget, ActionScriptConsumer, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.file); });

// Japanese file names are the classes' own names, which the compiler finds by the file's name.
TEST(ActionScriptConsumer, JapaneseClassNames)
{
    const CCentigrade scene = consumers::RiggedFigure(3);
    const std::filesystem::path folder = consumers::OutputFolder();
    const Case cases[] = {
        {"忍者モデル_f1_s10", 4, "as3", Scene::Figure, AnimationFormMatrices, FlashTargetFlashCs, "triangles=72,anims=2"},
        {"ロボット々ー２号", 3, "as2", Scene::Figure, AnimationFormNone, FlashTargetFlashCs, "materials=2,faces=36"},
        {"ｶﾀｶﾅ忍者ー", 8, "stage3d", Scene::Figure, AnimationFormMatrices, FlashTargetFlashCs, "triangles=72,anims=2"},
    };
    for (const Case& c : cases) {
        const std::string path = folder.string() + "/" + cp932::FromUtf8(c.file) + ".as";
        ASSERT_TRUE(FindExporter(c.type)->function(scene, path, {1.0f, c.form, c.target}).ok) << c.file;
        EXPECT_CONSUMER_ACCEPTS(c.format, folder / (std::string(c.file) + ".as"), c.expect);
    }
}
