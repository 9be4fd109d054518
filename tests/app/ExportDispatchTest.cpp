// Save As and overwrite export without windows: the file types, what the options dialog is
// given and what is remembered, runs across New and Open, and what the user is told.
#include "TestDoubles.h"
#include "app/logic/CExportDispatcher.h"
#include "app/logic/CSceneDocument.h"
#include "app/logic/SaveAsRules.h"
#include "export/Exporters.h"
#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using testsupport::ReadFile;

namespace {

// Answers the save dialog once (then Cancel) and the options dialog with `answer`.
class ExportDispatch : public ::testing::Test, IExportOptionsDialog {
protected:
    void SetUp() override
    {
        SetFileChooser(&chooser);
        std::filesystem::copy_file(std::string(KMX_TEST_DATA_DIR) + "/viewport/ninja_bones.mqo", dir.File("figure.mqo"));
        ASSERT_TRUE(doc.OnOpenDocument(dir.File("figure.mqo")));  // some vertices have no bone
    }
    void TearDown() override
    {
        SetFileChooser(nullptr);
        std::filesystem::current_path(previousFolder);  // opening a file entered its folder
    }
    bool Run(ExportDialogValues& values) override
    {
        shown.push_back(values);
        return answer && (answer(values), true);
    }
    bool SaveAs(const std::string& name, int type)
    {
        chooser.Answer(name.empty() ? "" : dir.File(name), type);
        return exports.SaveAs(*this);
    }

    const std::filesystem::path previousFolder = std::filesystem::current_path();
    testsupport::TempDir dir;
    RecordingHost host;
    CSceneDocument doc{host};
    CExportDispatcher exports{doc};
    CapturingMessageSink messages;
    ScriptedFileChooser chooser;
    std::vector<FileDialogRequest>& requests = chooser.requests;
    std::vector<ExportDialogValues> shown;
    std::function<void(ExportDialogValues&)> answer = [](ExportDialogValues&) {};
};

}  // namespace

TEST(SaveAsRules, FilterExtensionsAndScaleEntry)
{
    EXPECT_EQ(rules::SaveAsFilter(),
              "Zelvo Kinemorphixファイル(*.zlkx)|*.zlkx|Zelvoボーンアニメーションファイル(*.zlba)|*.zlba|"
              "ActionScript2ファイル(*.as)|*.as|ActionScript3ファイル(*.as)|*.as|Colladaファイル(*.dae)|*.dae|"
              "VantaForm3Dファイル(*.java)|*.java|WebGLファイル(*.js)|*.js|Stage3Dファイル(*.as)|*.as|"
              "LumaFold3Dファイル(*.java)|*.java|Objective-Cファイル(*.m)|*.m|FBXファイル(*.fbx)|*.fbx|"
              "Kotlinファイル(*.kt)|*.kt|Swiftファイル(*.csv)|*.csv|WebGPUファイル(*.js)|*.js||");
    EXPECT_EQ(rules::WithTypeExtension("/v1.2/robot.", ExportTypeKotlin), "/v1.2/robot.kt");
    float scale = 7;
    std::string message;
    for (const char* text : {"", "abc", "2x", "1,5", "0", "-1", "inf", "1e99"})
        EXPECT_FALSE(rules::ParseExportScale(text, scale, message)) << text;
    EXPECT_TRUE(rules::ParseExportScale(" +0.5 ", scale, message) && scale == 0.5f);
}

TEST_F(ExportDispatch, PresetsAndStoredOptionsFollowTheType)
{
    answer = [](ExportDialogValues& v) { v = {v.restriction, v.flashEnabled, 1, 3.0f, 0}; };
    for (const ExporterInfo& exporter : Exporters()) {
        const int t = exporter.type;
        const bool flash = t == 4 || t == 8;
        doc.m_exportAnimationForm = 0;
        doc.m_exportScale = 2.5f;
        doc.m_flashTarget = 1;
        const std::string file = "T" + std::to_string(t) + "." + rules::TypeExtension(t);
        EXPECT_FALSE(SaveAs(file, t)) << "an export leaves the scene unsaved";
        EXPECT_EQ(shown.back().restriction, t == 2 || t == 8 ? 1 : t == 3 ? 2 : 0) << t;
        EXPECT_EQ(shown.back().flashEnabled, flash) << t;
        EXPECT_EQ(shown.back().animationForm, t == 3 || t == 11 ? 2 : 0) << t;
        EXPECT_EQ(shown.back().scale, 2.5f);
        EXPECT_EQ(doc.m_exportAnimationForm, t == 3 ? 2 : 1) << t;
        EXPECT_EQ(doc.m_exportScale, 3.0f);
        EXPECT_EQ(doc.m_flashTarget, flash ? 0 : 1) << t;
        EXPECT_FALSE(ReadFile(dir.File(file)).empty()) << file;
    }
}

TEST_F(ExportDispatch, RunAcrossCancelsNewAndOverwriteExport)
{
    answer = nullptr;  // the options dialog cancelled: path and type stay, FBX's form too
    SaveAs("a.fbx", ExportTypeFbx);
    EXPECT_EQ(doc.m_exportAnimationForm, 2);
    SaveAs("a.js", ExportTypeWebGL);
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.js")) || std::filesystem::exists(dir.File("a.fbx")));
    EXPECT_TRUE(exports.OverwriteExport() && !ReadFile(dir.File("a.js")).empty());

    SaveAs("", 1);  // proposes the last file and type; after New only the type
    EXPECT_EQ(requests.back().filterIndex, 7);
    EXPECT_EQ(requests.back().initialPath, dir.File("a.js"));
    doc.OnNewDocument();
    EXPECT_FALSE(rules::CanOverwriteExport(doc) || exports.OverwriteExport());
    SaveAs("", 1);
    EXPECT_EQ(requests.back().filterIndex, 7);
    EXPECT_EQ(requests.back().initialPath, "");
}

TEST_F(ExportDispatch, AddedExtensionIsAskedAboutAndFailuresAreReported)
{
    testsupport::WriteBytes(dir.File("robot.js"), {'o', 'l', 'd'});
    messages.answer = MessageResult::No;
    SaveAs("robot", ExportTypeWebGL);
    ASSERT_EQ(requests.size(), 2u) << "No shows the save dialog again";
    EXPECT_EQ(requests[1].initialPath, dir.File("robot.js"));
    EXPECT_EQ(ReadFile(dir.File("robot.js")), "old");
    messages.answer = MessageResult::Yes;
    SaveAs("robot", ExportTypeWebGL);
    EXPECT_NE(ReadFile(dir.File("robot.js")), "old");

    messages.messages.clear();
    SaveAs("missing/a.dae", ExportTypeCollada);
    exports.OverwriteExport();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0], messages.messages[1]);
    EXPECT_NE(messages.messages[0].find("missing/a.dae」を書き出せませんでした。\nNo such file"), std::string::npos);

    // A file name that cannot name the class is refused before anything is written.
    messages.messages.clear();
    SaveAs("3d-robot.kt", ExportTypeKotlin);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].find("3d-robot.kt」を書き出せませんでした。\nファイル名「3d-robot」は「3」で始まって"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("3d-robot.kt")));
}

TEST_F(ExportDispatch, StaticBoneExportNeverReplacesTheModelAndAsksForOtherFiles)
{
    const std::string model = ReadFile(dir.File("figure.mqo"));
    answer = [](ExportDialogValues& v) { v.animationForm = 2; };
    SaveAs("figure.zlba", ExportTypeBoneAnimation);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(ReadFile(dir.File("figure.mqo")), model);

    testsupport::WriteBytes(dir.File("other.mqo"), {'o', 'l', 'd'});
    messages.answer = MessageResult::No;
    SaveAs("other.zlba", ExportTypeBoneAnimation);
    EXPECT_EQ(ReadFile(dir.File("other.mqo")), "old");
    messages.answer = MessageResult::Yes;
    EXPECT_TRUE(exports.OverwriteExport() && ReadFile(dir.File("other.mqo")) != "old") << "asked again after a No";
    EXPECT_TRUE(exports.OverwriteExport());
    EXPECT_EQ(messages.messages.size(), 3u) << "a file it wrote itself is replaced without a question";
}
