// The ActionScript 2, ActionScript 3 and Stage3D classes compiled by an ActionScript 3
// compiler against stand-in engine classes and run: every form and Flash target the options
// dialog offers, on the rigged figure and on the corpus model. Each compile costs seconds:
// one case per test.
#include "consumers/ConsumerSupport.h"

#include "export/Exporters.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* file;
    std::int32_t type;
    const char* format;
    bool figure;  // the rigged figure, or the corpus model
    ExportAnimationForm form;
    FlashTarget target;
    const char* expect;
};

// The figure (9 frames): 48 vertices, 36 quads, 2 materials (the first with a 64 x 64
// texture, which Flex SDK embeds as a 1 x 1 stand-in), 7 bones, 2 animations keyed at 3
// frames each. The corpus model: 6,567 vertices, 10,518 triangles, 8 materials, no texture
// (null), no bones. A static AS3 mesh writes three vertices per triangle; Stage3D counts the
// bones its registers reach (1 without bones).
const Case kCases[] = {
    {"Figure", 3, "as2", true, AnimationFormNone, FlashTargetFlashCs, "materials=2,vertices=48,faces=36,quads=36"},
    {"Ninja", 3, "as2", false, AnimationFormNone, FlashTargetFlashCs, "materials=8,vertices=6567,faces=10518,quads=0"},
    {"FigureKeys", 4, "as3", true, AnimationFormKeyFrames, FlashTargetFlashCs,
     "vertices=48,triangles=72,uvs=216,pivots=7,anims=2,groups=14,keys=42,matrices=0,texture=64x64"},
    {"FigureMatrices", 4, "as3", true, AnimationFormMatrices, FlashTargetFlexSdk,
     "vertices=48,triangles=72,uvs=216,pivots=0,anims=2,groups=14,keys=0,matrices=126,texture=1x1"},
    {"FigureStatic", 4, "as3", true, AnimationFormNone, FlashTargetFlashCs,
     "vertices=216,triangles=72,uvs=216,pivots=0,anims=0,groups=0,keys=0,matrices=0,texture=64x64"},
    {"NinjaStatic", 4, "as3", false, AnimationFormNone, FlashTargetFlexSdk,
     "vertices=31554,triangles=10518,uvs=31554,pivots=0,anims=0,groups=0,keys=0,matrices=0,texture=-1x-1"},
    {"StageCs", 8, "stage3d", true, AnimationFormMatrices, FlashTargetFlashCs,
     "materials=2,triangles=72,bones=7,anims=2,frames=18,matrices=126,textures=1"},
    {"StageFlex", 8, "stage3d", true, AnimationFormMatrices, FlashTargetFlexSdk,
     "materials=2,triangles=72,bones=7,anims=2,frames=18,matrices=126,textures=1"},
    {"StageStatic", 8, "stage3d", true, AnimationFormNone, FlashTargetFlashCs,
     "materials=2,triangles=72,bones=1,anims=0,frames=0,matrices=0,textures=1"},
    {"NinjaStage", 8, "stage3d", false, AnimationFormNone, FlashTargetFlexSdk,
     "materials=8,triangles=10518,bones=1,anims=0,frames=0,matrices=0,textures=0"},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.file; }

class ActionScriptConsumer : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(ActionScriptConsumer, CompilesAndRuns)
{
    const Case& c = GetParam();
    const CCentigrade scene = c.figure ? consumers::RiggedFigure(9) : consumers::Ninja();
    const std::string path = (consumers::OutputFolder() / (std::string(c.file) + ".as")).string();
    const ExportResult result = FindExporter(c.type)->function(scene, path, {1.0f, c.form, c.target});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_CONSUMER_ACCEPTS(c.format, path, c.expect);
}

INSTANTIATE_TEST_SUITE_P(EveryFormAndTarget, ActionScriptConsumer, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.file); });
