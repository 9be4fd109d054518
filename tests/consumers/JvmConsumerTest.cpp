// The Java-like (javac) and Kotlin (kotlinc) exports compiled and run against the engine
// stubs: the rigged figure in every form, a big corpus model whose methods are cut into
// pieces, and models just below and just above the size at which a method is cut.
#include "consumers/ConsumerSupport.h"

#include "export/JavaLikeExport.h"
#include "export/KotlinExport.h"
#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

namespace {

enum class Target { LumaFold3D, VantaForm3D, Kotlin };

// Exports the scene and expects the stubs to count what the scene holds, by the rules of
// the file: matrices grouped per frame (LumaFold3D, Kotlin) or per bone (VantaForm3D).
void ExpectAccepted(const CCentigrade& scene, Target target, ExportAnimationForm form, const std::filesystem::path& file)
{
    const std::string path = file.string();
    const ExportResult result = target == Target::Kotlin       ? ExportKotlin(scene, 1.0f, path, form)
                                : target == Target::LumaFold3D ? ExportLumaFold3D(scene, 1.0f, path, form)
                                                               : ExportVantaForm3D(scene, 1.0f, path, form);
    ASSERT_TRUE(result.ok) << result.error;
    const consumers::SceneCounts counts = consumers::Count(scene);
    const bool bones = form != AnimationFormNone;
    const bool animated = form == AnimationFormMatrices || (bones && target != Target::VantaForm3D);
    const bool boneBase = target == Target::Kotlin ? bones : form == AnimationFormMatrices;
    std::string expect = std::string("base=") + (boneBase ? "BoneModel3D" : "Model3D") +
                         ",vertices=" + std::to_string(counts.vertices) +
                         ",bone_vertices=" + std::to_string(bones ? counts.vertices : 0) +
                         ",triangles=" + std::to_string(counts.triangles) +
                         ",anims=" + std::to_string(animated ? counts.animations : 0);
    if (animated && counts.bones > 0) {
        const std::size_t frames = scene.m_bones[0].m_animations[0].size();
        const bool byBone = target == Target::VantaForm3D;
        expect += ",groups=" + std::to_string(counts.animations * (byBone ? counts.bones : frames)) +
                  ",matrices=" + std::to_string(counts.animations * frames * counts.bones) +
                  ",bones=" + std::to_string(counts.bones) + ",frames=" + std::to_string(frames);
    }
    EXPECT_CONSUMER_ACCEPTS(target == Target::Kotlin ? "kotlin" : "java", file, expect);
}

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

// The UV method is the first to be cut: a piece holds 6,000 rows, two thousand triangles.
constexpr int kTrianglesInOnePiece = 2000;

bool HasPieces(const std::filesystem::path& file)
{
    return testsupport::ReadFile(file.string()).find("addUVs_2()") != std::string::npos;
}

CCentigrade Ninja()
{
    return consumers::LoadModelScene(consumers::CorpusFile("nnn112358+GLUTMetaseq_forLinux/ninja.mqo"));
}

}  // namespace

// The static form of LumaFold3D is compiled with the corpus model and the strips below.
TEST(JavaLikeConsumer, RiggedFigureInEveryForm)
{
    const CCentigrade scene = consumers::RiggedFigure(21);
    const auto folder = consumers::OutputFolder();
    ExpectAccepted(scene, Target::LumaFold3D, AnimationFormKeyFrames, folder / "LumaKeys.java");
    ExpectAccepted(scene, Target::LumaFold3D, AnimationFormMatrices, folder / "Luma.java");
    ExpectAccepted(scene, Target::VantaForm3D, AnimationFormKeyFrames, folder / "VantaKeys.java");
    ExpectAccepted(scene, Target::VantaForm3D, AnimationFormMatrices, folder / "Vanta.java");
    ExpectAccepted(scene, Target::VantaForm3D, AnimationFormNone, folder / "VantaStatic.java");
}

// 6,567 vertices and 10,518 faces: every method is cut into pieces. The model has no
// bones, so the bone form warns once.
TEST(JavaLikeConsumer, BigCorpusModelCompiles)
{
    const CCentigrade scene = Ninja();
    ASSERT_EQ(consumers::Count(scene).vertices, 6567u);
    const auto folder = consumers::OutputFolder();
    CapturingMessageSink messages;
    ExpectAccepted(scene, Target::LumaFold3D, AnimationFormNone, folder / "Ninja.java");
    ExpectAccepted(scene, Target::VantaForm3D, AnimationFormMatrices, folder / "NinjaBones.java");
    EXPECT_TRUE(HasPieces(folder / "Ninja.java"));
    EXPECT_EQ(messages.messages, std::vector<std::string>{std::string(kUnassignedVerticesWarning)});
}

TEST(JavaLikeConsumer, ModelsJustBelowAndAboveTheMethodSize)
{
    const auto folder = consumers::OutputFolder();
    ExpectAccepted(Strip(kTrianglesInOnePiece), Target::LumaFold3D, AnimationFormNone, folder / "Below.java");
    ExpectAccepted(Strip(kTrianglesInOnePiece + 1), Target::LumaFold3D, AnimationFormNone, folder / "Above.java");
    EXPECT_FALSE(HasPieces(folder / "Below.java"));
    EXPECT_TRUE(HasPieces(folder / "Above.java"));
}

// kotlinc starts slowly: the figure as bone model, the big model in pieces and the largest
// method that stays whole (a static mesh).
TEST(KotlinConsumer, RiggedFigureAsBoneModel)
{
    ExpectAccepted(consumers::RiggedFigure(21), Target::Kotlin, AnimationFormMatrices,
                   consumers::OutputFolder() / "Figure.kt");
}

TEST(KotlinConsumer, BigCorpusModelCompiles)
{
    const auto file = consumers::OutputFolder() / "Ninja.kt";
    CapturingMessageSink messages;
    ExpectAccepted(Ninja(), Target::Kotlin, AnimationFormMatrices, file);
    EXPECT_TRUE(HasPieces(file));
}

TEST(KotlinConsumer, ModelJustBelowTheMethodSize)
{
    const auto file = consumers::OutputFolder() / "Below.kt";
    ExpectAccepted(Strip(kTrianglesInOnePiece), Target::Kotlin, AnimationFormNone, file);
    EXPECT_FALSE(HasPieces(file));
}
