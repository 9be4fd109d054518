// The document's roads without windows: New, the scene, model and other-file opens through
// both roads, Save, failed reads, the model file's fallback, and the counts of a scene file
// that disagree with each other or with the model read beside it.
#include "TestDoubles.h"
#include "app/logic/CSceneDocument.h"
#include "app/logic/LoadedSceneChecks.h"
#include "app/logic/IDocumentView.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/Progress.h"
#include "scene/CCentigrade.h"
#include "scene/SceneFile.h"
#include "support/CostlyFiles.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <new>
#include <tuple>

using testsupport::ReadBytes;
using testsupport::TempDir;

namespace {

const std::string kUntitled = "\x96\xB3\x91\xE8";  // "無題"
const std::string kBonesModel = std::string(KMX_TEST_DATA_DIR) + "/viewport/ninja_bones.mqo";

// Save As counted and cancelled.
struct Document : CSceneDocument {
    using CSceneDocument::CSceneDocument;
    bool OnFileSaveAs() override { return ++saveAsCalls, false; }
    int saveAsCalls = 0;
};

class DocumentRoads : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(dir.Folder());
        SetFileChooser(&chooser);
        doc.AddView(&view);
        doc.OnNewDocument();
        view.hints.clear();
    }
    void TearDown() override
    {
        SetFileChooser(nullptr);
        std::filesystem::current_path(m_previousFolder);
    }

    // A scene file of the bone model with a few vertices bound, the model file beside it
    // under its own name.
    std::string MakeScene(const std::string& name)
    {
        std::filesystem::copy_file(kBonesModel, dir.File("ninja_bones.mqo"),
                                   std::filesystem::copy_options::overwrite_existing);
        EXPECT_TRUE(doc.OnOpenDocument(dir.File("ninja_bones.mqo")));
        EXPECT_EQ(g_scene.m_bones.size(), 6u);
        for (int v = 0; v < 40; ++v)
            g_scene.m_models[0].m_vertices[v].m_boneIndex = v % 6;
        const std::string path = dir.File(name);
        EXPECT_TRUE(doc.OnSaveDocument(path));
        return path;
    }

    // The same, opened and saved once, as every later save of it writes it.
    std::string MakeSavedScene(const std::string& name)
    {
        const std::string path = MakeScene(name);
        EXPECT_TRUE(doc.OnOpenDocument(path));
        EXPECT_TRUE(doc.OnFileSave());
        return path;
    }

    TempDir dir;
    RecordingHost host;
    HintLog view;
    Document doc{host};
    ScriptedFileChooser chooser;
    CapturingMessageSink messages;

private:
    std::filesystem::path m_previousFolder;
};

void ExpectUntitledEmptyScene(const CSceneDocument& doc)
{
    EXPECT_EQ(doc.GetTitle(), kUntitled);
    EXPECT_FALSE(CSceneDocument::IsScenePath(doc.GetPathName()));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(g_scene.m_models.empty());
    EXPECT_TRUE(g_scene.m_bones.empty());
    EXPECT_TRUE(g_scene.m_loadedModels.empty());
    EXPECT_TRUE(g_scene.m_modelPath.empty());
}

}  // namespace

TEST_F(DocumentRoads, NewResetsSceneAndPlaybackButKeepsTheRunsChoices)
{
    MakeScene("a.zlkx");
    g_currentFrame = 7;
    g_lastFrame = 40;
    g_frameRate = 12.0f;
    g_playing = g_loopPlayback = true;
    doc.m_exportPath = "x.dae";
    doc.m_exportType = 7;
    doc.m_keyFrameAction = 2;
    doc.SetModifiedFlag();
    g_scene.m_backgroundModels.resize(1);  // a loaded background model goes with the scene
    g_scene.m_backgroundMaterials.resize(1);

    ASSERT_TRUE(doc.OnNewDocument());
    ExpectUntitledEmptyScene(doc);
    EXPECT_TRUE(g_scene.m_backgroundModels.empty() && g_scene.m_backgroundMaterials.empty());
    EXPECT_EQ(doc.GetPathName(), dir.Path() + kUntitled);
    EXPECT_EQ(std::tuple(g_currentFrame, g_lastFrame, g_frameRate, g_playing, g_loopPlayback),
              std::tuple(0, 100, 30.0f, false, false));
    EXPECT_EQ(std::tuple(doc.m_exportPath, doc.m_exportType, doc.m_keyFrameAction), std::tuple("", 7, 2));
    EXPECT_EQ(g_scene.m_backgroundColor, MakeRgb(1, 2, 3));
    EXPECT_EQ(doc.FrameTitle(), "無題 - Zelvo Kinemorphix 3.9");

    // Saving the new document asks for a name and writes nothing.
    EXPECT_FALSE(doc.OnFileSave());
    EXPECT_EQ(doc.saveAsCalls, 1);
}

TEST_F(DocumentRoads, SceneFileReopensWithItsModelBindingsInAnyCaseOfItsExtension)
{
    const std::string path = MakeScene("walk.zlkx");
    doc.OnNewDocument();
    view.hints.clear();
    g_scene.m_backgroundModels.resize(1);

    ASSERT_TRUE(doc.OpenDocumentFile(path));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(g_scene.m_backgroundModels.empty());
    EXPECT_EQ(doc.GetTitle(), "walk.zlkx");
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(host.recent.back(), path);
    EXPECT_EQ(view.hints, (std::vector<int>{HintDocumentLoaded, HintInitialUpdate}));
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    for (int v = 0; v < 40; ++v)
        EXPECT_EQ(g_scene.m_models[0].m_vertices[v].m_boneIndex, v % 6);
    // The profile's background replaces the one stored in the file.
    EXPECT_EQ(g_scene.m_backgroundColor, MakeRgb(1, 2, 3));

    std::filesystem::rename(path, dir.File("WALK.ZLKX"));
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("WALK.ZLKX")));
    EXPECT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(doc.GetTitle(), "WALK.ZLKX");
}

TEST_F(DocumentRoads, ModelFileOpensUntitledOnTheOpenCommandAndTitledOnTheFrameworkRoad)
{
    const std::string model = dir.File("figure.mqo");
    std::filesystem::copy_file(kBonesModel, model);

    chooser.Answer(model);
    doc.OnFileOpen();
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].defaultExtension, "zlkx");
    EXPECT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_modelPath, "figure.mqo");
    EXPECT_EQ(doc.GetTitle(), kUntitled);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(host.recent.empty());

    // The framework's road keeps the model's own path, and Save still never writes a scene
    // archive over the model file.
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(doc.OpenDocumentFile(model));
    EXPECT_EQ(doc.GetTitle(), "figure.mqo");
    EXPECT_EQ(host.recent.back(), model);
    const std::vector<std::uint8_t> before = ReadBytes(model);
    EXPECT_FALSE(doc.OnFileSave());
    EXPECT_EQ(doc.saveAsCalls, 1);
    EXPECT_EQ(ReadBytes(model), before);

    // Names outside ASCII: the file system's UTF-8, CP932 in the document, UTF-8 in the title.
    const std::string japanese = dir.File("忍者.mqo");
    std::filesystem::copy_file(kBonesModel, japanese);
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(doc.OpenDocumentFile(cp932::FromUtf8(japanese)));
    EXPECT_EQ(doc.GetTitle(), cp932::FromUtf8("忍者.mqo"));
    EXPECT_EQ(doc.FrameTitle(), "忍者.mqo - Zelvo Kinemorphix 3.9");
}

TEST_F(DocumentRoads, BothRoadsAskToSaveChangesFirst)
{
    const std::string path = MakeScene("a.zlkx");
    doc.OpenDocumentFile(path);
    g_scene.m_bones[0].m_name = "changed";
    doc.SetModifiedFlag();

    // Cancel: nothing is opened and no dialog shown.
    messages.answer = MessageResult::Cancel;
    doc.OnFileOpen();
    EXPECT_TRUE(chooser.requests.empty());
    EXPECT_FALSE(doc.OpenDocumentFile(kBonesModel));
    EXPECT_FALSE(doc.NewDocumentFromFramework());
    ASSERT_EQ(messages.messages.size(), 3u);
    EXPECT_EQ(messages.messages[0], "a.zlkx への変更を保存しますか?");
    EXPECT_EQ(g_scene.m_bones[0].m_name, "changed");
    EXPECT_TRUE(doc.IsModified());

    // Yes saves the scene file before the new document replaces it.
    messages.answer = MessageResult::Yes;
    EXPECT_TRUE(doc.NewDocumentFromFramework());
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(g_scene.m_bones[0].m_name, "changed");

    // Yes on an untitled document goes to Save As; cancelling it cancels the New.
    doc.OnNewDocument();
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.NewDocumentFromFramework());
    EXPECT_EQ(doc.saveAsCalls, 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentRoads, UnreadableSceneFileLeavesAnUntitledEmptyDocument)
{
    const std::string path = MakeScene("broken.zlkx");
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    bytes.resize(bytes.size() / 2);
    testsupport::WriteBytes(path, bytes);
    doc.OnNewDocument();
    doc.OnOpenDocument(kBonesModel);
    doc.SetModifiedFlag(false);
    view.hints.clear();

    EXPECT_FALSE(doc.OpenDocumentFile(path));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0], cp932::ToUtf8(path) + " の形式が正しくありません。");
    ExpectUntitledEmptyScene(doc);
    EXPECT_EQ(view.hints, std::vector<int>{HintDocumentLoaded});
    // Save asks for a name: the broken file is never overwritten by an empty scene.
    EXPECT_FALSE(doc.OnFileSave());
    EXPECT_EQ(ReadBytes(path), bytes);

    EXPECT_FALSE(doc.OnOpenDocument(dir.File("missing.zlkx")));
    EXPECT_EQ(messages.messages.back(),
              "ドキュメントを開くことに失敗しました。\n" + dir.File("missing.zlkx") + ": ファイルが見つかりません。");
}

namespace {

// A model whose bone object holds `bones` separate triangles.
std::string BoneObjectModel(int bones)
{
    std::string text = "Metasequoia Document\nFormat Text Ver 1.0\nObject \"bone\" {\n\tvertex " +
                       std::to_string(3 * bones) + " {\n";
    for (int b = 0; b < bones; ++b)
        text += "\t\t0 " + std::to_string(10 * b) + " 0\n\t\t0 " + std::to_string(10 * b + 8) + " 0\n\t\t0 " +
                std::to_string(10 * b) + " 1\n";
    text += "\t}\n\tface " + std::to_string(bones) + " {\n";
    for (int b = 0; b < bones; ++b)
        text += "\t\t3 V(" + std::to_string(3 * b) + " " + std::to_string(3 * b + 1) + " " + std::to_string(3 * b + 2) + ")\n";
    return text + "\t}\n}\nEof\n";
}

// Running out of memory while the panes fill on a hint.
struct OutOfMemoryView : IDocumentView {
    void OnUpdate(int hint) override
    {
        if (hint == failOn) {
            failOn = -1;
            throw std::bad_alloc();
        }
    }
    int failOn = -1;
};

}  // namespace

// Files that ask for far more memory than they hold are refused, and memory running out on
// any open road leaves an empty document with a message, never an exception.
TEST_F(DocumentRoads, FilesAskingForMoreMemoryThanTheyHoldLeaveAnEmptyDocument)
{
    // Bones stored without animations, each padded to every name: 300 x 300 x 101 samples.
    g_scene.m_animationNames.assign(300, "");
    g_scene.m_bones.resize(300);
    for (CBone& bone : g_scene.m_bones)
        bone.m_animations.clear();
    const std::string padded = dir.File("padded.zlkx");
    ASSERT_TRUE(doc.OnSaveDocument(padded));
    // Many animation names and a model whose bone object adds 60 bones, each padded to them.
    g_scene.m_bones.clear();
    g_scene.m_animationNames.resize(200);
    g_scene.m_modelPath = "bones.mqo";
    dir.Write("bones.mqo", BoneObjectModel(60));
    const std::string added = dir.File("added.zlkx");
    ASSERT_TRUE(doc.OnSaveDocument(added));
    // A file of an older version, whose materials come from its model (maps.mqo beside it):
    // 2,000 animation names, each given a material map of the model's 1,000 materials.
    const std::vector<std::uint8_t> old = testsupport::SceneOfEmptyRecords({.version = 3.5f, .names = 2000});
    const std::string maps = dir.Write("maps.zlkx", std::string(old.begin(), old.end()));
    std::string materials = "Metasequoia Document\nFormat Text Ver 1.0\nMaterial 1000 {\n";
    for (int m = 0; m < 1000; ++m)
        materials += "m\n";
    dir.Write("maps.mqo", materials + "}\n");

    for (const std::string& path : {padded, added, maps}) {
        doc.OnOpenDocument(kBonesModel);
        doc.SetModifiedFlag(false);
        EXPECT_FALSE(doc.OpenDocumentFile(path)) << path;
        EXPECT_EQ(messages.messages.back(), cp932::ToUtf8(path) + " の形式が正しくありません。");
        ExpectUntitledEmptyScene(doc);
    }
    // The same model under a scene with a few names opens.
    g_scene.m_animationNames.resize(3);
    g_scene.m_modelPath = "bones.mqo";
    ASSERT_TRUE(doc.OnSaveDocument(added));
    ASSERT_TRUE(doc.OnOpenDocument(added));
    EXPECT_EQ(g_scene.m_bones.size(), 60u);

    OutOfMemoryView failing;
    doc.AddView(&failing);
    for (const std::string& path : {added, kBonesModel}) {
        messages.messages.clear();
        failing.failOn = HintInitialUpdate;
        EXPECT_FALSE(doc.OpenDocumentFile(path)) << path;
        failing.failOn = HintDocumentLoaded;
        EXPECT_FALSE(doc.OnOpenDocument(path)) << path;
        EXPECT_EQ(messages.messages, std::vector<std::string>(2, "メモリが足りないため「" + path + "」を開けませんでした。"));
        ExpectUntitledEmptyScene(doc);
    }
    doc.RemoveView(&failing);
}

TEST_F(DocumentRoads, MissingModelIsReportedAndAFallbackBesideTheSceneGetsNothingOfAReadFailingHalfWay)
{
    const std::string path = MakeSavedScene("walk.zlkx");
    const std::vector<std::uint8_t> written = ReadBytes(path);
    std::filesystem::remove(dir.File("ninja_bones.mqo"));

    // Reported by name; the stored bindings are written back as they were read.
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].find("ninja_bones.mqo"), std::string::npos);
    EXPECT_TRUE(g_scene.m_models.empty());
    EXPECT_EQ(g_scene.m_bones.size(), 6u);
    ASSERT_EQ(g_scene.m_loadedModels.size(), 1u);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadBytes(path), written);

    // The stored model file now ends inside a chunk; the fallback beside the scene is whole
    // and is remembered.
    std::filesystem::copy_file(kBonesModel, dir.File("walk.mqo"));
    std::vector<std::uint8_t> half = ReadBytes(kBonesModel);
    half.resize(half.size() / 2);
    testsupport::WriteBytes(dir.File("ninja_bones.mqo"), half);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(g_scene.m_modelPath, "walk.mqo");
    EXPECT_EQ(std::tuple(g_scene.m_models.size(), g_scene.m_materials.size(), g_scene.m_bones.size()),
              std::tuple(1u, 8u, 6u));
    EXPECT_EQ(g_scene.m_models[0].m_vertices[5].m_boneIndex, 5);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(g_scene.m_modelPath, "walk.mqo");
}

TEST_F(DocumentRoads, TexturesMissingInBothModelReadsOfOneOpenAreToldOnce)
{
    std::filesystem::copy_file(kBonesModel, dir.File("ninja_bones.mqo"));
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("ninja_bones.mqo")));
    g_scene.m_materials[0].m_texture = "gone.png";
    const std::string path = dir.File("walk.zlkx");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    // The stored model file ends inside a chunk; the one named like the scene is whole.
    std::filesystem::copy_file(kBonesModel, dir.File("walk.mqo"));
    std::vector<std::uint8_t> half = ReadBytes(kBonesModel);
    half.resize(half.size() / 2);
    testsupport::WriteBytes(dir.File("ninja_bones.mqo"), half);
    messages.messages.clear();
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(g_scene.m_modelPath, "walk.mqo");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].rfind("テクスチャファイルの読み込みに失敗しました\ngone.png", 0), 0u);
}

TEST_F(DocumentRoads, ObjectsOfBinaryVerticesInBothModelReadsOfOneOpenAreToldOnce)
{
    const std::string told = "次のオブジェクトの頂点はバイナリ形式（BVertex）で保存されているため読み込めませんでした\npacked";
    const std::string model = "Metasequoia Document\r\nFormat Text Ver 1.1\r\nObject \"packed\" {\r\n\tBVertex 1 {\r\n"
                              "\t\tVector 1 [12]\r\n" +
                              std::string(12, '\0') + "\r\n\t}\r\n}\r\n";
    const std::string path = dir.Write("packed.mqo", model + "Eof\r\n");
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(messages.messages, std::vector<std::string>{told});
    const std::string scene = dir.File("walk.zlkx");
    ASSERT_TRUE(doc.OnSaveDocument(scene));
    // The stored model file ends inside a chunk after the packed object; the one named like
    // the scene is whole.
    dir.Write("walk.mqo", model);
    dir.Write("packed.mqo", model + "Object \"cut\" {\r\n");
    messages.messages.clear();
    ASSERT_TRUE(doc.OnOpenDocument(scene));
    EXPECT_EQ(g_scene.m_modelPath, "walk.mqo");
    EXPECT_EQ(messages.messages, std::vector<std::string>{told});
}

TEST_F(DocumentRoads, FailedModelImportOtherFilesAndAFailedSaveAreReported)
{
    const std::string notAModel = dir.Write("notes.mqo", "just some text\n");
    MakeScene("a.zlkx");
    doc.OnNewDocument();
    EXPECT_FALSE(doc.OpenDocumentFile(notAModel));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0], "「" + notAModel + "」を読み込めませんでした。\nMetasequoia のファイルではありません。");
    ExpectUntitledEmptyScene(doc);

    // A file of another kind changes nothing: scene, title, modified flag.
    const std::string path = dir.File("a.zlkx");
    ASSERT_TRUE(doc.OpenDocumentFile(path));
    doc.SetModifiedFlag();
    messages.answer = MessageResult::No;
    const std::string text = dir.Write("readme.txt", "hello");
    EXPECT_FALSE(doc.OpenDocumentFile(text));
    EXPECT_EQ(messages.messages.back(), "「" + text + "」は開くことのできない種類のファイルです。");
    EXPECT_EQ(doc.GetTitle(), "a.zlkx");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(g_scene.m_models.size(), 1u);

    // A failed save: the target is now a folder, which stays; the document stays modified.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_FALSE(doc.OnFileSave());
    EXPECT_EQ(messages.messages.back().rfind("ドキュメントの保存に失敗しました。", 0), 0u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

namespace {

// Stops a read once it has come past the given share of its file; keeps what it was told.
struct StoppingProgress : IProgressSink {
    explicit StoppingProgress(double share) : stopAt(share), previous(SetProgressSink(this)) {}
    ~StoppingProgress() override { SetProgressSink(previous); }
    void Begin(const std::string& text) override { texts.push_back(text); }
    bool Update(std::uint64_t done, std::uint64_t total) override
    {
        reports.emplace_back(done, total);
        return done < stopAt * static_cast<double>(total);
    }
    void End() override { ++ended; }

    double stopAt;
    IProgressSink* previous;
    std::vector<std::string> texts;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> reports;
    int ended = 0;
};

}  // namespace

// Scene and model reads tell how far they have come; a read the user stops leaves the
// document as one that failed, without a message.
TEST_F(DocumentRoads, ReadsReportTheirProgressAndAStoppedReadEndsAsAFailedOne)
{
    const std::string scene = MakeScene("walk.zlkx");
    g_scene.m_animationNames.assign(50, std::string(20000, 'n'));  // 1 MB of names
    ASSERT_TRUE(doc.OnSaveDocument(scene));
    std::string model = "Metasequoia Document\nFormat Text Ver 1.0\nObject \"a\" {\n\tvertex 400000 {\n";
    for (int v = 0; v < 400000; ++v)
        model += "\t\t1 2 3\n";
    const std::string modelPath = dir.Write("large.mqo", model + "\t}\n}\nEof\n");

    for (const std::string& path : {scene, modelPath}) {
        // Read whole, the reports of the file climb to its size (a scene's model file follows).
        {
            StoppingProgress progress(2.0);
            ASSERT_TRUE(doc.OnOpenDocument(path)) << path;
            const std::uint64_t size = std::filesystem::file_size(path);
            std::vector<std::uint64_t> done;
            for (const auto& [read, total] : progress.reports)
                if (total == size)
                    done.push_back(read);
            ASSERT_GE(done.size(), 2u) << path;
            EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
            EXPECT_EQ(done.back(), size);
            const std::string name = std::filesystem::path(path).filename().string();
            EXPECT_EQ(progress.texts, std::vector<std::string>{"「" + name + "」を読み込んでいます…"});
            EXPECT_EQ(progress.ended, 1);
        }
        // Stopped half way: untitled and empty, no message, the panes told.
        StoppingProgress progress(0.5);
        view.hints.clear();
        doc.SetModifiedFlag(false);
        EXPECT_FALSE(doc.OpenDocumentFile(path)) << path;
        EXPECT_TRUE(messages.messages.empty()) << messages.messages.front();
        ExpectUntitledEmptyScene(doc);
        EXPECT_EQ(view.hints, std::vector<int>{HintDocumentLoaded});
        EXPECT_EQ(progress.ended, 1);
        EXPECT_GE(2 * progress.reports.back().first, progress.reports.back().second);
        EXPECT_LT(progress.reports.back().first, progress.reports.back().second);
    }
}

// The textures a read missed are told once its progress has ended, and not at all when the
// user stopped the read.
TEST_F(DocumentRoads, MissedTexturesAreToldAfterTheProgressAndNotAfterAStop)
{
    std::string model = "Metasequoia Document\nFormat Text Ver 1.0\nMaterial 1 {\n\t\"m\" tex(\"gone.png\")\n}\n"
                        "Object \"a\" {\n\tvertex 400000 {\n";
    for (int v = 0; v < 400000; ++v)
        model += "\t\t1 2 3\n";
    const std::string path = dir.Write("large.mqo", model + "\t}\n}\nEof\n");

    struct ToldAfter : IMessageSink {
        explicit ToldAfter(const StoppingProgress& p) : progress(p), previous(SetMessageSink(this)) {}
        ~ToldAfter() override { SetMessageSink(previous); }
        MessageResult Show(const std::string& text, MessageButtons, MessageIcon) override
        {
            told.emplace_back(text, progress.ended);
            return MessageResult::Ok;
        }
        const StoppingProgress& progress;
        IMessageSink* previous;
        std::vector<std::pair<std::string, int>> told;  // message, tasks ended by then
    };
    for (const double stop : {2.0, 0.5}) {
        StoppingProgress progress(stop);
        ToldAfter messages(progress);
        doc.SetModifiedFlag(false);
        EXPECT_EQ(doc.OpenDocumentFile(path), stop > 1.0);
        if (stop > 1.0) {
            ASSERT_EQ(messages.told.size(), 1u);
            EXPECT_EQ(messages.told[0].first, "テクスチャファイルの読み込みに失敗しました\ngone.png");
            EXPECT_EQ(messages.told[0].second, 1);
        } else {
            EXPECT_TRUE(messages.told.empty());
        }
    }
}

TEST(LoadedSceneChecks, AnimationsOfEveryBoneTakeBoneZerosLengthWithAKeyAtFrameZero)
{
    CCentigrade scene;
    scene.m_animationNames = {"Walk", "Run"};
    scene.m_bones.resize(3);
    scene.m_bones[0].m_animations.assign(2, std::vector<CAnimation>(5));
    scene.m_bones[0].m_animations[1].resize(3);
    scene.m_bones[1].m_animations.assign(1, std::vector<CAnimation>(9));  // too long, one animation short
    scene.m_bones[1].m_animations[0][4].m_translate.m_x = 7.0f;
    scene.m_bones[2].m_animations.assign(3, std::vector<CAnimation>(2));  // one animation too many

    ASSERT_TRUE(scenefile::FitAnimationLengths(scene));
    for (const CBone& bone : scene.m_bones) {
        ASSERT_EQ(bone.m_animations.size(), 2u);
        EXPECT_EQ(bone.m_animations[0].size(), 5u);
        EXPECT_EQ(bone.m_animations[1].size(), 3u);
        EXPECT_TRUE(bone.m_animations[0][0].m_key);
        EXPECT_TRUE(bone.m_animations[1][0].m_key);
        EXPECT_FALSE(bone.m_animations[0][4].m_key);
    }
    EXPECT_EQ(scene.m_bones[1].m_animations[0][4].m_translate.m_x, 7.0f);
    EXPECT_EQ(scene.m_bones[2].m_animations[0][4].m_scale.m_x, 1.0f);  // padded samples are reset ones

    // A file without animation names still gets one; bone 0 without samples borrows the longest.
    scene.m_animationNames.clear();
    scene.m_bones[0].m_animations[0].clear();
    scene.m_bones[1].m_animations[0].resize(8);
    ASSERT_TRUE(scenefile::FitAnimationLengths(scene));
    ASSERT_EQ(scene.m_animationNames.size(), 1u);
    for (const CBone& bone : scene.m_bones)
        EXPECT_EQ(bone.m_animations.at(0).size(), 8u);

    // Padding may add 1,048,576 samples (or as many as the bones hold): 512 bones without
    // samples padded to two animations of 1,024 samples each reach that; one more bone is
    // refused and changes nothing.
    scene.m_animationNames = {"Walk", "Run"};
    scene.m_bones.resize(1);
    scene.m_bones[0].m_animations.assign(2, std::vector<CAnimation>(1024));
    scene.m_bones.resize(514);
    for (std::size_t b = 1; b < scene.m_bones.size(); ++b)
        scene.m_bones[b].m_animations.clear();
    EXPECT_FALSE(scenefile::FitAnimationLengths(scene));
    EXPECT_TRUE(scene.m_bones[1].m_animations.empty());
    scene.m_bones.pop_back();
    ASSERT_TRUE(scenefile::FitAnimationLengths(scene));
    EXPECT_EQ(scene.m_bones[512].m_animations.at(1).size(), 1024u);
}

TEST(LoadedSceneChecks, BindingsToBonesThatDoNotExistAreDropped)
{
    CCentigrade scene;
    scene.m_bones.resize(2);
    scene.m_models.resize(1);
    for (int bone : {-1, 0, 1, 2, -5, 1000})
        scene.m_models[0].m_vertices.emplace_back(0.0f, 0.0f, 0.0f).m_boneIndex = bone;
    ClipVertexBindings(scene);
    std::vector<int> bones;
    for (const CVector& v : scene.m_models[0].m_vertices)
        bones.push_back(v.m_boneIndex);
    EXPECT_EQ(bones, (std::vector<int>{-1, 0, 1, -1, -1, -1}));
}
