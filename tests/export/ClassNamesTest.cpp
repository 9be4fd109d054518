// The class names the code exports take from the output file's name: javac, the ActionScript
// compilers and the engines find a class only under its file's name, so the name is kept as
// it is, Japanese included, or the file is not written at all.
#include "export/ActionScript2Export.h"
#include "export/ActionScript3Export.h"
#include "export/ActionScriptCommon.h"
#include "export/ExportScenes.h"
#include "export/JavaLikeExport.h"
#include "export/JsClassName.h"
#include "export/KotlinExport.h"
#include "export/Stage3DExport.h"
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
        {"Ⅱ型〇", "", "文字「Ⅱ」", "", "Ⅱ型〇"},
        {"＿α", "", "文字「＿」", "「＿」で始まって", "_α"},
        {"a＿", "", "文字「＿」", "", "a＿"},
        {"￥円", "", "文字「￥」", "文字「￥」", "_円"},
        {"robot_2$", "", "文字「$」", "", "robot_2$"},
        {"星★", "文字「★」", "文字「★」", "文字「★」", "星_"},
        {"ゲーム゛", "文字「゛」", "文字「゛」", "文字「゛」", "ゲーム゛"},
        {"①番", "文字「①」", "文字「①」", "文字「①」", "_番"},
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
        for (int language = 0; language < 3; ++language) {
            const FileClassName& name = names[language];
            EXPECT_EQ(name.name, row.base);
            if (*expected[language] == '\0')
                EXPECT_EQ(name.refusal, "") << row.base << " in language " << language;
            else
                EXPECT_NE(name.refusal.find(expected[language]), std::string::npos)
                    << row.base << " in language " << language << ": " << name.refusal;
        }
        EXPECT_EQ(JsClassName(base + ".js"), row.js) << row.base;
    }
}

// A name that cannot be the class is refused before anything is written: the file at the
// path stays as it was, and the exporter says why through its result (the dispatcher shows
// it). A Japanese name is the class's own, written in UTF-8.
TEST(ClassNames, ExportersRefuseBeforeWritingAndKeepJapaneseNames)
{
    using Export = std::function<ExportResult(const std::string&)>;
    const CCentigrade scene = exporttest::BoxScene();
    const struct {
        const char *extension, *language;
        Export write;
        const char* declaration;  // with %s for the class name
    } cases[] = {
        {".as", "ActionScript", [&](const std::string& p) { return ExportActionScript2(scene, 1, p, AnimationFormNone); },
         "class models.%s extends Model3D"},
        {".as", "ActionScript",
         [&](const std::string& p) { return ExportActionScript3(scene, 1, p, AnimationFormNone, FlashTargetFlashCs); },
         "\tpublic class %s extends Model3D"},
        {".as", "ActionScript",
         [&](const std::string& p) { return ExportStage3D(scene, 1, p, AnimationFormNone, FlashTargetFlexSdk); },
         "\t\tpublic function %s(scene:Scene3D)"},
        {".java", "Java", [&](const std::string& p) { return ExportLumaFold3D(scene, 1, p, AnimationFormNone); },
         "public class %s extends Model3D\r\n{\r\n\tpublic %s()"},
        {".java", "Java", [&](const std::string& p) { return ExportVantaForm3D(scene, 1, p, AnimationFormNone); },
         "public class %s extends Model3D"},
        {".kt", "Kotlin", [&](const std::string& p) { return ExportKotlin(scene, 1, p, AnimationFormNone); },
         "class %s : Model3D() {"},
    };
    testsupport::TempDir folder;
    for (const auto& c : cases) {
        CapturingMessageSink messages;
        const std::string refused = folder.File(std::string("3d-robot") + c.extension);
        testsupport::WriteBytes(refused, {'o', 'l', 'd'});
        const ExportResult result = c.write(refused);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.path, refused);
        EXPECT_EQ(result.error, std::string("ファイル名「3d-robot」は「3」で始まっていますが、") + c.language +
                                    "のクラス名はこの文字で始められません。\n書き出すクラスにはファイル名と同じ名前が"
                                    "付くので、" + c.language + "のクラス名に使える名前のファイルに書き出してください。");
        EXPECT_EQ(testsupport::ReadFile(refused), "old");

        const std::string japanese = "忍者モデル_f1_s10";
        const std::string path = folder.File(cp932::FromUtf8(japanese) + c.extension);
        ASSERT_TRUE(c.write(path).ok) << path;
        std::string declaration = c.declaration;
        for (std::size_t at; (at = declaration.find("%s")) != std::string::npos;)
            declaration.replace(at, 2, japanese);
        // The file itself has the UTF-8 name.
        EXPECT_NE(testsupport::ReadFile(folder.File(japanese + c.extension)).find(declaration), std::string::npos)
            << declaration;
        EXPECT_TRUE(messages.messages.empty()) << c.extension << " " << messages.messages.size();
    }
}
