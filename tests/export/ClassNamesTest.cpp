// The class names the code exports take from the output file's name: javac, the ActionScript
// compilers and the engines find a class only under its file's name, so the name is kept as
// it is, Japanese included, or the file is not written at all.
#include "export/ActionScriptCommon.h"
#include "export/ExportScenes.h"
#include "export/Exporters.h"
#include "export/JavaLikeExport.h"
#include "export/JsClassName.h"
#include "export/KotlinExport.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

TEST(ClassNames, EachLanguageTakesTheFileNameAsItIsOrRefusesIt)
{
    // A file's base name (UTF-8); per language "" when it is the class name, else a piece of
    // the refusal; and the name JavaScript makes of it, which need not be the file's.
    struct Row {
        const char *base, *java, *kotlin, *as, *js;
    };
    const Row rows[] = {
        {"Robot", "", "", "", "Robot"},
        {"忍者モデル_f1_s10", "", "", "", "忍者モデル_f1_s10"},
        {"ｶﾞﾝﾀﾞﾑ２号", "", "", "", "ｶﾞﾝﾀﾞﾑ２号"},
        {"ーブ々ゝヽΩЖＡ", "", "", "", "ーブ々ゝヽΩЖＡ"},
        {"２号", "「２」で始まって", "「２」で始まって", "「２」で始まって", "_２号"},
        {"Ⅱ型〇＿", "", "文字「Ⅱ」", "", "Ⅱ型〇＿"},
        {"＿α", "", "文字「＿」", "「＿」で始まって", "_α"},
        {"￥円", "", "文字「￥」", "文字「￥」", "_円"},
        {"robot_2$", "", "文字「$」", "", "robot_2$"},
        {"星★", "文字「★」", "文字「★」", "文字「★」", "星_"},
        {"ゲーム゛", "文字「゛」", "文字「゛」", "文字「゛」", "ゲーム゛"},
        {"my robot-2", "文字「 」", "文字「 」", "文字「 」", "my_robot_2"},
        {"a.b", "文字「.」", "文字「.」", "文字「.」", "a_b"},
        {"class", "予約語", "予約語", "予約語", "class_"},
        {"fun", "", "予約語", "", "fun"},
        {"undefined", "", "", "", "undefined_"},
        {"Model3D", "予約語", "予約語", "予約語", "Model3D_"},
        {"_", "予約語", "予約語", "", "_"},
        {"__", "", "予約語", "", "__"},
        {"", "拡張子の前の名前がありません", "拡張子の前の名前がありません", "拡張子の前の名前がありません", "Model"},
    };
    for (const Row& row : rows) {
        const std::string base = "out/" + cp932::FromUtf8(row.base);
        const FileClassName names[] = {JavaClassName(base + ".java"), KotlinClassName(base + ".kt"),
                                       ActionScriptClassName(base + ".as")};
        const char* const expected[] = {row.java, row.kotlin, row.as};
        for (int language = 0; language < 3; ++language) {  // "" is found in every refusal
            EXPECT_EQ(names[language].name, row.base);
            EXPECT_EQ(names[language].refusal.empty(), *expected[language] == '\0') << row.base << " " << language;
            EXPECT_NE(names[language].refusal.find(expected[language]), std::string::npos) << names[language].refusal;
        }
        EXPECT_EQ(JsClassName(base + ".js"), row.js) << row.base;
    }
}

// A name that cannot be the class is refused before anything is written: the file at the
// path stays as it was, and the exporter says why through its result (the dispatcher shows
// it). A Japanese name is the class's own, written in UTF-8.
TEST(ClassNames, ExportersRefuseBeforeWritingAndKeepJapaneseNames)
{
    const struct {
        std::int32_t type;
        const char *extension, *language, *declaration;
    } cases[] = {
        {3, ".as", "ActionScript", "class models.忍者モデル_f1_s10 extends"},
        {4, ".as", "ActionScript", "\tpublic class 忍者モデル_f1_s10 extends"},
        {8, ".as", "ActionScript", "\t\tpublic function 忍者モデル_f1_s10(scene:Scene3D)"},
        {6, ".java", "Java", "public class 忍者モデル_f1_s10 extends"},
        {9, ".java", "Java", "\tpublic 忍者モデル_f1_s10()"},
        {12, ".kt", "Kotlin", "class 忍者モデル_f1_s10 : Model3D() {"},
    };
    testsupport::TempDir folder;
    for (const auto& c : cases) {
        CapturingMessageSink messages;
        const auto write = [&](const std::string& path) {
            return FindExporter(c.type)->function(exporttest::BoxScene(), path, {1, AnimationFormNone, FlashTargetFlexSdk});
        };
        const std::string refused = folder.File(std::string("3d-robot") + c.extension);
        testsupport::WriteBytes(refused, {'o', 'l', 'd'});
        const ExportResult result = write(refused);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.path, refused);
        EXPECT_EQ(result.error, std::string("ファイル名「3d-robot」は「3」で始まっていますが、") + c.language +
                                    "のクラス名はこの文字で始められません。\n書き出すクラスにはファイル名と同じ名前が"
                                    "付くので、" + c.language + "のクラス名に使える名前のファイルに書き出してください。");
        EXPECT_EQ(testsupport::ReadFile(refused), "old");

        const std::string japanese = std::string("忍者モデル_f1_s10") + c.extension;  // the file's own name is UTF-8
        ASSERT_TRUE(write(folder.File(cp932::FromUtf8(japanese))).ok) << c.type;
        EXPECT_NE(testsupport::ReadFile(folder.File(japanese)).find(c.declaration), std::string::npos) << c.declaration;
        EXPECT_TRUE(messages.messages.empty()) << c.type;
    }
}
