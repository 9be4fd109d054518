#include "export/WebExport.h"

#include "export/CornerList.h"
#include "export/ExportScenes.h"
#include "export/MaterialLookup.h"
#include "export/TextWriter.h"
#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <regex>

using namespace exporttest;

namespace {

// Every corner's normal (0, 0, 1).
void FacingZ(CModel& model)
{
    CNormal up;
    up.m_z = 1.0f;
    for (CFace& face : model.m_faces)
        face.m_cornerNormals.assign(face.m_indices.size(), up);
}

// A quad and a triangle sharing an edge (the same UV at vertex 1, another at vertex 2), a
// two-corner line; vertex 4 has no bone. A plain material, a textured one with a toon
// texture, one without. Two bones; "Walk" of two frames: the rest pose, then bone 0 moved
// by (1, 2, 3) and bone 1 stretched along Y about its head (0, 1, 0).
CCentigrade TileScene()
{
    CCentigrade scene;
    CModel tile;
    tile.m_vertices = {Vertex(0, 0, 0, 0), Vertex(1, 0, 0, 0), Vertex(1, 1, 0, 1, 0.5f), Vertex(0, 1, 0, 1, 0.5f),
                       Vertex(2, 0, 0.5f)};
    tile.m_faces = {Face({0, 1, 2, 3}, 1, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}),
                    Face({1, 4, 2}, 1, {{1, 0}, {0.25f, 0}, {0.5f, 1}}), Face({4, 1}, 0)};
    FacingZ(tile);
    scene.m_models = {tile};

    CMaterial plain(0);
    plain.m_color = {0.1f, 0.2f, 0.3f, 0.4f};
    plain.m_diffuse = 0.5f;
    plain.m_ambient = 0.6f;
    plain.m_emissive = 0.7f;
    plain.m_specular = 0.125f;
    plain.m_power = 12.5f;
    plain.m_toonColor = {0.9f, 0.75f, 0.5f};
    CMaterial wood(1);
    wood.m_texture = "C:\\tex\\wood.png";
    wood.m_toonTexture = "toon\\t.bmp";
    CMaterial skin(2);
    skin.m_texture = "skin.png";
    scene.m_materials = {plain, wood, skin};

    scene.m_bones = {Bone(0, -1, CVector(0, 0, 0), 1, 2), Bone(1, 0, CVector(0, 1, 0), 1, 2)};
    scene.m_bones[0].m_animations[0][1].m_translate = CVector(1, 2, 3);
    scene.m_bones[1].m_animations[0][1].m_scale = CVector(1, 2, 1);
    scene.m_animationNames = {"Walk"};
    scene.m_materialMaps = {{0, 2, 1}};
    return scene;
}

// At scale 2: the quad gives records 0 to 3 (its corners 0 and 2 shared by its two
// triangles), the triangle reuses record 1 and adds 4 and 5.
const char* const kBoneCorners =
    "\tthis.setB(0.0000,0.0000,0.0000,0.0000,0.0000,1.0000,1,0.0000,0.0000,0,-1,1.0000);\n"
    "\tthis.setB(2.0000,0.0000,0.0000,0.0000,0.0000,1.0000,1,1.0000,0.0000,0,-1,1.0000);\n"
    "\tthis.setB(2.0000,2.0000,0.0000,0.0000,0.0000,1.0000,1,1.0000,1.0000,1,0,0.5000);\n"
    "\tthis.setB(0.0000,2.0000,0.0000,0.0000,0.0000,1.0000,1,0.0000,1.0000,1,0,0.5000);\n"
    "\tthis.setB(4.0000,0.0000,1.0000,0.0000,0.0000,1.0000,1,0.2500,0.0000,-1,-1,1.0000);\n"
    "\tthis.setB(2.0000,2.0000,0.0000,0.0000,0.0000,1.0000,1,0.5000,1.0000,1,0,0.5000);\n"
    "\n"
    "\tthis.setBI(0,1,2);\n"
    "\tthis.setBI(2,3,0);\n"
    "\tthis.setBI(1,4,5);\n";

// The rows of "Walk" after the given indent.
const char* const kWalkMatrices[] = {
    "this.setMatrix([1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,"
    "0.0000,0.0000,0.0000,1.0000]);\n",
    "this.setMatrix([1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,"
    "0.0000,0.0000,0.0000,1.0000]);\n",
    "this.setMatrix2();\n",
    "this.setMatrix([1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,"
    "2.0000,4.0000,6.0000,1.0000]);\n",
    "this.setMatrix([1.0000,0.0000,0.0000,0.0000,0.0000,2.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,"
    "2.0000,2.0000,6.0000,1.0000]);\n",
    "this.setMatrix2();\n",
};

std::string Matrices(const std::string& indent)
{
    std::string text;
    for (const char* row : kWalkMatrices)
        text += indent + row;
    return text;
}

std::string Write(const CCentigrade& scene, JsStyle style, ExportAnimationForm form, bool expectAllBound)
{
    return Written([&](TextWriter& out) {
        EXPECT_EQ(WriteJsModel(scene, out, style, form, 2.0f, "Tile"), expectAllBound);
    });
}

}  // namespace

TEST(WebExport, PrototypeStyleBoneFormWarnsOnceAfterTheFile)
{
    testsupport::TempDir folder;
    CapturingMessageSink messages;
    const CCentigrade scene = TileScene();
    const ExportResult result = ExportWebGL(scene, 2.0f, folder.File("Tile.js"), AnimationFormMatrices);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(result.unassignedVertices);
    EXPECT_EQ(messages.messages, std::vector<std::string>{std::string(kUnassignedVerticesWarning)});
    const std::string expected = Crlf(
        std::string("var Tile = function()\n"
                    "{\n"
                    "\tthis.init();\n"
                    "\n"
                    "\tthis.setMaterial(0.100,0.200,0.300,0.400,0.500,0.600,0.700,0.125,12.50,null,0.900,0.750,0.500);\n"
                    "\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00,initTexture(\"wood.png\"),"
                    "0.800,0.800,0.800,initTexture(\"t.bmp\"));\n"
                    "\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00,initTexture(\"skin.png\"),"
                    "0.800,0.800,0.800);\n"
                    "\n") +
        kBoneCorners + "\n" + Matrices("\t") +
        "\tthis.setMatrix3([0,2,1]);\n"
        "\n"
        "\tthis.initBuffers();\n"
        "};\n"
        "Tile.prototype = new BoneModel3D();\n");
    EXPECT_EQ(testsupport::ReadFile(result.path), expected);
    EXPECT_EQ(Write(scene, JsStyle::Prototype, AnimationFormKeyFrames, false), expected);
}

TEST(WebExport, ClassStyleStaticForm)
{
    const std::string expected =
        Crlf("class Tile extends Model3D {\n"
             "  constructor() {\n"
             "    super();\n"
             "\n"
             "    this.setMaterial(0.100,0.200,0.300,0.400,0.500,0.600,0.700,0.125,12.50);\n"
             "    this.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00,\"wood.png\");\n"
             "    this.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00,\"skin.png\");\n"
             "\n"
             "\tthis.setV(0.0000,0.0000,0.0000,0.0000,0.0000,1.0000,1,0.0000,0.0000);\n"
             "\tthis.setV(2.0000,0.0000,0.0000,0.0000,0.0000,1.0000,1,1.0000,0.0000);\n"
             "\tthis.setV(2.0000,2.0000,0.0000,0.0000,0.0000,1.0000,1,1.0000,1.0000);\n"
             "\tthis.setV(0.0000,2.0000,0.0000,0.0000,0.0000,1.0000,1,0.0000,1.0000);\n"
             "\tthis.setV(4.0000,0.0000,1.0000,0.0000,0.0000,1.0000,1,0.2500,0.0000);\n"
             "\tthis.setV(2.0000,2.0000,0.0000,0.0000,0.0000,1.0000,1,0.5000,1.0000);\n"
             "\n"
             "\tthis.setI(0,1,2);\n"
             "\tthis.setI(2,3,0);\n"
             "\tthis.setI(1,4,5);\n"
             "\n"
             "    this.initBuffers();\n"
             "  }\n"
             "}\n");
    EXPECT_EQ(Write(TileScene(), JsStyle::Class, AnimationFormNone, true), expected);
}

// Without materials every face names none: the corners use a default material, which the
// animation's (empty) map gets as its entry.
TEST(WebExport, ClassStyleBoneFormWithoutMaterials)
{
    CCentigrade scene = TileScene();
    scene.m_materials.clear();
    scene.m_materialMaps = {{}};
    const std::string corners = std::regex_replace(kBoneCorners, std::regex(R"((setB\((?:[^,]*,){6})1,)"), "$010,");
    const std::string expected = Crlf("class Tile extends BoneModel3D {\n"
                                      "  constructor() {\n"
                                      "    super();\n"
                                      "\n"
                                      "    this.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00);\n"
                                      "\n" +
                                      corners + "\n" + Matrices("    ") +
                                      "    this.setMatrix3([0]);\n"
                                      "\n"
                                      "    this.initBuffers();\n"
                                      "  }\n"
                                      "}\n");
    EXPECT_EQ(Write(scene, JsStyle::Class, AnimationFormMatrices, false), expected);
}

// Numbers no list names: faces without a material or past the list take a default material
// after the list, which the animation's map also lists; a vertex bound to a bone past the
// list is written as one without a bone (bone -1, parent -1) and warns.
TEST(WebExport, StrayMaterialAndBoneNumbers)
{
    CCentigrade scene = TileScene();
    scene.m_models[0].m_faces[0].m_material = 7;
    scene.m_models[0].m_faces[1].m_material = -1;
    scene.m_models[0].m_vertices[0].m_boneIndex = 2;
    const std::string text = Write(scene, JsStyle::Prototype, AnimationFormMatrices, false);
    EXPECT_NE(text.find("initTexture(\"skin.png\"),0.800,0.800,0.800);\r\n"
                        "\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00,null,0.800,0.800,0.800);"
                        "\r\n\r\n\tthis.setB(0.0000,0.0000,0.0000,0.0000,0.0000,1.0000,3,0.0000,0.0000,-1,-1,1.0000);\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\tthis.setB(4.0000,0.0000,1.0000,0.0000,0.0000,1.0000,3,0.2500,0.0000,-1,-1,1.0000);\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\tthis.setMatrix3([0,2,1,3]);\r\n"), std::string::npos);
}

// A later model prints only the records it adds; its triples still count over the whole
// list. Its face naming a vertex it lacks gives nothing.
TEST(WebExport, LaterModelsPrintOnlyTheirNewRecords)
{
    const CCentigrade scene = TileScene();
    CModel second;
    second.m_vertices = {Vertex(0, 0, 0), Vertex(3, 3, 3), Vertex(1, 0, 0)};
    second.m_faces = {Face({0, 1, 2}, 1, {{0, 0}, {0, 0}, {1, 0}}), Face({0, 1, 7}, 1)};
    FacingZ(second);
    JsCorners corners;
    const MaterialLookup materials(scene.m_materials);
    Written([&](TextWriter& out) { WriteJsCorners(scene.m_models[0], 1.0f, out, materials, corners); });
    EXPECT_EQ(Written([&](TextWriter& out) { WriteJsCorners(second, 1.0f, out, materials, corners); }),
              Crlf("\tthis.setV(3.0000,3.0000,3.0000,0.0000,0.0000,1.0000,1,0.0000,0.0000);\n\n\tthis.setI(0,6,1);\n"));
}

// On random meshes (two models over few distinct positions, so that corners of different
// vertices and models meet; quads and triangles, lines, faces naming a missing vertex, a
// vertex with a NaN, materials and bones past the lists) the corner rows are those of a
// first-appearance search over every corner, as the format defines them.
TEST(WebExport, CornerRowsMatchAFirstAppearanceSearch)
{
    std::mt19937 random(11);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    CCentigrade scene = TileScene();
    scene.m_models.clear();
    for (int m = 0; m < 2; ++m) {
        CModel model;
        for (int v = 0; v < 40; ++v)
            model.m_vertices.push_back(Vertex(static_cast<float>(pick(3)), static_cast<float>(pick(3)), 0, pick(4) - 1,
                                              pick(2) ? 1.0f : 0.5f));
        model.m_vertices[7].m_y = std::nanf("");
        for (int f = 0; f < 300; ++f) {
            CFace face = Face({pick(40), pick(40), pick(40)}, pick(5) - 1);
            if (pick(3) == 0)
                face.m_indices.push_back(pick(40));
            if (pick(20) == 0)
                face.m_indices.resize(2);
            if (pick(50) == 0)
                face.m_indices[0] = 99;
            for (std::size_t c = 0; c < face.m_indices.size() && pick(4) != 0; ++c)
                face.m_uvs.push_back(CUV{static_cast<float>(pick(2)), 0.5f});
            model.m_faces.push_back(face);
        }
        FacingZ(model);
        for (CFace& face : model.m_faces)
            for (CNormal& n : face.m_cornerNormals)
                n.m_x = static_cast<float>(pick(2));
        scene.m_models.push_back(model);
    }

    std::vector<CornerRecord> records;
    std::string expected;
    const MaterialLookup materials(scene.m_materials);
    for (const CModel& model : scene.m_models) {
        std::vector<std::size_t> indices;
        for (const CFace& face : model.m_faces) {
            if ((face.m_indices.size() != 3 && face.m_indices.size() != 4) ||
                std::any_of(face.m_indices.begin(), face.m_indices.end(), [](std::int32_t i) { return i >= 40; }))
                continue;
            static constexpr std::size_t kCorners[] = {0, 1, 2, 2, 3, 0};
            for (std::size_t k = 0; k < (face.m_indices.size() == 3 ? 3u : 6u); ++k) {
                const std::size_t c = kCorners[k];
                const CVector& v = model.m_vertices[static_cast<std::size_t>(face.m_indices[c])];
                CornerRecord r;
                r.m_position = CVector(2 * v.m_x, 2 * v.m_y, 2 * v.m_z);
                r.m_normal = face.m_cornerNormals[c];
                r.m_material = materials.Slot(face.m_material);
                r.m_uv = c < face.m_uvs.size() ? face.m_uvs[c] : CUV();
                const bool bound = v.m_boneIndex >= 0 && v.m_boneIndex < 2;
                r.m_bone = bound ? v.m_boneIndex : -1;
                r.m_parentBone = bound ? scene.m_bones[static_cast<std::size_t>(v.m_boneIndex)].m_parent : -1;
                r.m_weight = v.m_weight;
                const auto found = std::find(records.begin(), records.end(), r);
                indices.push_back(static_cast<std::size_t>(found - records.begin()));
                if (found != records.end())
                    continue;
                records.push_back(r);
                expected += Written([&](TextWriter& out) {
                    out.Print("\tthis.setB(%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%d,%.4f,%.4f,%d,%d,%.4f);\n", r.m_position.m_x,
                              r.m_position.m_y, r.m_position.m_z, r.m_normal.m_x, r.m_normal.m_y, r.m_normal.m_z,
                              r.m_material, r.m_uv.m_u, r.m_uv.m_v, r.m_bone, r.m_parentBone, r.m_weight);
                });
            }
        }
        expected += "\r\n";
        for (std::size_t i = 0; i < indices.size(); i += 3)
            expected += "\tthis.setBI(" + std::to_string(indices[i]) + "," + std::to_string(indices[i + 1]) + "," +
                        std::to_string(indices[i + 2]) + ");\r\n";
    }
    const std::string text = Write(scene, JsStyle::Prototype, AnimationFormMatrices, false);
    const std::size_t begin = text.find("\tthis.setB(");
    ASSERT_NE(begin, std::string::npos);
    EXPECT_EQ(text.substr(begin, expected.size()), expected);
    EXPECT_EQ(text.substr(begin + expected.size(), 2), "\r\n");  // then the matrices
}

// The hash table and the per-vertex shortcut agree with a first-appearance search over many
// repeated corners, also when the table grows past the size a model asked for; 0 and -0 are
// one corner, a NaN is never the same corner.
TEST(WebExport, CornerListFindsTheFirstEqualRecord)
{
    std::mt19937 random(7);
    std::map<std::tuple<float, float, std::int32_t, float>, std::int32_t> firstSeen;
    std::vector<CornerRecord> sources;  // the list names a record by its place here
    const auto add = [&](CornerList& corners, const CornerRecord& r, std::size_t vertex) {
        sources.push_back(r);
        return corners.Add(r, sources.size() - 1, vertex, [&](CornerList::Source s) { return sources[s] == r; });
    };
    CornerList corners;
    corners.BeginModel(16, 16);
    std::vector<std::int32_t> expected;
    for (int i = 0; i < 100000; ++i) {
        CornerRecord r;
        r.m_position = CVector(static_cast<float>(random() % 40), static_cast<float>(random() % 40), 0);
        r.m_bone = static_cast<std::int32_t>(random() % 3);
        r.m_weight = (random() % 2) ? 1.0f : 0.5f;
        const auto key = std::tuple(r.m_position.m_x, r.m_position.m_y, r.m_bone, r.m_weight);
        const auto [first, added] = firstSeen.emplace(key, static_cast<std::int32_t>(firstSeen.size()));
        expected.push_back(first->second);
        EXPECT_EQ(add(corners, r, random() % 16).added, added);
    }
    EXPECT_EQ(corners.Indices(), expected);
    EXPECT_EQ(corners.Size(), firstSeen.size());

    corners.Clear();
    sources.clear();
    corners.BeginModel(1, 5);
    CornerRecord zero;
    CornerRecord negativeZero;
    negativeZero.m_normal.m_z = -0.0f;
    negativeZero.m_uv.m_u = -0.0f;
    CornerRecord nan;
    nan.m_weight = std::nanf("");
    for (const CornerRecord& r : {zero, negativeZero, nan, nan, zero})
        add(corners, r, 0);
    EXPECT_EQ(corners.Indices(), (std::vector<std::int32_t>{0, 0, 1, 2, 0}));
}
