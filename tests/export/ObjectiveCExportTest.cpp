#include "export/ObjectiveCExport.h"

#include "export/ExportScenes.h"
#include "export/TextWriter.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace exporttest;

// Two models at scale 2: all position arrays, then all UV arrays, the first model's named as
// they always were and the second's numbered. Triangles go (0, 2, 1), quads (0, 2, 1) and
// (0, 3, 2); missing UVs are 0, 0; UVs are not flipped; the line is left out.
TEST(ObjectiveCExport, TwoModelsAtScaleTwo)
{
    CCentigrade scene = BoxScene();
    CModel second;
    second.m_vertices = {Vertex(1, 2, 3), Vertex(-1, 0, 0), Vertex(0, 0.5f, 0)};
    second.m_faces = {Face({0, 1, 2}, 0, {{0.25f, 0.5f}, {0.75f, 1}}), Face({0, 1}, 0)};
    scene.m_models.push_back(second);
    const std::string expected = Crlf(
        "static float vertices[27] = {\n"
        "0.000000, 0.000000, 0.000000,2.000000, 2.000000, 0.000000,2.000000, 0.000000, 0.000000,"
        "0.000000, 0.000000, 0.000000,2.000000, 2.000000, 0.000000,2.000000, 0.000000, 0.000000,"
        "0.000000, 0.000000, 0.000000,0.000000, 2.000000, -1.000000,2.000000, 2.000000, 0.000000,\n"
        "};\n"
        "static float vertices_1[9] = {\n"
        "2.000000, 4.000000, 6.000000,0.000000, 1.000000, 0.000000,-2.000000, 0.000000, 0.000000,\n"
        "};\n"
        "static float uvs[18] = {\n"
        "0.000000, 0.000000,1.000000, 1.000000,1.000000, 0.000000,"
        "0.000000, 0.000000,0.000000, 0.000000,0.000000, 0.000000,0.000000, 0.000000,0.000000, 0.000000,"
        "0.000000, 0.000000,\n"
        "};\n"
        "static float uvs_1[6] = {\n"
        "0.250000, 0.500000,0.000000, 0.000000,0.750000, 1.000000,\n"
        "};\n");
    EXPECT_EQ(Written([&](TextWriter& out) { WriteObjectiveC(scene, out, 2.0f); }), expected);
}

// Without a model there is no array to declare: the file is written, empty.
TEST(ObjectiveCExport, SceneWithoutModelGivesAnEmptyFile)
{
    testsupport::TempDir folder;
    CCentigrade scene = BoxScene();
    scene.m_models.clear();
    const ExportResult result = ExportObjectiveC(scene, 1.0f, folder.File("empty.m"), AnimationFormNone);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(std::filesystem::exists(result.path));
    EXPECT_EQ(testsupport::ReadFile(result.path), "");
}
