// The Java-like (javac) and Kotlin (kotlinc) exports compiled and run against the engine
// stubs: the rigged figure in every form, the big corpus model, whose methods pass what one
// method holds, models just below and just above that size, and a generated character with
// far more numbers than one class holds, in a bone form and the static form.
#include "consumers/ConsumerSupport.h"

#include "export/JavaLikeExport.h"
#include "export/KotlinExport.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

enum class Target { LumaFold3D, VantaForm3D, Kotlin };
enum class Model { Figure, Ninja, StripBelow, StripAbove, Character };  // a strip just below or above one method

// The UV method is the first to pass what one method holds: 6,000 rows, two thousand triangles.
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

// A generated character of the size real ones reach: 100,000 vertices on a 250 x 400 grid,
// every position a number of its own, each bound by its row to one of a hundred bones in a
// chain; 33,333 separate triangles with UVs (javac and kotlinc take longer the more rows, so
// no more faces than the vertices need); and one animation of 30 frames in which every bone
// turns a little further each frame. Far more distinct numbers than one class can hold: its
// methods pass what one method holds and the later animation methods what the class holds.
constexpr int kCharacterColumns = 250, kCharacterRows = 400, kCharacterBones = 100, kCharacterFrames = 30;

CCentigrade Character()
{
    CCentigrade scene;
    scene.m_models.resize(1);
    CModel& model = scene.m_models[0];
    for (int r = 0; r < kCharacterRows; ++r)
        for (int c = 0; c < kCharacterColumns; ++c) {
            const int i = r * kCharacterColumns + c;
            model.m_vertices.emplace_back(0.37f * static_cast<float>(c) - 46.0f, 0.41f * static_cast<float>(r),
                                          0.0001f * static_cast<float>(i) - 5.0f);
            model.m_vertices.back().m_boneIndex = r * kCharacterBones / kCharacterRows;
        }
    for (int i = 0; i + 2 < kCharacterRows * kCharacterColumns; i += 3) {
        CFace& face = model.m_faces.emplace_back();
        face.m_indices = {i, i + 1, i + 2};
        for (int k = 0; k < 3; ++k)
            face.m_uvs.push_back({static_cast<float>((i + k) % kCharacterColumns) / kCharacterColumns,
                                  static_cast<float>((i + k) / kCharacterColumns) / kCharacterRows});
    }
    scene.m_animationNames = {"Walk"};
    for (int b = 0; b < kCharacterBones; ++b) {
        CBone& bone = scene.m_bones.emplace_back();
        bone.m_id = b;
        bone.m_parent = b - 1;
        bone.m_head = CVector(0.0f, 0.41f * static_cast<float>(b * kCharacterRows / kCharacterBones), 0.0f);
        bone.m_animations.assign(1, std::vector<CAnimation>(kCharacterFrames));
        for (int f = 0; f < kCharacterFrames; ++f)
            bone.m_animations[0][static_cast<std::size_t>(f)].m_rotate =
                CVector(0.7f * static_cast<float>(f), -0.3f * static_cast<float>(f * (b + 1)), 0.1f * static_cast<float>(f));
    }
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
    {"Character", Model::Character, Target::LumaFold3D, AnimationFormMatrices,
     "base=BoneModel3D,vertices=100000,bone_vertices=100000,triangles=33333,anims=1,groups=30,matrices=3000,bones=100,frames=30"},
    {"CharacterStatic", Model::Character, Target::VantaForm3D, AnimationFormNone,
     "base=Model3D,vertices=100000,bone_vertices=0,triangles=33333,anims=0"},
    {"CharacterKt", Model::Character, Target::Kotlin, AnimationFormKeyFrames,
     "base=BoneModel3D,vertices=100000,bone_vertices=100000,triangles=33333,anims=1,groups=30,matrices=3000,bones=100,frames=30"},
    {"CharacterStaticKt", Model::Character, Target::Kotlin, AnimationFormNone,
     "base=Model3D,vertices=100000,bone_vertices=0,triangles=33333,anims=0"},
};

CCentigrade SceneOf(Model model)
{
    switch (model) {
    case Model::Figure: return consumers::RiggedFigure(21);
    case Model::Ninja: return consumers::Ninja();
    case Model::StripBelow: return Strip(kTrianglesInOnePiece);
    case Model::StripAbove: return Strip(kTrianglesInOnePiece + 1);
    case Model::Character: return Character();
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
    // kotlinc's default heap of 512 MB is too small for the generated character.
    if (c.model == Model::Character)
        ::setenv("JAVA_OPTS", "-Xmx3g", 0);
    CapturingMessageSink messages;
    const ExportResult result = kotlin                            ? ExportKotlin(scene, 1.0f, file, c.form)
                                : c.target == Target::LumaFold3D ? ExportLumaFold3D(scene, 1.0f, file, c.form)
                                                                 : ExportVantaForm3D(scene, 1.0f, file, c.form);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_CONSUMER_ACCEPTS(kotlin ? "kotlin" : "java", file, c.expect);
    // Only a model past the size of one method moves rows into nested classes, the UV rows first.
    const bool big = c.model == Model::Ninja || c.model == Model::StripAbove || c.model == Model::Character;
    EXPECT_EQ(testsupport::ReadFile(file).find("Rows1().rows()") != std::string::npos, big);
}

INSTANTIATE_TEST_SUITE_P(EveryFormAndSize, JvmConsumer, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// Japanese file names are the classes' own names: javac finds the public class in the file of
// its name, and the checker loads the Kotlin class by the file's name.
TEST(JvmConsumer, JapaneseClassNames)
{
    const CCentigrade scene = consumers::RiggedFigure(3);
    const std::filesystem::path folder = consumers::OutputFolder();
    using Export = ExportResult (*)(const CCentigrade&, float, const std::string&, ExportAnimationForm);
    const std::pair<const char*, Export> cases[] = {
        {"忍者モデル_f1_s10.java", ExportLumaFold3D}, {"ロボット々ー２号.java", ExportVantaForm3D}, {"ｶﾀｶﾅ忍者ー.kt", ExportKotlin}};
    for (const auto& [file, write] : cases) {
        const std::string path = folder.string() + "/" + cp932::FromUtf8(file);
        const bool kotlin = write == &ExportKotlin;
        ASSERT_TRUE(write(scene, 1.0f, path, AnimationFormMatrices).ok) << file;
        EXPECT_CONSUMER_ACCEPTS(kotlin ? "kotlin" : "java", folder / file, "base=BoneModel3D,triangles=72,anims=2");
    }
}
