// Save As and overwrite export without windows: the file types, what the options dialog is
// given and what is remembered, runs across New and Open, and what the user is told.
#include "app/logic/CExportDispatcher.h"
#include "app/logic/CSceneDocument.h"
#include "app/logic/IDocumentHost.h"
#include "app/logic/IFileChooser.h"
#include "app/logic/SaveAsRules.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

using testsupport::ReadFile;

namespace {

class QuietHost : public IDocumentHost {
    void LoadColorSettings() override {}
    void ApplyBackgroundColor() override {}
    void SetupCamera() override {}
    void AddToRecentFiles(const std::string&) override {}
    void OnTitleChanged() override {}
};

class ScriptedChooser : public IFileChooser {
public:
    std::optional<FileDialogAnswer> Choose(const FileDialogRequest& request) override
    {
        requests.push_back(request);
        if (answers.empty())
            return std::nullopt;
        const FileDialogAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<FileDialogAnswer> answers;
    std::vector<FileDialogRequest> requests;
};

// Keeps what the dialog was shown; answers with `answer` applied, or cancels.
class ScriptedOptions : public IExportOptionsDialog {
public:
    bool Run(ExportDialogValues& values) override
    {
        shown.push_back(values);
        if (cancel)
            return false;
        if (answer)
            answer(values);
        return true;
    }
    std::vector<ExportDialogValues> shown;
    std::function<void(ExportDialogValues&)> answer;
    bool cancel = false;
};

class ExportDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousFolder = std::filesystem::current_path();
        SetFileChooser(&chooser);
        std::filesystem::copy_file(std::string(KMX_TEST_DATA_DIR) + "/viewport/ninja_bones.mqo", dir.File("figure.mqo"));
        ASSERT_TRUE(doc.OnOpenDocument(dir.File("figure.mqo")));
    }
    void TearDown() override
    {
        SetFileChooser(nullptr);
        std::filesystem::current_path(m_previousFolder);
    }
    bool SaveAs(const std::string& name, int type)
    {
        chooser.answers.push_back({name.empty() ? "" : dir.File(name), type});
        return exports.SaveAs(options);
    }

    testsupport::TempDir dir;
    QuietHost host;
    CSceneDocument doc{host};
    CExportDispatcher exports{doc};
    ScriptedChooser chooser;
    ScriptedOptions options;
    CapturingMessageSink messages;
    std::filesystem::path m_previousFolder;
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
    EXPECT_EQ(rules::WithTypeExtension("/a/robot", ExportTypeScene), "/a/robot.zlkx");
    EXPECT_EQ(rules::WithTypeExtension("/v1.2/robot", ExportTypeWebGL), "/v1.2/robot.js");
    EXPECT_EQ(rules::WithTypeExtension("/a/robot.", ExportTypeKotlin), "/a/robot.kt");
    EXPECT_EQ(rules::WithTypeExtension("/a/robot.txt", ExportTypeKotlin), "/a/robot.txt");
    EXPECT_EQ(rules::WithTypeExtension("/a/", ExportTypeKotlin), "/a/");

    for (const auto& [text, value] : {std::pair{"2", 2.0f}, {" 0.5 ", 0.5f}, {"1e1", 10.0f}, {"+3", 3.0f}}) {
        float scale = 0;
        std::string message;
        EXPECT_TRUE(rules::ParseExportScale(text, scale, message)) << text;
        EXPECT_EQ(scale, value);
    }
    for (const char* text : {"", "abc", "2x", "1,5", "0", "-1", "inf", "nan", "1e99"}) {
        float scale = 7;
        std::string message;
        EXPECT_FALSE(rules::ParseExportScale(text, scale, message)) << text;
        EXPECT_FALSE(message.empty());
        EXPECT_EQ(scale, 7);
    }
    EXPECT_EQ(rules::FormatExportScale(1.0f), "1");
    EXPECT_EQ(rules::FormatExportScale(0.1f), "0.1");
}

// Every export type: the dialog's greyed choices and presets, what comes back, the file.
TEST_F(ExportDispatch, PresetsAndStoredOptionsFollowTheType)
{
    const struct {
        int type, restriction;
        bool flash;
        const char* file;
    } types[] = {{2, 1, false, "a.zlba"}, {3, 2, false, "a.as"},   {4, 0, true, "b.as"},   {5, 0, false, "a.dae"},
                 {6, 0, false, "A.java"}, {7, 0, false, "a.js"},   {8, 1, true, "c.as"},   {9, 0, false, "B.java"},
                 {10, 0, false, "a.m"},   {11, 0, false, "a.fbx"}, {12, 0, false, "a.kt"}, {13, 0, false, "a.csv"},
                 {14, 0, false, "b.js"}};
    options.answer = [](ExportDialogValues& v) { v = {v.restriction, v.flashEnabled, 1, 3.0f, 0}; };
    for (const auto& t : types) {
        doc.m_exportAnimationForm = 0;
        doc.m_exportScale = 2.5f;
        doc.m_flashTarget = 1;
        EXPECT_FALSE(SaveAs(t.file, t.type)) << "an export leaves the scene unsaved";
        const ExportDialogValues& shown = options.shown.back();
        EXPECT_EQ(shown.restriction, t.restriction) << t.type;
        EXPECT_EQ(shown.flashEnabled, t.flash) << t.type;
        EXPECT_EQ(shown.animationForm, t.type == 3 || t.type == 11 ? 2 : 0) << t.type;
        EXPECT_EQ(shown.scale, 2.5f);
        EXPECT_EQ(doc.m_exportAnimationForm, t.type == 3 ? 2 : 1) << t.type;
        EXPECT_EQ(doc.m_exportScale, 3.0f);
        EXPECT_EQ(doc.m_flashTarget, t.flash ? 0 : 1) << t.type;
        EXPECT_EQ(doc.m_exportType, t.type);
        EXPECT_FALSE(ReadFile(dir.File(t.file)).empty()) << t.file;
    }
}

TEST_F(ExportDispatch, CancelsRememberWhatWasChosenBeforeThem)
{
    EXPECT_FALSE(SaveAs("", 7));  // the save dialog cancelled
    EXPECT_TRUE(doc.m_exportPath.empty());
    EXPECT_EQ(doc.m_exportType, 1);

    options.cancel = true;
    SaveAs("a.js", ExportTypeWebGL);
    EXPECT_EQ(doc.m_exportPath, dir.File("a.js"));
    EXPECT_EQ(doc.m_exportType, 7);
    EXPECT_EQ(doc.m_exportAnimationForm, 1);
    SaveAs("a.fbx", ExportTypeFbx);
    EXPECT_EQ(doc.m_exportAnimationForm, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.js")) || std::filesystem::exists(dir.File("a.fbx")));
}

TEST_F(ExportDispatch, RunAcrossNewOpenAndOverwriteExport)
{
    SaveAs("a.js", ExportTypeWebGL);
    EXPECT_EQ(chooser.requests[0].filterIndex, 1);
    EXPECT_EQ(chooser.requests[0].initialPath, "");
    const std::string written = ReadFile(dir.File("a.js"));
    testsupport::WriteBytes(dir.File("a.js"), {'x'});
    messages.messages.clear();
    ASSERT_TRUE(rules::CanOverwriteExport(doc));
    EXPECT_TRUE(exports.OverwriteExport());
    EXPECT_EQ(ReadFile(dir.File("a.js")), written);
    EXPECT_EQ(messages.messages.size(), 1u) << "only the unassigned-vertex warning";

    SaveAs("", 1);
    EXPECT_EQ(chooser.requests.back().filterIndex, 7);
    EXPECT_EQ(chooser.requests.back().initialPath, dir.File("a.js"));
    doc.OnNewDocument();
    EXPECT_FALSE(rules::CanOverwriteExport(doc));
    EXPECT_FALSE(exports.OverwriteExport());
    SaveAs("", 1);
    EXPECT_EQ(chooser.requests.back().filterIndex, 7);
    EXPECT_EQ(chooser.requests.back().initialPath, "");

    // A scene file: the document becomes it, and overwrite export saves it again.
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("figure.mqo")));
    EXPECT_TRUE(SaveAs("scene", ExportTypeScene));
    EXPECT_EQ(doc.GetPathName(), dir.File("scene.zlkx"));
    EXPECT_FALSE(doc.IsModified());
    std::filesystem::remove(dir.File("scene.zlkx"));
    EXPECT_TRUE(exports.OverwriteExport());
    EXPECT_TRUE(std::filesystem::exists(dir.File("scene.zlkx")));
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("scene.zlkx")));
    EXPECT_FALSE(rules::CanOverwriteExport(doc));

    // A key-frame form carried into the bone export stays and is passed on (no ".mqo").
    options.answer = [](ExportDialogValues& v) { v.animationForm = 0; };
    SaveAs("a.as", ExportTypeActionScript3);
    options.answer = nullptr;
    SaveAs("walk.zlba", ExportTypeBoneAnimation);
    EXPECT_EQ(options.shown.back().animationForm, 0);
    EXPECT_EQ(doc.m_exportAnimationForm, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.File("walk.zlba")));
}

TEST_F(ExportDispatch, AddedExtensionIsAskedAboutAndFailuresAreReported)
{
    testsupport::WriteBytes(dir.File("robot.js"), {'o', 'l', 'd'});
    messages.answer = MessageResult::No;
    SaveAs("robot", ExportTypeWebGL);
    ASSERT_EQ(chooser.requests.size(), 2u) << "No shows the save dialog again";
    EXPECT_EQ(chooser.requests[1].initialPath, dir.File("robot.js"));
    EXPECT_EQ(ReadFile(dir.File("robot.js")), "old");
    messages.answer = MessageResult::Yes;
    SaveAs("robot", ExportTypeWebGL);
    EXPECT_NE(ReadFile(dir.File("robot.js")), "old");

    // An export that cannot be written says why, from Save As and overwrite export alike.
    messages.messages.clear();
    SaveAs("missing/a.dae", ExportTypeCollada);
    exports.OverwriteExport();
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0], messages.messages[1]);
    EXPECT_NE(messages.messages[0].find("missing/a.dae」を書き出せませんでした。\nNo such file"), std::string::npos)
        << messages.messages[0];
}

TEST_F(ExportDispatch, StaticBoneExportNeverReplacesTheModelAndAsksForOtherFiles)
{
    const std::string model = ReadFile(dir.File("figure.mqo"));
    options.answer = [](ExportDialogValues& v) { v.animationForm = 2; };
    SaveAs("figure.zlba", ExportTypeBoneAnimation);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].find("モデルファイル"), std::string::npos);
    EXPECT_EQ(ReadFile(dir.File("figure.mqo")), model);

    testsupport::WriteBytes(dir.File("other.mqo"), {'o', 'l', 'd'});
    messages.answer = MessageResult::No;
    SaveAs("other.zlba", ExportTypeBoneAnimation);
    EXPECT_EQ(ReadFile(dir.File("other.mqo")), "old");
    messages.answer = MessageResult::Yes;
    EXPECT_TRUE(exports.OverwriteExport()) << "asked again, since the user said No";
    EXPECT_NE(ReadFile(dir.File("other.mqo")), "old");
    const std::size_t asked = messages.messages.size();
    EXPECT_TRUE(exports.OverwriteExport());
    EXPECT_EQ(messages.messages.size(), asked) << "the file it wrote itself is replaced without a question";
    EXPECT_FALSE(std::filesystem::exists(dir.File("other.zlba")));
}
