// What a scene file may hold: every count and string up to its limit reads, one more is
// refused; samples and map entries the file does not hold count against the padding bound;
// files of a few megabytes that would cost gigabytes are refused at once.
#include "import/ModelFile.h"
#include "import/MqoError.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"
#include "support/CostlyFiles.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <malloc.h>

using testsupport::EmptyRecords;

namespace {

// Resident bytes now ("VmRSS:") or at their peak ("VmHWM:").
std::int64_t Resident(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0)
            return std::stoll(line.substr(key.size())) * 1024;
    return -1;
}

class SceneLimits : public ::testing::Test {
protected:
    void TearDown() override
    {
        g_scene.ResetScene();
        g_scene.m_materialMaps.clear();
        g_scene.m_loadedModels.clear();
        g_lastFrame = 100;
        g_fileVersion = 0.0f;
    }
    // "" when the file reads, else why not.
    static std::string Refusal(const EmptyRecords& counts)
    {
        const std::vector<std::uint8_t> file = testsupport::SceneOfEmptyRecords(counts);
        std::string error;
        scenefile::ReadSceneBytes(file.data(), file.size(), error);
        return error.substr(0, error.find(" at byte"));
    }
};

}  // namespace

TEST_F(SceneLimits, EachLimitIsTheLastCountAFileMayHold)
{
    const std::string count = "count above the limit of 65536";
    for (const auto& [counts, refusal] : std::initializer_list<std::pair<EmptyRecords (*)(std::int32_t), std::string>>{
             {[](std::int32_t n) { return EmptyRecords{.models = n}; }, count},
             {[](std::int32_t n) { return EmptyRecords{.pathBytes = std::uint32_t(n)}; }, "string longer than 65536 bytes"},
             {[](std::int32_t n) { return EmptyRecords{.names = n}; }, count},
             {[](std::int32_t n) { return EmptyRecords{.maps = n}; }, count},
             {[](std::int32_t n) { return EmptyRecords{.maps = 1, .mapEntries = n}; }, count},
             {[](std::int32_t n) { return EmptyRecords{.materials = n}; }, count},
             {[](std::int32_t n) { return EmptyRecords{.bones = n}; }, count},
             {[](std::int32_t n) { return EmptyRecords{.bones = 1, .animations = n}; }, count}}) {
        EXPECT_EQ(Refusal(counts(65536)), "");
        EXPECT_EQ(Refusal(counts(65537)), refusal);
    }

    // A string the reader would refuse is not saved either: the file would not open again.
    testsupport::TempDir folder;
    std::string message;
    g_scene.m_animationNames = {std::string(65536, 'n')};
    ASSERT_TRUE(scenefile::WriteSceneFile(folder.File("longest.zlkx"), message)) << message;
    ASSERT_TRUE(scenefile::ReadSceneFile(folder.File("longest.zlkx"), message)) << message;
    g_scene.m_animationNames[0] += 'n';
    EXPECT_FALSE(scenefile::WriteSceneFile(folder.File("longer.zlkx"), message));
    EXPECT_EQ(message, "ドキュメントの保存に失敗しました。\n65536 バイトを超える名前やパスは保存できません。");
}

// An animation stored without samples reads as ten, which the file does not hold, and so
// are padding; map entries too. Both under the bound of 1,048,576 (or what the file holds).
TEST_F(SceneLimits, SamplesAndMapEntriesTheFileDoesNotHoldArePadding)
{
    const std::string samples = "the bones' animations would be padded beyond the limit";
    EXPECT_EQ(Refusal({.bones = 1, .animations = 65536, .samples = 0}), "");
    EXPECT_EQ(Refusal({.bones = 2, .animations = 65536, .samples = 0}), samples);
    EXPECT_EQ(Refusal({.bones = 50000, .animations = 3, .samples = 0}), samples);  // met while the bones are read
    const std::string entries = "the material maps would be padded beyond the limit";
    EXPECT_EQ(Refusal({.names = 1000, .materials = 1000}), "");
    EXPECT_EQ(Refusal({.names = 2000, .materials = 1000}), entries);
    EXPECT_EQ(Refusal({.names = 2000, .maps = 2000, .mapEntries = 1000, .materials = 1000}), "");
}

// The constructor gives a bone as many samples as the current animation is long; a bone read
// from a file keeps only what the file gives, at the memory that takes.
TEST_F(SceneLimits, BonesReadWhileTheTimelineIsLongHoldOnlyWhatTheFileGives)
{
    g_lastFrame = 100000;
    for (const std::int32_t samples : {3, 0}) {
        const std::vector<std::uint8_t> file =
            testsupport::SceneOfEmptyRecords({.bones = 20, .animations = 2, .samples = samples});
        std::string error;
        ASSERT_TRUE(scenefile::ReadSceneBytes(file.data(), file.size(), error)) << error;
        for (const CBone& bone : g_scene.m_bones)
            for (const std::vector<CAnimation>& animation : bone.m_animations)
                EXPECT_LE(animation.capacity(), 10u);
        // Stored empty: ten samples, in the first animation sample 0 a key.
        EXPECT_EQ(g_scene.m_bones[0].m_animations[1].size(), samples ? 3u : 10u);
        EXPECT_EQ(g_scene.m_bones[0].m_animations[0][0].m_key, samples == 0);
        EXPECT_FALSE(g_scene.m_bones[0].m_animations[1][0].m_key);
    }
}

// Each costly file (tests/support/CostlyFiles.h) is refused with the reader's peak memory
// growing by no more than three times the file's size, and 64 MiB for the sparse 3 GiB one.
TEST_F(SceneLimits, CostlyFilesAreRefusedAtOnceWithinThreeTimesTheirSize)
{
    CapturingMessageSink messages;
    testsupport::TempDir folder;
    for (const testsupport::CostlyFile kind : testsupport::kCostlyFiles) {
        const std::string path = testsupport::WriteCostlyFile(kind, folder.Path());
        const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
        g_fileVersion = kVersion390;
        // A new peak from what is resident now, with memory freed before given back.
        malloc_trim(0);
        if (!(std::ofstream("/proc/self/clear_refs") << "5"))
            GTEST_SKIP() << "the peak of resident memory cannot be reset here";
        const std::int64_t before = Resident("VmRSS:");
        std::string message;
        if (kind == testsupport::CostlyFile::ModelOfManyMaterials) {
            std::FILE* file = mqo::OpenModelFile(path, message);
            ASSERT_NE(file, nullptr) << message;
            EXPECT_EQ(g_scene.ImportMqoStream(file), MqoErrorTooLarge);
            std::fclose(file);
        } else {
            EXPECT_FALSE(scenefile::ReadSceneFile(path, message));
            EXPECT_EQ(message, path + " の形式が正しくありません。");
        }
        EXPECT_LE(Resident("VmHWM:") - before, std::min<std::int64_t>(3 * size, 64 << 20)) << path;
        std::filesystem::remove(path);
    }
}
