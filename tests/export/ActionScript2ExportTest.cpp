#include "export/ActionScript2Export.h"

#include "export/ActionScriptCommon.h"
#include "export/ExportScenes.h"
#include "export/TextWriter.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

using namespace exporttest;

// Colours and positions truncated toward zero after the sign change; a second model's faces
// count from its first vertex in the one vertex list; lines and faces naming a missing vertex
// are skipped.
TEST(ActionScript2Export, WritesTheStaticMeshOfEveryModel)
{
    CCentigrade scene;
    CModel a;
    a.m_vertices = {Vertex(1.26f, 2.5f, -3.99f), Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(0.5f, 0.25f, 0)};
    a.m_faces = {Face({0, 1, 2}, 0), Face({0, 1, 2, 3}, 1), Face({2, 3}, 0), Face({0, 1, 9}, 0)};
    CModel b;
    b.m_vertices = {Vertex(2, 0, 0), Vertex(0, 2, 0), Vertex(0, 0, 2)};
    b.m_faces = {Face({0, 1, 2}, 1)};
    scene.m_models = {a, b};
    scene.m_materials = {CMaterial(0), CMaterial(1)};
    scene.m_materials[0].m_color = {1.0f, 0.5f, 0.0f, 1.0f};

    StringSink sink;
    {
        TextWriter out(sink);
        WriteActionScript2(scene, out, "Robot", 10.0f);
    }
    EXPECT_EQ(sink.text, Crlf("import pellix3d.*;\n"
                              "\n"
                              "class models.Robot extends Model3D\n"
                              "{\n"
                              "\tpublic function Robot()\n"
                              "\t{\n"
                              "\t\tsuper();\n"
                              "\n"
                              "\t\t_material = new Array();\n"
                              "\t\taddM(255,127,0);\n"
                              "\t\taddM(204,204,204);\n"
                              "\n"
                              "\t\t_world = new Array();\n"
                              "\t\taddV(12, -25, 39);\n"
                              "\t\taddV(0, 0, 0);\n"
                              "\t\taddV(10, 0, 0);\n"
                              "\t\taddV(5, -2, 0);\n"
                              "\t\taddV(20, 0, 0);\n"
                              "\t\taddV(0, -20, 0);\n"
                              "\t\taddV(0, 0, -20);\n"
                              "\n"
                              "\t\t_face = new Array();\n"
                              "\t\taddF(new Array(0, 1, 2),0);\n"
                              "\t\taddF(new Array(0, 1, 2,3),1);\n"
                              "\t\taddF(new Array(4, 5, 6),1);\n"
                              "\n"
                              "\t\tinit();\n"
                              "\t}\n"
                              "}\n"));
}

// The class is named after the file where the file name is an identifier; otherwise the
// class gets a sanitised name and the user is told once to rename the file.
TEST(ActionScript2Export, ClassNameFromTheFileName)
{
    const struct {
        std::string file;
        std::string className;
    } cases[] = {
        {"Robot.as", "Robot"},          {"robot_2$.as", "robot_2$"}, {"my robot-2.as", "my_robot_2"},
        {"2robot.as", "_2robot"},       {"class.as", "class_"},      {"Model3D.as", "Model3D_"},
        {"\x83\x8D\x83\x7B.as", "__"},  {".as", "Model"},            {"a.b.as", "a_b"},
    };
    testsupport::TempDir folder;
    const CCentigrade scene = BoxScene();
    for (const auto& c : cases) {
        const std::string path = folder.File(c.file);
        EXPECT_EQ(ActionScriptClassName(path), c.className) << c.file;
        CapturingMessageSink messages;
        ASSERT_TRUE(ExportActionScript2(scene, 1.0f, path, AnimationFormNone).ok) << c.file;
        const std::string text = testsupport::ReadFile(cp932::ToUtf8(path));
        EXPECT_NE(text.find("class models." + c.className + " extends"), std::string::npos) << c.file;
        if (c.file == c.className + ".as") {
            EXPECT_TRUE(messages.messages.empty()) << c.file;
        } else {
            ASSERT_EQ(messages.messages.size(), 1u) << c.file;
            EXPECT_NE(messages.messages[0].find("「" + c.className + ".as」"), std::string::npos)
                << messages.messages[0];
        }
    }
}
