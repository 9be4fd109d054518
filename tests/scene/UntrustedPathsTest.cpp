// Paths that are no regular file, and files that change while they are read, on every road
// that opens a file: the scene file, the model file and a texture.
#include "import/LoaderMQO.h"
#include "platform/Messages.h"
#include "platform/RegularFile.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"
#include "support/Bytes.h"
#include "support/TempFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const char* const kOpenFailure = "ドキュメントを開くことに失敗しました。";
const char* const kTextureFailure = "テクスチャファイルの読み込みに失敗しました";

class UntrustedPaths : public ::testing::Test {
protected:
    void SetUp() override { g_scene.ResetScene(); }
    void TearDown() override
    {
        g_scene.ResetScene();
        g_fileVersion = 0.0f;
    }
    void Append(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary | std::ios::app) << text;
    }

    testsupport::TempDir m_dir;
    CapturingMessageSink m_messages;
};

}  // namespace

// A folder, an endless device and a FIFO nobody writes to: each is refused at once (a FIFO
// would block the open for ever) with the road's own message, which says what the path is.
TEST_F(UntrustedPaths, NonRegularPathsAreRefusedOnEveryRoad)
{
    const std::string fifo = m_dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(m_dir.File("folder.zlkx"));
    const std::pair<std::string, std::string> paths[] = {{m_dir.File("folder.zlkx"), "フォルダーです。"},
                                                         {"/dev/zero", "デバイスです。"},
                                                         {fifo, "FIFO（名前付きパイプ）です。"}};
    for (const auto& [path, kind] : paths) {
        std::string message;
        EXPECT_FALSE(scenefile::ReadSceneFile(path, message)) << path;
        EXPECT_EQ(message, std::string(kOpenFailure) + "\n" + path + ": " + kind) << path;
        EXPECT_FALSE(g_scene.ImportMqo(path)) << path;
        CMaterial material;
        material.m_texture = path;
        EXPECT_FALSE(material.LoadTexture()) << path;
    }
    EXPECT_THAT(m_messages.messages, ::testing::Each(kTextureFailure));
    EXPECT_EQ(m_messages.messages.size(), 3u);
}

TEST_F(UntrustedPaths, FilesAreReadOnlyAsFarAsTheyReachedWhenOpened)
{
    const std::string path = m_dir.Write("grows.bin", std::string(100, 'a'));
    RegularFile file;
    ASSERT_TRUE(file.Open(path));
    Append(path, std::string(50, 'b'));
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(file.ReadRest(data));
    EXPECT_EQ(data, std::vector<std::uint8_t>(100, 'a'));

    // A model file that grows while it is read: what was added is not read.
    const std::string header = "Metasequoia Document\nFormat Text Ver 1.0\n";
    const std::string model = m_dir.Write("grows.mqo", header + "Object \"a\" {\n\tvertex 1 {\n\t\t1 2 3\n\t}\n}\n");
    ASSERT_TRUE(file.Open(model));
    std::FILE* stream = file.ReleaseStream();
    ASSERT_NE(stream, nullptr);
    {
        LoaderMQO loader(&g_scene, stream);
        Append(model, "Object \"b\" {\n\tvertex 1 {\n\t\t4 5 6\n\t}\n}\n");
        EXPECT_EQ(loader.Load(), MqoErrorNone);
    }
    std::fclose(stream);
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_models[0].m_vertices.size(), 1u);
}

// A format version of 0 (a file of zeros), below 0 or not a number is no scene file; a
// large file is refused from its head without being read.
TEST_F(UntrustedPaths, SceneFileVersionsMustBeFinitePositiveNumbers)
{
    for (float version : {0.0f, -3.92f, std::nanf(""), std::numeric_limits<float>::infinity()}) {
        Bytes file;
        file.f32(30.0f).f32(version).raw(std::string(64, '\0').data(), 64);
        std::string error;
        EXPECT_FALSE(scenefile::ReadSceneBytes(file.data.data(), file.data.size(), error)) << version;
    }
    const std::string zeros = m_dir.File("zeros.zlkx");
    std::filesystem::resize_file(m_dir.Write("zeros.zlkx", ""), std::uintmax_t(1) << 30);  // sparse
    std::string message;
    EXPECT_FALSE(scenefile::ReadSceneFile(zeros, message));
    EXPECT_EQ(message, zeros + " の形式が正しくありません。");
}

// A valid head followed by 2 GiB of zeros is an empty scene: the file is read only as far as
// the scene goes, never held in memory.
TEST_F(UntrustedPaths, SceneFilesAreReadOnlyAsFarAsTheSceneGoes)
{
    Bytes head;
    head.f32(30.0f).f32(3.92f);
    const std::string path = m_dir.Write("large.zlkx", std::string(head.data.begin(), head.data.end()));
    std::filesystem::resize_file(path, std::uintmax_t(2) << 30);  // sparse
    struct rusage before {}, after {};
    ::getrusage(RUSAGE_SELF, &before);
    std::string message;
    ASSERT_TRUE(scenefile::ReadSceneFile(path, message)) << message;
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_TRUE(g_scene.m_bones.empty() && g_scene.m_loadedModels.empty());
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256 * 1024) << "KiB";
}
