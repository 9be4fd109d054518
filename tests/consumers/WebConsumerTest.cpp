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
    const consumers::SceneCounts counts = consumers::Count(scene);
    const bool bones = form != AnimationFormNone;
    std::size_t frames = 0;
    for (std::size_t a = 0; bones && counts.bones > 0 && a < counts.animations; ++a)
        frames += scene.m_bones[0].m_animations[a].size();
    return "materials=" + std::to_string(counts.materials) +
           ",records=" + std::to_string(DistinctCorners(scene, bones)) +
           ",triangles=" + std::to_string(counts.triangles) + ",frames=" + std::to_string(frames) +
           ",matrices=" + std::to_string(frames * counts.bones) +
           ",anims=" + std::to_string(bones && counts.bones > 0 ? counts.animations : 0) +
           ",base=" + (bones ? "BoneModel3D" : "Model3D");
}

void ExpectAccepted(const CCentigrade& scene, JsStyle style, ExportAnimationForm form, const std::filesystem::path& file)
{
    const ExportResult result = style == JsStyle::Prototype
                                    ? ExportWebGL(scene, 1.0f, cp932::FromUtf8(file.string()), form)
                                    : ExportWebGPU(scene, 1.0f, cp932::FromUtf8(file.string()), form);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_CONSUMER_ACCEPTS(style == JsStyle::Prototype ? "webgl" : "webgpu", file, Expected(scene, form));
}

}  // namespace

TEST(WebConsumer, RiggedFigureInEveryForm)
{
    const CCentigrade scene = consumers::RiggedFigure(21);
    const std::filesystem::path folder = consumers::OutputFolder();
    ExpectAccepted(scene, JsStyle::Prototype, AnimationFormMatrices, folder / "FigureGl.js");
    ExpectAccepted(scene, JsStyle::Prototype, AnimationFormNone, folder / "FigureGlMesh.js");
    ExpectAccepted(scene, JsStyle::Class, AnimationFormMatrices, folder / "FigureGpu.js");
    ExpectAccepted(scene, JsStyle::Class, AnimationFormNone, folder / "FigureGpuMesh.js");
}

// A Japanese file name is a valid class name and reaches the engine in UTF-8.
TEST(WebConsumer, JapaneseClassName)
{
    const CCentigrade scene = consumers::RiggedFigure(3);
    ExpectAccepted(scene, JsStyle::Class, AnimationFormKeyFrames, consumers::OutputFolder() / "人形.js");
}

// The big corpus model: 17 objects in one model, no bones (so the bone form warns).
TEST(WebConsumer, CorpusModel)
{
    const CCentigrade scene = consumers::LoadModelScene(consumers::CorpusFile("nnn112358+GLUTMetaseq_forLinux/ninja.mqo"));
    const std::filesystem::path folder = consumers::OutputFolder();
    CapturingMessageSink messages;
    ExpectAccepted(scene, JsStyle::Prototype, AnimationFormMatrices, folder / "Ninja.js");
    EXPECT_EQ(messages.messages.size(), 1u);
    ExpectAccepted(scene, JsStyle::Class, AnimationFormNone, folder / "NinjaMesh.js");
}
