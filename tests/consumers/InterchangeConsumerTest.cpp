// The interchange exports (COLLADA, FBX ASCII, Objective-C arrays, CSV) checked by their
// consumers: the COLLADA schema and assimp, a strict FBX reader and assimp, clang, and a
// strict CSV reader. Expected counts come from the scenes.
#include "consumers/ConsumerSupport.h"

#include "export/ColladaExport.h"
#include "export/FbxAsciiExport.h"
#include "export/InterchangeScenes.h"
#include "export/ObjectiveCExport.h"
#include "export/SwiftCsvExport.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using consumers::Expect;

bool Exportable(const CModel& model, const CFace& face)
{
    if (face.m_indices.size() != 3 && face.m_indices.size() != 4)
        return false;
    for (const std::int32_t v : face.m_indices)
        if (v < 0 || static_cast<std::size_t>(v) >= model.m_vertices.size())
            return false;
    return true;
}

// What assimp makes of the COLLADA document: one mesh per model and material used (faces
// whose number names no material count as one more), every triangle with its own three
// corners, UVs on the textured materials' triangles.
std::string ColladaCounts(const CCentigrade& scene)
{
    std::size_t meshes = 0, triangles = 0, textured = 0;
    for (const CModel& model : scene.m_models) {
        std::set<std::int32_t> used;
        for (const CFace& face : model.m_faces) {
            if (!Exportable(model, face))
                continue;
            const bool listed = face.m_material >= 0 &&
                                static_cast<std::size_t>(face.m_material) < scene.m_materials.size();
            used.insert(listed ? face.m_material : -1);
            const std::size_t n = face.m_indices.size() - 2;
            triangles += n;
            if (listed && !scene.m_materials[static_cast<std::size_t>(face.m_material)].m_texture.empty())
                textured += n;
        }
        meshes += used.size();
    }
    return Expect({{"meshes", meshes}, {"faces", triangles}, {"vertices", 3 * triangles},
                   {"normals", 3 * triangles}, {"uvs", 3 * textured}});
}

std::string FbxCounts(const CCentigrade& scene)
{
    const consumers::SceneCounts counts = consumers::Count(scene);
    std::size_t corners = 0, textures = 0;
    for (const CModel& model : scene.m_models)
        for (const CFace& face : model.m_faces)
            corners += Exportable(model, face) ? face.m_indices.size() : 0;
    for (const CMaterial& material : scene.m_materials)
        textures += material.m_texture.empty() ? 0 : 1;
    return Expect({{"geometries", counts.models}, {"models", counts.models}, {"materials", counts.materials + 1},
                   {"textures", textures}, {"vertices", counts.vertices}, {"polygons", counts.polygons},
                   {"corners", corners}, {"assimp_faces", counts.polygons}});
}

}  // namespace

// The rigged figure, the corpus model, a scene of shared names with blanks, XML specials
// and Japanese text, an untextured material and three models, the same with faces of a
// material that does not exist, and a scene without materials, at scale 2.5. Objective-C:
// the first model's arrays keep their names, the others get their own (the checker counts
// the arrays named vertices and uvs: the first model's).
TEST(InterchangeConsumer, ColladaFbxAndObjectiveCOfFigureCorpusModelAndOddScenes)
{
    const std::filesystem::path folder = consumers::OutputFolder();
    CCentigrade unlisted = exporttest::OddNamesScene();
    unlisted.m_models[2].m_faces[0].m_material = 7;
    CCentigrade bare = exporttest::BoxScene();
    bare.m_materials.clear();
    const CCentigrade scenes[] = {consumers::RiggedFigure(5), consumers::Ninja(), exporttest::OddNamesScene(),
                                  unlisted, bare};
    for (std::size_t i = 0; i < std::size(scenes); ++i) {
        const std::string base = (folder / ("scene " + std::to_string(i))).string();
        ASSERT_TRUE(ExportCollada(scenes[i], 2.5f, base + ".dae", AnimationFormMatrices).ok);
        EXPECT_CONSUMER_ACCEPTS("dae", base + ".dae", ColladaCounts(scenes[i]));
        ASSERT_TRUE(ExportFbxAscii(scenes[i], base + ".fbx", AnimationFormMatrices, 1, 2.5f).ok);
        EXPECT_CONSUMER_ACCEPTS("fbx", base + ".fbx", FbxCounts(scenes[i]));
        CCentigrade first = scenes[i];
        first.m_models.resize(1);
        const std::size_t triangles = consumers::Count(first).triangles;
        ASSERT_TRUE(ExportObjectiveC(scenes[i], 2.5f, base + ".m", AnimationFormMatrices).ok);
        EXPECT_CONSUMER_ACCEPTS("objc", base + ".m", Expect({{"vertex_arrays", 1}, {"uv_arrays", 1},
                                                             {"triangles", triangles}, {"uv_triangles", triangles}}));
    }
}

// Both bone forms (the same rows) and the static form on the rigged figure; names that hold
// CSV specials; the corpus model in the static form.
TEST(SwiftCsvConsumer, EveryFormAndOddNames)
{
    const std::filesystem::path folder = consumers::OutputFolder();
    const int frames = 5;
    const CCentigrade figure = consumers::RiggedFigure(frames);
    const consumers::SceneCounts counts = consumers::Count(figure);
    CapturingMessageSink messages;
    for (const ExportAnimationForm form : {AnimationFormKeyFrames, AnimationFormMatrices, AnimationFormNone}) {
        const std::string file = (folder / ("figure" + std::to_string(form) + ".csv")).string();
        ASSERT_TRUE(ExportSwiftCsv(figure, 1.0f, file, form).ok);
        const bool bones = form != AnimationFormNone;
        EXPECT_CONSUMER_ACCEPTS("csv", file,
                                Expect({{"bones", counts.bones}, {"vrows", counts.materials},
                                        {"corners", 3 * counts.triangles}, {"arows", bones ? counts.animations : 0},
                                        {"frames", bones ? frames : 0}, {"mrows", counts.materials},
                                        {"trows", bones ? counts.animations : 1}}));
    }
    EXPECT_TRUE(messages.messages.empty());  // every vertex of the figure has its bone

    const CCentigrade odd = exporttest::OddNamesScene();
    const std::string oddFile = (folder / "odd.csv").string();
    ASSERT_TRUE(ExportSwiftCsv(odd, 2.5f, oddFile, AnimationFormMatrices).ok);
    EXPECT_CONSUMER_ACCEPTS("csv", oddFile, Expect({{"vrows", 3}, {"corners", 27}, {"mrows", 3}, {"trows", 2}}));

    const CCentigrade ninja = consumers::Ninja();
    const std::string ninjaFile = (folder / "ninja.csv").string();
    ASSERT_TRUE(ExportSwiftCsv(ninja, 1.0f, ninjaFile, AnimationFormNone).ok);
    EXPECT_CONSUMER_ACCEPTS("csv", ninjaFile,
                            Expect({{"corners", 3 * consumers::Count(ninja).triangles},
                                    {"mrows", ninja.m_materials.size()}, {"trows", 1}}));
}

// A scene without a model: FBX and CSV still write files their readers accept; COLLADA and
// Objective-C, which would declare nothing, refuse it.
TEST(InterchangeConsumer, EmptyScene)
{
    const std::filesystem::path folder = consumers::OutputFolder();
    CCentigrade scene = exporttest::BoxScene();
    scene.m_models.clear();
    const std::string fbx = (folder / "empty.fbx").string();
    ASSERT_TRUE(ExportFbxAscii(scene, fbx, AnimationFormNone, 1, 1.0f).ok);
    EXPECT_CONSUMER_ACCEPTS("fbx", fbx, "geometries=0,models=0,materials=2,textures=1");
    const std::string csv = (folder / "empty.csv").string();
    ASSERT_TRUE(ExportSwiftCsv(scene, 1.0f, csv, AnimationFormMatrices).ok);
    EXPECT_CONSUMER_ACCEPTS("csv", csv, "vrows=0,mrows=1,trows=2");
    EXPECT_FALSE(ExportCollada(scene, 1.0f, (folder / "empty.dae").string(), AnimationFormNone).ok);
    EXPECT_FALSE(ExportObjectiveC(scene, 1.0f, (folder / "empty.m").string(), AnimationFormNone).ok);
}
