// The Java-like (javac) and Kotlin (kotlinc) exports compiled and run against the engine
// stubs: the rigged figure in every form, the big corpus model, whose methods are cut into
// pieces, and models just below and just above the size at which a method is cut.
#include "consumers/ConsumerSupport.h"

#include "export/JavaLikeExport.h"
#include "export/KotlinExport.h"
#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

namespace {

enum class Target { LumaFold3D, VantaForm3D, Kotlin };
enum class Model { Figure, Ninja, StripBelow, StripAbove };  // a strip just below or above one method

// The UV method is the first to be cut: a piece holds 6,000 rows, two thousand triangles.
constexpr int kTrianglesInOnePiece = 2000;

// A strip of triangles with a UV for every corner, none 0 or 1, so that every number is a
// constant-pool load: the largest bytecode a row can have.
CCentigrade Strip(int triangles)
{
    CCentigrade scene;
    scene.m_models.resize(1);
    CModel& model = scene.m_models[0];
    for (int i = 0; i < triangles + 2; ++i)
        model.m_vertices.emplace_back(0.125f * static_cast<float>(i), static_cast<float>(i % 2) + 0.5f, 0.25f);
    model.m_faces.resize(static_cast<std::size_t>(triangles));
    for (int i = 0; i < triangles; ++i) {
        CFace& face = model.m_faces[static_cast<std::size_t>(i)];
        face.m_indices = {i, i + 1, i + 2};
        face.m_uvs.resize(3);
        for (int c = 0; c < 3; ++c)
            face.m_uvs[c] = {0.001f * static_cast<float>((3 * i + c) % 997 + 2), 0.002f * static_cast<float>(i % 449 + 3)};
    }
    scene.m_animationNames = {"Animation_0"};
    return scene;
}

struct Case {
    const char* name;  // of the file and the class
    Model model;
    Target target;
    ExportAnimationForm form;
    const char* expect;
};

// The figure (21 frames): 48 vertices, 72 triangles, 7 bones, 2 animations. The corpus
// model: 6,567 vertices, 10,518 triangles, 1 animation, no bones. Matrices are grouped per
// frame (LumaFold3D, Kotlin) or per bone (VantaForm3D); the key-frame form of VantaForm3D
// has no animation, that of LumaFold3D and Kotlin the matrices on another base class.
const Case kCases[] = {
    {"LumaKeys", Model::Figure, Target::LumaFold3D, AnimationFormKeyFrames,
     "base=Model3D,vertices=48,bone_vertices=48,triangles=72,anims=2,groups=42,matrices=294,bones=7,frames=21"},
    {"Luma", Model::Figure, Target::LumaFold3D, AnimationFormMatrices,
     "base=BoneModel3D,vertices=48,bone_vertices=48,triangles=72,anims=2,groups=42,matrices=294,bones=7,frames=21"},
    {"VantaKeys", Model::Figure, Target::VantaForm3D, AnimationFormKeyFrames,
     "base=Model3D,vertices=48,bone_vertices=48,triangles=72,anims=0"},
    {"Vanta", Model::Figure, Target::VantaForm3D, AnimationFormMatrices,
     "base=BoneModel3D,vertices=48,bone_vertices=48,triangles=72,anims=2,groups=14,matrices=294,bones=7,frames=21"},
    {"VantaStatic", Model::Figure, Target::VantaForm3D, AnimationFormNone,
     "base=Model3D,vertices=48,bone_vertices=0,triangles=72,anims=0"},
    {"Ninja", Model::Ninja, Target::LumaFold3D, AnimationFormNone,
     "base=Model3D,vertices=6567,bone_vertices=0,triangles=10518,anims=0"},
    {"NinjaBones", Model::Ninja, Target::VantaForm3D, AnimationFormMatrices,
     "base=BoneModel3D,vertices=6567,bone_vertices=6567,triangles=10518,anims=1"},
    {"Below", Model::StripBelow, Target::LumaFold3D, AnimationFormNone,
     "base=Model3D,vertices=2002,bone_vertices=0,triangles=2000,anims=0"},
    {"Above", Model::StripAbove, Target::LumaFold3D, AnimationFormNone,
     "base=Model3D,vertices=2003,bone_vertices=0,triangles=2001,anims=0"},
    {"FigureKt", Model::Figure, Target::Kotlin, AnimationFormMatrices,
     "base=BoneModel3D,vertices=48,bone_vertices=48,triangles=72,anims=2,groups=42,matrices=294,bones=7,frames=21"},
    {"NinjaKt", Model::Ninja, Target::Kotlin, AnimationFormMatrices,
     "base=BoneModel3D,vertices=6567,bone_vertices=6567,triangles=10518,anims=1"},
    {"BelowKt", Model::StripBelow, Target::Kotlin, AnimationFormNone,
     "base=Model3D,vertices=2002,bone_vertices=0,triangles=2000,anims=0"},
};

CCentigrade SceneOf(Model model)
{
    switch (model) {
    case Model::Figure: return consumers::RiggedFigure(21);
    case Model::Ninja: return consumers::Ninja();
    case Model::StripBelow: return Strip(kTrianglesInOnePiece);
    case Model::StripAbove: return Strip(kTrianglesInOnePiece + 1);
    }
    return {};
}

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class JvmConsumer : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST_P(JvmConsumer, CompilesAndRuns)
{
    const Case& c = GetParam();
    const CCentigrade scene = SceneOf(c.model);
    const bool kotlin = c.target == Target::Kotlin;
    const std::string file = (consumers::OutputFolder() / (std::string(c.name) + (kotlin ? ".kt" : ".java"))).string();
    CapturingMessageSink messages;
    const ExportResult result = kotlin                            ? ExportKotlin(scene, 1.0f, file, c.form)
                                : c.target == Target::LumaFold3D ? ExportLumaFold3D(scene, 1.0f, file, c.form)
                                                                 : ExportVantaForm3D(scene, 1.0f, file, c.form);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_CONSUMER_ACCEPTS(kotlin ? "kotlin" : "java", file, c.expect);
    // Only a model past the size of one method has its methods cut, the UV method first.
    const bool big = c.model == Model::Ninja || c.model == Model::StripAbove;
    EXPECT_EQ(testsupport::ReadFile(file).find("addUVs_2()") != std::string::npos, big);
}

INSTANTIATE_TEST_SUITE_P(EveryFormAndSize, JvmConsumer, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });
