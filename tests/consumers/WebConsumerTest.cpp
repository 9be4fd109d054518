// The WebGL and WebGPU files run in node against the engine stub: they parse, construct,
// and make one call per material, distinct corner, triangle, baked matrix, frame and
// animation.
#include "consumers/ConsumerSupport.h"
#include "consumers/StrayFigure.h"

#include "export/WebExport.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

namespace {

enum class Scene { Figure, Ninja, Strays };

struct Case {
    const char* name;  // of the file and the class
    Scene scene;
    JsStyle style;
    ExportAnimationForm form;
    const char* expect;
};

// The figure (21 frames): 2 materials, 72 triangles whose 144 corners are all distinct (flat
// quads), 7 bones, 2 animations. The corpus model: 8 materials, 10,518 triangles on 8,649
// distinct corners (position, normal, material, UV), no bones, so no animation either. The
// figure with strays (StrayFigure.h) adds a default material.
const Case kCases[] = {
    {"FigureGl", Scene::Figure, JsStyle::Prototype, AnimationFormMatrices,
     "materials=2,records=144,triangles=72,frames=42,matrices=294,anims=2,base=BoneModel3D"},
    {"FigureGlMesh", Scene::Figure, JsStyle::Prototype, AnimationFormNone,
     "materials=2,records=144,triangles=72,frames=0,matrices=0,anims=0,base=Model3D"},
    {"FigureGpu", Scene::Figure, JsStyle::Class, AnimationFormMatrices,
     "materials=2,records=144,triangles=72,frames=42,matrices=294,anims=2,base=BoneModel3D"},
    {"FigureGpuMesh", Scene::Figure, JsStyle::Class, AnimationFormNone,
     "materials=2,records=144,triangles=72,frames=0,matrices=0,anims=0,base=Model3D"},
    {"人形", Scene::Figure, JsStyle::Class, AnimationFormKeyFrames,  // a valid class name, in UTF-8
     "materials=2,records=144,triangles=72,frames=42,matrices=294,anims=2,base=BoneModel3D"},
    {"Ninja", Scene::Ninja, JsStyle::Prototype, AnimationFormMatrices,
     "materials=8,records=8649,triangles=10518,frames=0,matrices=0,anims=0,base=BoneModel3D"},
    {"NinjaMesh", Scene::Ninja, JsStyle::Class, AnimationFormNone,
     "materials=8,records=8649,triangles=10518,frames=0,matrices=0,anims=0,base=Model3D"},
    {"StraysGlMesh", Scene::Strays, JsStyle::Prototype, AnimationFormNone,
     "materials=3,records=144,triangles=72,frames=0,matrices=0,anims=0,base=Model3D"},
    {"StraysGpu", Scene::Strays, JsStyle::Class, AnimationFormMatrices,
     "materials=3,records=144,triangles=72,frames=42,matrices=294,anims=2,base=BoneModel3D"},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class WebConsumer : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(WebConsumer, RunsInNode)
{
    const Case& c = GetParam();
    const CCentigrade scene = c.scene == Scene::Figure  ? consumers::RiggedFigure(21)
                              : c.scene == Scene::Ninja ? consumers::Ninja()
                                                        : consumers::StrayFigure(21);
    const std::filesystem::path file = consumers::OutputFolder() / (std::string(c.name) + ".js");
    CapturingMessageSink messages;
    const std::string path = cp932::FromUtf8(file.string());
    const ExportResult result = c.style == JsStyle::Prototype ? ExportWebGL(scene, 1.0f, path, c.form)
                                                              : ExportWebGPU(scene, 1.0f, path, c.form);
    ASSERT_TRUE(result.ok) << result.error;
    // Every vertex of the figure has its bone; the corpus model has no bones at all.
    EXPECT_EQ(result.unassignedVertices, c.scene != Scene::Figure && c.form != AnimationFormNone);
    EXPECT_CONSUMER_ACCEPTS(c.style == JsStyle::Prototype ? "webgl" : "webgpu", file, c.expect);
}

INSTANTIATE_TEST_SUITE_P(EveryStyleAndForm, WebConsumer, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             const std::string name = info.param.name;
                             return static_cast<unsigned char>(name[0]) < 0x80 ? name : "JapaneseName";
                         });
