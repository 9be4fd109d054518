// The class names the code exports take from the output file's name: a name that is no
// valid identifier in the language would give a source that does not compile.
#include "export/ActionScriptCommon.h"
#include "export/JavaLikeExport.h"
#include "export/JsClassName.h"
#include "export/KotlinExport.h"
#include "platform/Cp932.h"

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
