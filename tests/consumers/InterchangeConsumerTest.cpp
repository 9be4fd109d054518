// The interchange exports (COLLADA, FBX ASCII, Objective-C arrays, CSV) checked by their
// consumers: the COLLADA schema and assimp, a strict FBX reader and assimp, clang, and a
// strict CSV reader.
#include "consumers/ConsumerSupport.h"
#include "consumers/StrayFigure.h"

#include "export/ColladaExport.h"
#include "export/FbxAsciiExport.h"
#include "export/InterchangeScenes.h"
#include "export/ObjectiveCExport.h"
#include "export/SwiftCsvExport.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

// At scale 2.5: the rigged figure (48 vertices, 36 quads, a textured and a plain material);
// the corpus model (6,567 vertices, 10,518 triangles, 8 untextured materials); a scene of
// three models and three materials sharing names with blanks, XML specials and Japanese text,
// each model a triangle with UVs, a quad and a line over 4 vertices, only the first material
// textured; the same with a face of a material that does not exist; the box without
// materials. assimp makes a mesh of every model and material used (faces naming no material
// one more), with three corners of their own per triangle and UVs on the textured ones. FBX
// adds a default material. Objective-C: the first model's arrays keep their names, the others
// get their own; the checker counts the first model's.
TEST(InterchangeConsumer, ColladaFbxAndObjectiveCOfFigureCorpusModelAndOddScenes)
{
    const std::filesystem::path folder = consumers::OutputFolder();
    CCentigrade unlisted = exporttest::OddNamesScene();
    unlisted.m_models[2].m_faces[0].m_material = 7;
    CCentigrade bare = exporttest::BoxScene();
    bare.m_materials.clear();
    const struct {
        CCentigrade scene;
        const char *dae, *fbx, *objc;
    } cases[] = {
        {consumers::RiggedFigure(5), "meshes=2,faces=72,vertices=216,normals=216,uvs=108",
         "geometries=1,models=1,materials=3,textures=1,vertices=48,polygons=36,corners=144,assimp_faces=36",
         "vertex_arrays=1,uv_arrays=1,triangles=72,uv_triangles=72"},
        {consumers::Ninja(), "meshes=8,faces=10518,vertices=31554,normals=31554,uvs=0",
         "geometries=1,models=1,materials=9,textures=0,vertices=6567,polygons=10518,corners=31554,assimp_faces=10518",
         "vertex_arrays=1,uv_arrays=1,triangles=10518,uv_triangles=10518"},
        {exporttest::OddNamesScene(), "meshes=3,faces=9,vertices=27,normals=27,uvs=9",
         "geometries=3,models=3,materials=4,textures=1,vertices=12,polygons=6,corners=21,assimp_faces=6",
         "vertex_arrays=1,uv_arrays=1,triangles=3,uv_triangles=3"},
        {unlisted, "meshes=4,faces=9,vertices=27,normals=27,uvs=9",
         "geometries=3,models=3,materials=4,textures=1,vertices=12,polygons=6,corners=21,assimp_faces=6",
         "vertex_arrays=1,uv_arrays=1,triangles=3,uv_triangles=3"},
        {bare, "meshes=1,faces=3,vertices=9,normals=9,uvs=0",
         "geometries=1,models=1,materials=1,textures=0,vertices=4,polygons=2,corners=7,assimp_faces=2",
         "vertex_arrays=1,uv_arrays=1,triangles=3,uv_triangles=3"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const CCentigrade& scene = cases[i].scene;
        const std::string base = (folder / ("scene " + std::to_string(i))).string();
        ASSERT_TRUE(ExportCollada(scene, 2.5f, base + ".dae", AnimationFormMatrices).ok);
        EXPECT_CONSUMER_ACCEPTS("dae", base + ".dae", cases[i].dae);
        ASSERT_TRUE(ExportFbxAscii(scene, base + ".fbx", AnimationFormMatrices, 1, 2.5f).ok);
        EXPECT_CONSUMER_ACCEPTS("fbx", base + ".fbx", cases[i].fbx);
        ASSERT_TRUE(ExportObjectiveC(scene, 2.5f, base + ".m", AnimationFormMatrices).ok);
        EXPECT_CONSUMER_ACCEPTS("objc", base + ".m", cases[i].objc);
    }
}

// Both bone forms (the same rows) and the static form on the rigged figure (7 bones, 5
// frames, one V row per material); names that hold CSV specials; a material only lines use;
// faces naming no material; the corpus model in the static form.
TEST(SwiftCsvConsumer, EveryFormAndOddNames)
{
    const std::filesystem::path folder = consumers::OutputFolder();
    const CCentigrade figure = consumers::RiggedFigure(5);
    CapturingMessageSink messages;
    for (const ExportAnimationForm form : {AnimationFormKeyFrames, AnimationFormMatrices, AnimationFormNone}) {
        const std::string file = (folder / ("figure" + std::to_string(form) + ".csv")).string();
        ASSERT_TRUE(ExportSwiftCsv(figure, 1.0f, file, form).ok);
        EXPECT_CONSUMER_ACCEPTS("csv", file,
                                form == AnimationFormNone
                                    ? "bones=7,vrows=2,corners=216,arows=0,frames=0,mrows=2,trows=1"
                                    : "bones=7,vrows=2,corners=216,arows=2,frames=5,mrows=2,trows=2");
    }
    EXPECT_TRUE(messages.messages.empty());  // every vertex of the figure has its bone

    const std::string odd = (folder / "odd.csv").string();
    ASSERT_TRUE(ExportSwiftCsv(exporttest::OddNamesScene(), 2.5f, odd, AnimationFormMatrices).ok);
    EXPECT_CONSUMER_ACCEPTS("csv", odd, "vrows=3,corners=27,mrows=3,trows=2");
    // A material that only lines use still has its V row, without corners.
    CCentigrade lines = exporttest::BoxScene();
    lines.m_materials.push_back(CMaterial(1));
    lines.m_models[0].m_faces[2].m_material = 1;
    const std::string bare = (folder / "lines.csv").string();
    ASSERT_TRUE(ExportSwiftCsv(lines, 1.0f, bare, AnimationFormNone).ok);
    EXPECT_CONSUMER_ACCEPTS("csv", bare, "vrows=2,corners=9,mrows=2,trows=1");
    // The figure with stray material numbers (StrayFigure.h) keeps all its 72 triangles: the
    // two faces naming no material are in the row of a default material after the list.
    const std::string strays = (folder / "strays.csv").string();
    ASSERT_TRUE(ExportSwiftCsv(consumers::StrayFigure(5), 1.0f, strays, AnimationFormMatrices).ok);
    EXPECT_CONSUMER_ACCEPTS("csv", strays, "vrows=3,corners=216,arows=2,mrows=3,trows=2");
    const std::string ninja = (folder / "ninja.csv").string();
    ASSERT_TRUE(ExportSwiftCsv(consumers::Ninja(), 1.0f, ninja, AnimationFormNone).ok);
    EXPECT_CONSUMER_ACCEPTS("csv", ninja, "corners=31554,mrows=8,trows=1");
}

// A scene without a model: FBX and CSV still write files their readers accept; COLLADA, whose
// document would break the schema, refuses it. Objective-C writes an empty file, which clang
// compiles; the checker then has no array to count and says only that.
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
    const std::string objc = (folder / "empty.m").string();
    ASSERT_TRUE(ExportObjectiveC(scene, 1.0f, objc, AnimationFormNone).ok);
    EXPECT_EQ(std::filesystem::file_size(objc), 0u);
    const consumers::CheckOutcome outcome = consumers::CheckExport("objc", objc);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("FAIL " + objc + ": no 'static float NAME[N] = {' array"), std::string::npos)
        << outcome.output;
}
