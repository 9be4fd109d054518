#include "export/ColladaExport.h"

#include "export/ColladaNames.h"
#include "export/InterchangeScenes.h"
#include "export/TextWriter.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

std::string Write(const CCentigrade& scene, float scale = 1.0f)
{
    return Written([&](TextWriter& out) {
        EXPECT_TRUE(WriteCollada(scene, out, scale, "robot", "2026-01-02T03:04:05"));
    });
}

const char* const kXyzAccessorEnd =
    "\t\t\t\t\t\t\t<param name=\"X\" type=\"float\"></param>\n"
    "\t\t\t\t\t\t\t<param name=\"Y\" type=\"float\"></param>\n"
    "\t\t\t\t\t\t\t<param name=\"Z\" type=\"float\"></param>\n"
    "\t\t\t\t\t\t</accessor>\n"
    "\t\t\t\t\t</technique_common>\n"
    "\t\t\t\t</source>\n";

}  // namespace

// The box at scale 2: positions scaled, normals turned to the written winding (0, 2, 1),
// the quad's two triangles with "0 0" for their missing UVs, every v written as 1 - v,
// the two-corner line left out. The textured material samples its image through magfilter.
TEST(ColladaExport, TexturedBoxAtScaleTwo)
{
    CCentigrade scene = BoxScene();
    CModel& box = scene.m_models[0];
    box.m_vertexNormals.resize(4);
    const CVector normals[] = {{0, 0, 1}, {0.6f, 0, 0.8f}, {0, -1, 0}, {0, 0, -1}};
    for (std::size_t v = 0; v < 4; ++v)
        static_cast<CVector&>(box.m_vertexNormals[v]) = normals[v];
    const std::string text = Write(scene, 2.0f);
    EXPECT_TRUE(text.starts_with(
        Crlf("<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n\t<asset>\n")));
    EXPECT_NE(text.find(Crlf("\t\t<created>2026-01-02T03:04:05</created>\n"
                             "\t\t<modified>2026-01-02T03:04:05</modified>\n")),
              std::string::npos);
    for (const char* part : {"\t\t\t<init_from>wood.png</init_from>\r\n",
                             "\t\t\t<minfilter>LINEAR_MIPMAP_LINEAR</minfilter>\r\n\t\t\t<magfilter>LINEAR</magfilter>\r\n",
                             "\t\t\t\t\t\t\t<texture texture=\"Sampler_mat1\" texcoord=\"UV_mat1\">\r\n"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    const std::string geometries = Crlf(
        std::string("\t<library_geometries>\n"
                    "\t\t<geometry id=\"Box-lib\" name=\"Box\">\n"
                    "\t\t\t<mesh>\n"
                    "\t\t\t\t<source id=\"Box-lib-positions\" name=\"position\">\n") +
        "\t\t\t\t\t<float_array id=\"Box-lib-positions-array\" count=\"12\">0.000000 0.000000 0.000000 2.000000 "
        "0.000000 0.000000 2.000000 2.000000 0.000000 0.000000 2.000000 -1.000000 </float_array>\n"
        "\t\t\t\t\t<technique_common>\n"
        "\t\t\t\t\t\t<accessor count=\"4\" offset=\"0\" source=\"#Box-lib-positions-array\" stride=\"3\">\n" +
        kXyzAccessorEnd +
        "\t\t\t\t<source id=\"Box-lib-normals\" name=\"normal\">\n"
        "\t\t\t\t\t<float_array id=\"Box-lib-normals-array\" count=\"12\">-0.000000 -0.000000 -1.000000 -0.600000 "
        "-0.000000 -0.800000 -0.000000 1.000000 -0.000000 -0.000000 -0.000000 1.000000 </float_array>\n"
        "\t\t\t\t\t<technique_common>\n"
        "\t\t\t\t\t\t<accessor count=\"4\" offset=\"0\" source=\"#Box-lib-normals-array\" stride=\"3\">\n" +
        kXyzAccessorEnd +
        "\t\t\t\t<source id=\"Box-lib-map1\" name=\"map1\">\n"
        "\t\t\t\t\t<float_array id=\"Box-lib-map1-array\" count=\"18\">0.000000 1.000000 1.000000 1.000000 "
        "1.000000 0.000000 0 0 0 0 0 0 0 0 0 0 0 0 </float_array>\n"
        "\t\t\t\t\t<technique_common>\n"
        "\t\t\t\t\t\t<accessor source=\"#Box-lib-map1-array\" count=\"9\" stride=\"2\">\n"
        "\t\t\t\t\t\t\t<param name=\"S\" type=\"float\"/>\n"
        "\t\t\t\t\t\t\t<param name=\"T\" type=\"float\"/>\n"
        "\t\t\t\t\t\t</accessor>\n"
        "\t\t\t\t\t</technique_common>\n"
        "\t\t\t\t</source>\n"
        "\t\t\t\t<vertices id=\"Box-lib-vertices\">\n"
        "\t\t\t\t\t<input semantic=\"POSITION\" source=\"#Box-lib-positions\"/>\n"
        "\t\t\t\t</vertices>\n"
        "\t\t\t\t<triangles count=\"3\" material=\"mat1SG\">\n"
        "\t\t\t\t\t<input semantic=\"VERTEX\" source=\"#Box-lib-vertices\" offset=\"0\"/>\n"
        "\t\t\t\t\t<input semantic=\"NORMAL\" source=\"#Box-lib-normals\" offset=\"1\"/>\n"
        "\t\t\t\t\t<input semantic=\"TEXCOORD\" source=\"#Box-lib-map1\" offset=\"2\"/>\n"
        "\t\t\t\t\t<p>0 0 0 2 2 2 1 1 1 0 0 3 2 2 5 1 1 4 0 0 6 3 3 8 2 2 7 </p>\n"
        "\t\t\t\t</triangles>\n"
        "\t\t\t</mesh>\n"
        "\t\t</geometry>\n"
        "\t</library_geometries>\n"
        "\t<library_visual_scenes>\n"
        "\t\t<visual_scene id=\"VisualSceneNode\" name=\"robot\">\n"
        "\t\t\t<node id=\"Box\" name=\"Box\">\n"
        "\t\t\t\t<instance_geometry url=\"#Box-lib\">\n"
        "\t\t\t\t\t<bind_material>\n"
        "\t\t\t\t\t\t<technique_common>\n"
        "\t\t\t\t\t\t\t<instance_material symbol=\"mat1SG\" target=\"#mat1\">\n"
        "\t\t\t\t\t\t\t\t<bind_vertex_input semantic=\"UV_mat1\" input_semantic=\"TEXCOORD\" input_set=\"0\"/>\n"
        "\t\t\t\t\t\t\t</instance_material>\n"
        "\t\t\t\t\t\t</technique_common>\n"
        "\t\t\t\t\t</bind_material>\n"
        "\t\t\t\t</instance_geometry>\n"
        "\t\t\t</node>\n"
        "\t\t</visual_scene>\n"
        "\t</library_visual_scenes>\n"
        "\t<scene>\n"
        "\t\t<instance_visual_scene url=\"#VisualSceneNode\"/>\n"
        "\t</scene>\n"
        "</COLLADA>\n");
    EXPECT_TRUE(text.ends_with(geometries)) << text;
}

// Models and materials sharing names with blanks, XML specials and Japanese text: unique
// NCName ids, escaped UTF-8 text; an untextured material has no surface or sampler; a model
// none of whose faces has a listed material binds none; a material only a line uses is
// not bound either.
TEST(ColladaExport, NamesBecomeUniqueIdsAndUntexturedMaterialsSampleNothing)
{
    CCentigrade scene = OddNamesScene();
    for (CFace& face : scene.m_models[2].m_faces)
        face.m_material = face.m_indices.size() == 2 ? 2 : 7;
    const std::string text = Write(scene);
    for (const char* part : {
             "<image id=\"Texture_my_box\" name=\"Map_my_box\">\r\n"
             "\t\t\t<init_from>木 目&amp;1,&quot;a&quot;.png</init_from>",
             "<material id=\"赤い_材質\" name=\"赤い_材質\">",
             "<material id=\"赤い_材質_2\" name=\"赤い_材質_2\">",
             "<effect id=\"赤い_材質-fx\">\r\n\t\t\t<profile_COMMON>\r\n\t\t\t\t<technique sid=\"common\">",
             "<color>1.000000 0.250000 0.000000 0.500000</color>",
             "<node id=\"my_box_2\" name=\"my_box_2\">\r\n\t\t\t\t<instance_geometry url=\"#my_box_2-lib\">",
             "<instance_material symbol=\"my_boxSG\" target=\"#my_box\">",
             "<node id=\"my_box_3\" name=\"my_box_3\">",
             "<instance_material symbol=\"赤い_材質SG\" target=\"#赤い_材質\">\r\n\t\t\t\t\t\t\t</instance_material>",
             "<node id=\"頭______\" name=\"頭______\">\r\n\t\t\t\t<instance_geometry url=\"#頭______-lib\">\r\n"
             "\t\t\t\t</instance_geometry>",
         })
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(text.find("Sampler_赤い"), std::string::npos);
    EXPECT_EQ(text.find("赤い_材質_2SG"), std::string::npos);

    EXPECT_EQ(ColladaNames::NcName("1st-part.a", "M"), "_1st-part.a");
    EXPECT_EQ(ColladaNames::NcName(cp932::FromUtf8("ーＡ々"), "M"), "_ー_々");  // no full-width Latin
    EXPECT_EQ(ColladaNames::NcName("", "Model"), "Model");
}

// Without a model the document would have no visual scene: refused, an old file kept.
TEST(ColladaExport, SceneWithoutModelIsRefused)
{
    testsupport::TempDir folder;
    const std::string path = folder.File("old.dae");
    testsupport::WriteBytes(path, {'o', 'l', 'd'});
    CCentigrade scene = BoxScene();
    scene.m_models.clear();
    const ExportResult result = ExportCollada(scene, 1.0f, path, AnimationFormNone);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(testsupport::ReadFile(path), "old");
}
