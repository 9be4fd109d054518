// The WebGL and WebGPU files run in node against the engine stub: they parse, construct,
// and make one call per material, distinct corner, triangle, baked matrix, frame and
// animation.
#include "consumers/ConsumerSupport.h"

#include "export/WebExport.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

// The distinct corners by the records' rules, counted independently of the exporter.
std::size_t DistinctCorners(const CCentigrade& scene, bool bones)
{
    using Key = std::tuple<float, float, float, float, float, float, int, float, float, int, int, float>;
    std::set<Key> keys;
    for (const CModel& model : scene.m_models)
        for (const CFace& face : model.m_faces) {
            if (face.m_indices.size() != 3 && face.m_indices.size() != 4)
                continue;
            for (std::size_t c = 0; c < face.m_indices.size(); ++c) {
                const CVector& v = model.m_vertices[static_cast<std::size_t>(face.m_indices[c])];
                const CNormal& n = face.m_cornerNormals.at(c);
                const CUV uv = c < face.m_uvs.size() ? face.m_uvs[c] : CUV();
                const int bone = bones ? v.m_boneIndex : -1;
                const int parent = bone >= 0 ? scene.m_bones.at(static_cast<std::size_t>(bone)).m_parent : -1;
                keys.emplace(v.m_x, v.m_y, v.m_z, n.m_x, n.m_y, n.m_z, face.m_material, uv.m_u, uv.m_v, bone, parent,
                             bones ? v.m_weight : 0.0f);
            }
        }
    return keys.size();
}

// What the stub must have counted for the scene in the given form.
std::string Expected(const CCentigrade& scene, ExportAnimationForm form)
{
    const consumers::SceneCounts n = consumers::Count(scene);
    const bool bones = form != AnimationFormNone;
    std::size_t frames = 0;
    for (std::size_t a = 0; bones && n.bones > 0 && a < n.animations; ++a)
        frames += scene.m_bones[0].m_animations[a].size();
    return consumers::Expect({{"materials", n.materials}, {"records", DistinctCorners(scene, bones)},
                              {"triangles", n.triangles}, {"frames", frames}, {"matrices", frames * n.bones},
                              {"anims", bones && n.bones > 0 ? n.animations : 0}}) +
           ",base=" + (bones ? "BoneModel3D" : "Model3D");
}

struct Case {
    const char* name;  // of the file and the class
    bool figure;       // the rigged figure, or the big corpus model (17 objects in one model)
    JsStyle style;
    ExportAnimationForm form;
};

const Case kCases[] = {
    {"FigureGl", true, JsStyle::Prototype, AnimationFormMatrices},
    {"FigureGlMesh", true, JsStyle::Prototype, AnimationFormNone},
    {"FigureGpu", true, JsStyle::Class, AnimationFormMatrices},
    {"FigureGpuMesh", true, JsStyle::Class, AnimationFormNone},
    {"人形", true, JsStyle::Class, AnimationFormKeyFrames},  // a valid class name, in UTF-8
    {"Ninja", false, JsStyle::Prototype, AnimationFormMatrices},
    {"NinjaMesh", false, JsStyle::Class, AnimationFormNone},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class WebConsumer : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(WebConsumer, RunsInNode)
{
    const Case& c = GetParam();
    const CCentigrade scene = c.figure ? consumers::RiggedFigure(21) : consumers::Ninja();
    const std::filesystem::path file = consumers::OutputFolder() / (std::string(c.name) + ".js");
    CapturingMessageSink messages;
    const std::string path = cp932::FromUtf8(file.string());
    const ExportResult result = c.style == JsStyle::Prototype ? ExportWebGL(scene, 1.0f, path, c.form)
                                                              : ExportWebGPU(scene, 1.0f, path, c.form);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_CONSUMER_ACCEPTS(c.style == JsStyle::Prototype ? "webgl" : "webgpu", file, Expected(scene, c.form));
}

INSTANTIATE_TEST_SUITE_P(EveryStyleAndForm, WebConsumer, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             const std::string name = info.param.name;
                             return static_cast<unsigned char>(name[0]) < 0x80 ? name : "JapaneseName";
                         });
