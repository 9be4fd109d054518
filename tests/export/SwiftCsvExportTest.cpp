#include "export/SwiftCsvExport.h"

#include "export/InterchangeScenes.h"
#include "export/TextWriter.h"

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

// The box with one root bone at the origin that moves by (1, 2, 3) in frame 1 of
// "Animation_0"; the last vertex has no bone; the triangle's corners have normals.
CCentigrade RiggedBox()
{
    CCentigrade scene = BoxScene();
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 2, 2)};
    scene.m_bones[0].m_animations[0][1].m_translate = CVector(1, 2, 3);
    CModel& box = scene.m_models[0];
    for (CVector& v : box.m_vertices)
        v.m_boneIndex = 0;
    box.m_vertices[3].m_boneIndex = -1;
    box.m_faces[0].m_cornerNormals.resize(3);
    for (CNormal& n : box.m_faces[0].m_cornerNormals)
        n.m_z = 1.0f;
    return scene;
}

std::string Write(const CCentigrade& scene, ExportAnimationForm form, bool expectAllBound)
{
    return Written([&](TextWriter& out) { EXPECT_EQ(WriteSwiftCsv(scene, out, 2.0f, form), expectAllBound); });
}

const char* const kRest = "1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,0.0000,-0.0000,-0.0000,-1.0000,-0.0000,"
                          "0.0000,0.0000,0.0000,1.0000";

}  // namespace

// The bone form at scale 2: corners (2, 1, 0) and (0, 3, 2) with negated normals and their
// bone (-1 for the unbound vertex, which the result reports); per animation the Z-mirrored
// matrices; one T row per animation map.
TEST(SwiftCsvExport, BoneFormAtScaleTwo)
{
    const std::string expected = Crlf(
        std::string("B,1\n"
                    "V,2.0000,2.0000,0.0000,-0.0000,-0.0000,-1.0000,1.0000,1.0000,0"
                    ",2.0000,0.0000,0.0000,-0.0000,-0.0000,-1.0000,1.0000,0.0000,0"
                    ",0.0000,0.0000,0.0000,-0.0000,-0.0000,-1.0000,0.0000,0.0000,0"
                    ",2.0000,2.0000,0.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0"
                    ",2.0000,0.0000,0.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0"
                    ",0.0000,0.0000,0.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0"
                    ",0.0000,0.0000,0.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0"
                    ",0.0000,2.0000,-1.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,-1"
                    ",2.0000,2.0000,0.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0\n"
                    "A,Animation_0,") +
        kRest +
        ",1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,0.0000,0.0000,0.0000,-1.0000,0.0000,"
        "2.0000,4.0000,-6.0000,1.0000\n"
        "A,Walk," +
        kRest + "," + kRest +
        "\n"
        "M,wood.png,0.800,0.800,0.800,1.000\n"
        "T,0\n"
        "T\n");
    EXPECT_EQ(Write(RiggedBox(), AnimationFormMatrices, false), expected);
    EXPECT_EQ(Write(RiggedBox(), AnimationFormKeyFrames, false), expected);
}

// The static form mirrors Z in the positions (the normal keeps nz), ends every corner with
// -1, writes no A rows and one T row listing every material.
TEST(SwiftCsvExport, StaticFormAtScaleTwo)
{
    CCentigrade scene = RiggedBox();
    scene.m_materials.push_back(CMaterial(1));
    const std::string expected = Crlf(
        "B,1\n"
        "V,2.0000,2.0000,-0.0000,-0.0000,-0.0000,1.0000,1.0000,1.0000,-1"
        ",2.0000,0.0000,-0.0000,-0.0000,-0.0000,1.0000,1.0000,0.0000,-1"
        ",0.0000,0.0000,-0.0000,-0.0000,-0.0000,1.0000,0.0000,0.0000,-1"
        ",2.0000,2.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0.0000,-1"
        ",2.0000,0.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0.0000,-1"
        ",0.0000,0.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0.0000,-1"
        ",0.0000,0.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0.0000,-1"
        ",0.0000,2.0000,1.0000,-0.0000,-0.0000,0.0000,0.0000,0.0000,-1"
        ",2.0000,2.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0.0000,-1\n"
        "M,wood.png,0.800,0.800,0.800,1.000\n"
        "M,,0.800,0.800,0.800,1.000\n"
        "T,0,1\n");
    EXPECT_EQ(Write(scene, AnimationFormNone, true), expected);
}

// Text fields cannot break the row grammar; map entries naming no material fall back to
// their own place, and places beyond the materials are left out.
TEST(SwiftCsvExport, NamesAndMaterialMapsStayInsideTheRowGrammar)
{
    CCentigrade scene = OddNamesScene();
    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 2, 1)};
    scene.m_materialMaps = {{2, 9, -1, 0}, {}};
    const std::string text = Write(scene, AnimationFormMatrices, false);
    EXPECT_NE(text.find("\r\nA,歩く_ _速く__fast,"), std::string::npos);
    EXPECT_NE(text.find("\r\nM,木 目&1__a_.png,0.800,"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\nT,2,1,2\r\nT\r\n")) << text;
    EXPECT_EQ(CsvMaterialNumbers({5, 0}, 0), std::vector<std::int32_t>{});
}

// Faces find their material by its id, as every exporter does; a material that only lines
// use gets a V row without corners; a face naming no material goes in the row of a default
// material after the list, which has its M row and its place in every T row.
TEST(SwiftCsvExport, FacesFindTheirMaterialById)
{
    CCentigrade scene = BoxScene();
    scene.m_materials.push_back(CMaterial(1));
    scene.m_materials[0].m_id = 5;
    scene.m_materials[1].m_id = 6;
    std::vector<CFace>& faces = scene.m_models[0].m_faces;
    faces[0].m_material = faces[1].m_material = 5;
    faces[2].m_material = 6;
    faces.push_back(Face({0, 1, 3}, 0));
    const std::string text = Write(scene, AnimationFormNone, true);
    EXPECT_TRUE(text.starts_with("B,0\r\nV,2.0000,2.0000,-0.0000,")) << text;
    EXPECT_TRUE(text.ends_with(",-1\r\nV\r\n"
                               "V,0.0000,2.0000,1.0000,-0.0000,-0.0000,0.0000,0.0000,0.0000,-1"
                               ",2.0000,0.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0.0000,-1"
                               ",0.0000,0.0000,-0.0000,-0.0000,-0.0000,0.0000,0.0000,0.0000,-1\r\n"
                               "M,wood.png,0.800,0.800,0.800,1.000\r\nM,,0.800,0.800,0.800,1.000\r\n"
                               "M,,0.800,0.800,0.800,1.000\r\nT,0,1,2\r\n"))
        << text;
    EXPECT_TRUE(Write(scene, AnimationFormMatrices, false).ends_with("\r\nT,0,1,2\r\nT,0,1,2\r\n"));
}
