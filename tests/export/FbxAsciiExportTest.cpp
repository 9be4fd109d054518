#include "export/FbxAsciiExport.h"

#include "export/ExportScenes.h"
#include "export/MaterialLookup.h"
#include "export/TextWriter.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

// The box twice; the second one's faces use the untextured material 1. The box's triangle
// has corner normals of different lengths.
CCentigrade TwoBoxes()
{
    CCentigrade scene = BoxScene();
    CFace& triangle = scene.m_models[0].m_faces[0];
    triangle.m_cornerNormals.resize(3);
    const CVector normals[] = {{0, 0, 2}, {3, 0, 4}, {0, -1, 0}};
    for (std::size_t c = 0; c < 3; ++c)
        static_cast<CVector&>(triangle.m_cornerNormals[c]) = normals[c];
    CModel twin = scene.m_models[0];
    for (CFace& face : twin.m_faces)
        face.m_material = 1;
    scene.m_models.push_back(twin);
    scene.m_materials.push_back(CMaterial(1));
    return scene;
}

}  // namespace

// The second model's geometry at scale 2: its own ids, corners last first with the first
// one complemented, normals normalised and negated, every v as 1 - v (0 0 for a missing
// pair), the two-corner line left out, an untextured material's texture -1.
TEST(FbxAsciiExport, GeometryOfTheSecondModel)
{
    const CCentigrade scene = TwoBoxes();
    const MaterialLookup lookup(scene.m_materials);
    const std::string expected = Crlf(
        "\tGeometry: 200000001, \"Geometry::\", \"Mesh\" {\n"
        "\t\tVertices: *12 {\n"
        "a: 0.000000,0.000000,0.000000,2.000000,0.000000,0.000000,2.000000,2.000000,0.000000,0.000000,2.000000,"
        "-1.000000,\n"
        "}\n"
        "\t\tPolygonVertexIndex: *7 {\n"
        "a: 2,1,-1,3,2,1,-1,\n"
        "} \n"
        "\t\tGeometryVersion: 124\n"
        "\t\tLayerElementNormal: 0 {\n"
        "\t\t\tVersion: 101\n"
        "\t\t\tName: \"\"\n"
        "\t\t\tMappingInformationType: \"ByPolygonVertex\"\n"
        "\t\t\tReferenceInformationType: \"Direct\"\n"
        "\t\t\tNormals: *21 {\n"
        "a: -0.000000,1.000000,-0.000000,-0.600000,-0.000000,-0.800000,-0.000000,-0.000000,-1.000000,"
        "-0.000000,-0.000000,-1.000000,-0.000000,-0.000000,-1.000000,-0.000000,-0.000000,-1.000000,"
        "-0.000000,-0.000000,-1.000000,\n"
        "}\n"
        "\t\t}\n"
        "\t\tLayerElementUV: 0 {\n"
        "\t\t\tVersion: 101\n"
        "\t\t\tName: \"UV Texture\"\n"
        "\t\t\tMappingInformationType: \"ByPolygonVertex\"\n"
        "\t\t\tReferenceInformationType: \"IndexToDirect\"\n"
        "\t\t\tUV: *14 {\n"
        "a: 1.000000,0.000000,1.000000,1.000000,0.000000,1.000000,0.000000,1.000000,0.000000,1.000000,0.000000,"
        "1.000000,0.000000,1.000000,\n"
        "}\n"
        "\t\t\tUVIndex: *7 {\n"
        "a: 0,1,2,3,4,5,6,\n"
        "}\n"
        "\t\t}\n"
        "\t\tLayerElementMaterial: 0 {\n"
        "\t\t\tVersion: 101\n"
        "\t\t\tName: \"\"\n"
        "\t\t\tMappingInformationType: \"ByPolygon\"\n"
        "\t\t\tReferenceInformationType: \"IndexToDirect\"\n"
        "\t\t\tMaterials: *2 {\n"
        "a: 1,1,\n"
        "}\n"
        "\t\t}\n"
        "\t\tLayerElementTexture: 0 {\n"
        "\t\t\tVersion: 101\n"
        "\t\t\tName: \"\"\n"
        "\t\t\tMappingInformationType: \"ByPolygon\"\n"
        "\t\t\tReferenceInformationType: \"IndexToDirect\"\n"
        "\t\t\tBlendMode: \"Translucent\"\n"
        "\t\t\tTextureAlpha: 1\n"
        "\t\t\tTextureId: *2 {\n"
        "a: -1,-1,\n"
        "}\n"
        "\t\t}\n");
    const std::string text = Written([&](TextWriter& out) { WriteFbxGeometry(scene, 1, lookup, out, true, 2.0f); });
    EXPECT_TRUE(text.starts_with(expected)) << text;
    // The layer names all four elements.
    EXPECT_TRUE(text.ends_with(Crlf("\t\t\t\tType: \"LayerElementUV\"\n\t\t\t\tTypedIndex: 0\n\t\t\t}\n\t\t}\n\t}\n")));
}

// Every model's objects have ids of their own; what all models share (the layer's stack,
// each texture's material) is connected once, with the first model.
TEST(FbxAsciiExport, ConnectionsOfTwoModels)
{
    const CCentigrade scene = TwoBoxes();
    const std::string second = Crlf(
        "\tC: \"OO\",210000001,0\n"
        "\tC: \"OO\",240000001,220000000\n"
        "\tC: \"OO\",250000001,220000000\n"
        "\tC: \"OO\",260000001,220000000\n"
        "\tC: \"OP\",270000001,240000001, \"d|X\"\n"
        "\tC: \"OP\",271000001,240000001, \"d|Y\"\n"
        "\tC: \"OP\",272000001,240000001, \"d|Z\"\n"
        "\tC: \"OP\",273000001,250000001, \"d|X\"\n"
        "\tC: \"OP\",274000001,250000001, \"d|Y\"\n"
        "\tC: \"OP\",275000001,250000001, \"d|Z\"\n"
        "\tC: \"OP\",276000001,260000001, \"d|X\"\n"
        "\tC: \"OP\",277000001,260000001, \"d|Y\"\n"
        "\tC: \"OP\",278000001,260000001, \"d|Z\"\n"
        "\tC: \"OO\",200000001,210000001\n"
        "\tC: \"OO\",280000000,210000001\n"
        "\tC: \"OO\",280000001,210000001\n"
        "\tC: \"OP\",290000000,210000001, \"DiffuseColor\"\n"
        "\tC: \"OP\",240000001,210000001, \"Lcl Translation\"\n"
        "\tC: \"OP\",250000001,210000001, \"Lcl Rotation\"\n"
        "\tC: \"OP\",260000001,210000001, \"Lcl Scaling\"\n");
    EXPECT_EQ(Written([&](TextWriter& out) { WriteFbxConnections(scene, 1, out); }), second);
    const std::string first = Written([&](TextWriter& out) { WriteFbxConnections(scene, 0, out); });
    EXPECT_TRUE(first.starts_with(Crlf("\tC: \"OO\",210000000,0\n"
                                       "\tC: \"OO\",220000000,230000000\n"
                                       "\tC: \"OO\",240000000,220000000\n"
                                       "\tC: \"OO\",250000000,220000000\n"
                                       "\tC: \"OO\",260000000,220000000\n"
                                       "\tC: \"OP\",290000000,280000000, \"DiffuseColor\"\n")))
        << first;
}

// Without a textured material: no texture definition, object, layer or connection, and
// Count 14n + M + 5. Names and the document path reach the file as UTF-8 quoted strings.
TEST(FbxAsciiExport, UntexturedSceneWithJapaneseNames)
{
    CCentigrade scene = TwoBoxes();
    scene.m_materials[0].m_texture.clear();
    scene.m_models[1].m_name = cp932::FromUtf8("体\"2\"");
    scene.m_materials[1].m_name = cp932::FromUtf8("赤");
    const std::string text = Written(
        [&](TextWriter& out) { WriteFbxAscii(scene, out, cp932::FromUtf8("C:\\モデル\\a.fbx"), 1.0f); });
    for (const char* part : {"Definitions:  {\r\n\tVersion: 100\r\n\tCount: 35\r\n",
                             "\t\t\tP: \"DocumentUrl\", \"KString\", \"Url\", \"\", \"C:\\モデル\\a.fbx\"\r\n",
                             "\tModel: 210000001, \"Model::体'2'\", \"Mesh\" {\r\n",
                             "\tMaterial: 280000001, \"Material::赤\", \"\" {\r\n",
                             "\t\tLocalTime: 46000000000\r\n\t\tReferenceTime: 0,46000000000\r\n\t}\r\n}\r\n"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    for (const char* absent : {"Texture", "LayerElementUV", "DiffuseColor\"\r\n"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
}
