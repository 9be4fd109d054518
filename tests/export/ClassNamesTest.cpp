// The class names the code exports take from the output file's name: a name that is no
// valid identifier in the language would give a source that does not compile.
#include "export/ActionScript2Export.h"
#include "export/ActionScriptCommon.h"
#include "export/ExportScenes.h"
#include "export/JavaLikeExport.h"
#include "export/JsClassName.h"
#include "export/KotlinExport.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

TEST(ClassNames, EveryLanguageGetsAValidIdentifier)
{
    // A file's base name (UTF-8), and the class ActionScript, Java, Kotlin and JavaScript make of
    // it. Kotlin takes no '$' and reserves names of underscores only; Java reserves "_";
    // JavaScript keeps letters outside ASCII, the others count a double-byte character as one.
    struct Row {
        const char *base, *as, *java, *kotlin, *js;
    };
    const Row rows[] = {
        {"Robot", "Robot", "Robot", "Robot", "Robot"},
        {"robot_2$", "robot_2$", "robot_2$", "robot_2_", "robot_2$"},
        {"my robot-2", "my_robot_2", "my_robot_2", "my_robot_2", "my_robot_2"},
        {"3d-robot", "_3d_robot", "_3d_robot", "_3d_robot", "_3d_robot"},
        {"a.b", "a_b", "a_b", "a_b", "a_b"},
        {"class", "class_", "class_", "class_", "class_"},
        {"fun", "fun", "fun", "fun_", "fun"},
        {"undefined", "undefined", "undefined", "undefined", "undefined_"},
        {"Model3D", "Model3D_", "Model3D_", "Model3D_", "Model3D_"},
        {"ロボ", "__", "__", "Model__", "ロボ"},
        {"ｶﾞﾝﾀﾞﾑ２号", "________", "________", "Model________", "ｶﾞﾝﾀﾞﾑ２号"},
        {"２号", "__", "__", "Model__", "_２号"},
        {"星★", "__", "__", "Model__", "星_"},
        {" ", "_", "__", "Model_", "_"},
        {"_", "_", "__", "Model_", "_"},
        {"", "Model", "Model", "Model", "Model"},
    };
    for (const Row& row : rows) {
        const std::string base = cp932::FromUtf8(row.base);
        EXPECT_EQ(ActionScriptClassName("out/" + base + ".as"), row.as) << row.base;
        EXPECT_EQ(JavaClassName(base), row.java) << row.base;
        EXPECT_EQ(KotlinClassName(base), row.kotlin) << row.base;
        EXPECT_EQ(JsClassName("out/" + base + ".js"), row.js) << row.base;
    }
}

// javac and the ActionScript compilers want the file named as its class: a name that had to
// change is reported once, after the file is written (and after its other messages), with
// the file name to give. Kotlin ties no file to its class and says nothing.
TEST(ClassNames, ARenamedClassIsReportedWhereTheFileMustBeRenamed)
{
    const struct {
        ExportResult (*write)(const CCentigrade&, float, const std::string&, ExportAnimationForm);
        const char *file, *declaration;
        ExportAnimationForm form;
        std::vector<std::string_view> messages;  // what each message holds
    } cases[] = {
        {ExportActionScript2, "Robot.as", "class models.Robot extends", AnimationFormNone, {}},
        {ExportActionScript2, "my robot-2.as", "class models.my_robot_2 extends", AnimationFormNone,
         {"「my_robot_2.as」"}},
        {ExportLumaFold3D, "3d-robot.java", "public class _3d_robot extends", AnimationFormMatrices,
         {kUnassignedVerticesWarning,
          "ファイル名「3d-robot」はJavaのクラス名に使えないため、クラス名を「_3d_robot」にしました。"
          "Javaではファイル名とクラス名が同じでなければならないので、ファイル名を「_3d_robot.java」に変えてください。"}},
        {ExportVantaForm3D, "Robot.java", "public class Robot extends", AnimationFormNone, {}},
        {ExportKotlin, "3d-robot.kt", "class _3d_robot :", AnimationFormNone, {}},
        {ExportKotlin, "Robot.kt", "class Robot :", AnimationFormKeyFrames, {kUnassignedVerticesWarning}},
    };
    testsupport::TempDir folder;
    for (const auto& c : cases) {
        CapturingMessageSink messages;
        ASSERT_TRUE(c.write(exporttest::BoxScene(), 1.0f, folder.File(c.file), c.form).ok) << c.file;
        EXPECT_NE(testsupport::ReadFile(folder.File(c.file)).find(c.declaration), std::string::npos) << c.file;
        ASSERT_EQ(messages.messages.size(), c.messages.size()) << c.file;
        for (std::size_t m = 0; m < c.messages.size(); ++m)
            EXPECT_NE(messages.messages[m].find(c.messages[m]), std::string::npos) << messages.messages[m];
    }
}
