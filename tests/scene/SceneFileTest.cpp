// Scene files of every layout, built byte by byte from the format tables.
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"
#include "support/Bytes.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

namespace {

class SceneFile : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override
    {
        Clear();
        g_lastFrame = 100;
        g_frameRate = 30.0f;
        g_fileVersion = 0.0f;
    }
    static void Clear()
    {
        g_scene.ResetScene();
        g_scene.m_materialMaps.clear();
        g_scene.m_loadedModels.clear();
        g_scene.m_modelPath.clear();
    }
    static bool Read(const Bytes& b)
    {
        std::string error;
        const bool ok = scenefile::ReadSceneBytes(b.data.data(), b.data.size(), error);
        EXPECT_EQ(ok, error.empty()) << error;
        return ok;
    }
};

// Writers for the records of each layout.
Bytes Head(float version) { return std::move(Bytes().f32(24.0f).f32(version)); }

void OldVector(Bytes& b, float version, float x, float y, float z, std::int32_t bone, float weight)
{
    b.f32(x).f32(y).f32(z).i32(bone);
    if (version >= 3.0f)
        b.f32(weight);
}

void Sample(Bytes& b, float version, float base, bool key)
{
    if (version < 3.31f) {
        OldVector(b, version, base, base + 1, base + 2, -1, 1.0f);
        OldVector(b, version, base + 3, base + 4, base + 5, -1, 1.0f);
        OldVector(b, version, base + 6, base + 7, base + 8, -1, 1.0f);
    } else {
        for (int i = 0; i < 9; ++i)
            b.f32(base + i);
    }
    b.boolean(key);
}

void OldMaterial(Bytes& b, std::int32_t id, const std::string& name)
{
    b.i32(id).str(name).f32(0.1f).f32(0.2f).f32(0.3f).f32(0.4f);
    b.f32(0.9f).f32(0.5f).f32(0.6f).f32(0.7f).f32(12.0f);
    b.str("tex\\a.png").str("alpha.png").str("bump.png");
}

// The common rows 3 to 11 (bone count through weight-map range) of every layout.
void Settings(Bytes& b, float version, std::int32_t bones)
{
    b.i32(bones).i32(77).i32(5).f32(150.0f);
    b.i32(2).str("Walk").str("\x91\x96\x82\xE9");  // 走る
    b.u32(0x00332211);
    b.i32(2).i32(2).i32(0).i32(1).i32(1).i32(1);
    if (version >= 3.32f)
        b.f32(45.0f);
    if (version >= 3.0f)
        b.i32(3);
}

// A file of version 3.31 or below: two models, one old material, one bone with two
// animations.
Bytes OldFile(float version)
{
    Bytes b = Head(version);
    b.i32(1);  // model count
    b.i32(1);  // old material count
    Settings(b, version, 1);
    // The model.
    b.i32(9).str("Body").i32(2).i32(1).i32(1).f32(30.0f);
    OldVector(b, version, 1, 2, 3, 0, 0.5f);
    OldVector(b, version, 4, 5, 6, -1, 1.0f);
    b.i32(0).i32(3).i32(0).i32(1).i32(1).i32(1).f32(0.5f).f32(0.25f);  // a face: material, 3 indices, 1 UV
    // The camera.
    Sample(b, version, 100.0f, false);
    OldMaterial(b, 4, "Skin");
    // The bone.
    b.str("Arm").i32(0).i32(-1).i32(11).i32(12);
    b.i32(2).i32(2);
    Sample(b, version, 1.0f, true);
    Sample(b, version, 20.0f, false);
    b.i32(0);  // second animation stored empty
    OldVector(b, version, 7, 8, 9, -1, 1.0f);
    OldVector(b, version, 10, 11, 12, -1, 1.0f);
    return b;
}

void ExpectSettings(float version)
{
    EXPECT_EQ(g_frameRate, 24.0f);
    EXPECT_EQ(g_fileVersion, version);
    EXPECT_EQ(g_scene.m_reserved, 77);
    EXPECT_EQ(g_scene.m_nextMaterialId, 0);  // read, then numbered again by the model reader
    EXPECT_EQ(g_scene.m_zoom, 150.0f);
    EXPECT_EQ(g_scene.m_animationNames, (std::vector<std::string>{"Walk", "\x91\x96\x82\xE9"}));
    EXPECT_EQ(g_scene.m_backgroundColor, 0x00332211u);
    EXPECT_EQ(g_scene.m_materialMaps, (std::vector<std::vector<std::int32_t>>{{0, 1}, {1}}));
    EXPECT_EQ(g_scene.m_smoothingAngle, version >= 3.32f ? 45.0f : 89.5f);
    EXPECT_EQ(g_scene.m_weightMapRange, version >= 3.0f ? 3 : 0);
}

void ExpectSample(const CAnimation& s, float base, bool key)
{
    EXPECT_EQ(s.m_translate.m_x, base);
    EXPECT_EQ(s.m_translate.m_z, base + 2);
    EXPECT_EQ(s.m_rotate.m_y, base + 4);
    EXPECT_EQ(s.m_scale.m_x, base + 6);
    EXPECT_EQ(s.m_scale.m_z, base + 8);
    EXPECT_EQ(s.m_key, key);
}

}  // namespace

TEST_F(SceneFile, OldLayoutsReadFieldByField)
{
    for (float version : {2.9f, 3.0f, 3.3f, 3.31f}) {
        SCOPED_TRACE(version);
        Clear();
        g_scene.m_materials.resize(2);  // old files discard their materials
        g_scene.m_modelPath = "kept.mqo";
        ASSERT_TRUE(Read(OldFile(version)));
        ExpectSettings(version);
        EXPECT_EQ(g_scene.m_modelPath, "kept.mqo");
        EXPECT_TRUE(g_scene.m_materials.empty());

        ASSERT_EQ(g_scene.m_loadedModels.size(), 1u);
        const CModel& model = g_scene.m_loadedModels[0];
        EXPECT_EQ(model.m_legacyValue, 9);
        EXPECT_EQ(model.m_name, "Body");
        EXPECT_EQ(model.m_mirrorAxis, 1);
        EXPECT_EQ(model.m_smoothingAngle, 30.0f);
        EXPECT_TRUE(model.m_faces.empty());
        ASSERT_EQ(model.m_vertices.size(), 2u);
        EXPECT_EQ(model.m_vertices[0].m_x, 1);
        EXPECT_EQ(model.m_vertices[0].m_z, 3);
        EXPECT_EQ(model.m_vertices[0].m_boneIndex, 0);
        EXPECT_EQ(model.m_vertices[0].m_weight, version >= 3.0f ? 0.5f : 1.0f);

        ExpectSample(g_scene.m_camera, 100.0f, false);

        ASSERT_EQ(g_scene.m_bones.size(), 1u);
        const CBone& bone = g_scene.m_bones[0];
        EXPECT_EQ(bone.m_name, "Arm");
        EXPECT_EQ(bone.m_parent, -1);
        EXPECT_EQ(bone.m_headVertex, 11);
        EXPECT_EQ(bone.m_tailVertex, 12);
        EXPECT_EQ(bone.m_head.m_x, 7);
        EXPECT_EQ(bone.m_tail.m_z, 12);
        ASSERT_EQ(bone.m_animations.size(), 2u);
        ASSERT_EQ(bone.m_animations[0].size(), 2u);
        ExpectSample(bone.m_animations[0][0], 1.0f, true);
        ExpectSample(bone.m_animations[0][1], 20.0f, false);
        // Stored empty: ten samples at their defaults, none a key.
        ASSERT_EQ(bone.m_animations[1].size(), 10u);
        EXPECT_FALSE(bone.m_animations[1][0].m_key);
        EXPECT_EQ(bone.m_animations[1][9].m_scale.m_y, 1.0f);
    }
}

// 3.32 up to 3.92 (exclusive): the model path instead of materials, and no material rows.
TEST_F(SceneFile, MiddleLayoutHasNoMaterials)
{
    Bytes b = Head(3.5f);
    b.i32(1).str("C:\\\x83\x5C\\walk.mqo");  // ソ in the folder: trail byte 0x5C
    Settings(b, 3.5f, 1);
    b.i32(2).i32(1).f32(0.75f).i32(-1).f32(1.0f);  // model: two vertices, bone and weight each
    Sample(b, 3.5f, 100.0f, true);
    b.str("Hip").i32(1).i32(1);
    Sample(b, 3.5f, 5.0f, true);

    g_scene.m_materials.resize(3);
    ASSERT_TRUE(Read(b));
    ExpectSettings(3.5f);
    EXPECT_EQ(g_scene.m_modelPath, "C:\\\x83\x5C\\walk.mqo");
    EXPECT_EQ(g_scene.m_materials.size(), 3u);  // whatever the scene held before
    ASSERT_EQ(g_scene.m_loadedModels.size(), 1u);
    EXPECT_EQ(g_scene.m_loadedModels[0].m_vertices[0].m_boneIndex, 1);
    EXPECT_EQ(g_scene.m_loadedModels[0].m_vertices[0].m_weight, 0.75f);
    EXPECT_EQ(g_scene.m_loadedModels[0].m_vertices[0].m_x, 0.0f);
    EXPECT_EQ(g_scene.m_loadedModels[0].m_name, "Model");
    ASSERT_EQ(g_scene.m_bones.size(), 1u);
    EXPECT_EQ(g_scene.m_bones[0].m_name, "Hip");
    EXPECT_EQ(g_scene.m_bones[0].m_id, 0);
    ASSERT_EQ(g_scene.m_bones[0].m_animations[0].size(), 1u);
    ExpectSample(g_scene.m_bones[0].m_animations[0][0], 5.0f, true);
}

namespace {

// A 3.92 file exactly as the writer must produce it for the scene built in BuildScene().
Bytes NewFile()
{
    Bytes b = Head(3.92f);
    b.i32(1).str("walk.mqo");
    Settings(b, 3.92f, 2);
    b.i32(1);  // material count
    b.i32(3).i32(0).f32(1.0f).i32(1).f32(0.5f).i32(-1).f32(1.0f);
    Sample(b, 3.92f, 100.0f, false);
    OldMaterial(b, 4, "Skin");
    b.f32(0.25f).f32(0.5f).f32(0.75f).str("toon.bmp");
    b.str("Root").i32(1).i32(2);
    Sample(b, 3.92f, 1.0f, true);
    Sample(b, 3.92f, 20.0f, false);
    b.str("\x95\x5C").i32(2).i32(1);  // 表
    Sample(b, 3.92f, 3.0f, true);
    b.i32(1);
    Sample(b, 3.92f, 4.0f, true);
    return b;
}

void SetSample(CAnimation& s, float base, bool key)
{
    s.m_translate = CVector(base, base + 1, base + 2);
    s.m_rotate = CVector(base + 3, base + 4, base + 5);
    s.m_scale = CVector(base + 6, base + 7, base + 8);
    s.m_key = key;
}

void BuildScene()
{
    g_frameRate = 24.0f;
    g_scene.m_modelPath = "walk.mqo";
    g_scene.m_reserved = 77;
    g_scene.m_nextMaterialId = 5;
    g_scene.m_zoom = 150.0f;
    g_scene.m_animationNames = {"Walk", "\x91\x96\x82\xE9"};
    g_scene.m_backgroundColor = 0x00332211;
    g_scene.m_materialMaps = {{0, 1}, {1}};
    g_scene.m_smoothingAngle = 45.0f;
    g_scene.m_weightMapRange = 3;
    g_scene.m_models.resize(1);
    g_scene.m_models[0].m_vertices.resize(3);
    g_scene.m_models[0].m_vertices[0].m_boneIndex = 0;
    g_scene.m_models[0].m_vertices[1].m_boneIndex = 1;
    g_scene.m_models[0].m_vertices[1].m_weight = 0.5f;
    g_scene.m_models[0].m_vertices[2].m_x = 99.0f;  // geometry never travels in new files
    SetSample(g_scene.m_camera, 100.0f, false);
    CMaterial skin(4);
    skin.m_name = "Skin";
    skin.m_color = {0.1f, 0.2f, 0.3f, 0.4f};
    skin.m_diffuse = 0.9f;
    skin.m_ambient = 0.5f;
    skin.m_emissive = 0.6f;
    skin.m_specular = 0.7f;
    skin.m_power = 12.0f;
    skin.m_texture = "tex\\a.png";
    skin.m_alphaPlane = "alpha.png";
    skin.m_bump = "bump.png";
    skin.m_toonColor = {0.25f, 0.5f, 0.75f};
    skin.m_toonTexture = "toon.bmp";
    g_scene.m_materials = {skin};
    g_scene.m_bones.resize(2);
    g_scene.m_bones[0].m_name = "Root";
    g_scene.m_bones[0].m_animations = {std::vector<CAnimation>(2)};
    SetSample(g_scene.m_bones[0].m_animations[0][0], 1.0f, true);
    SetSample(g_scene.m_bones[0].m_animations[0][1], 20.0f, false);
    g_scene.m_bones[1].m_name = "\x95\x5C";
    g_scene.m_bones[1].m_animations = {std::vector<CAnimation>(1), std::vector<CAnimation>(1)};
    SetSample(g_scene.m_bones[1].m_animations[0][0], 3.0f, true);
    SetSample(g_scene.m_bones[1].m_animations[1][0], 4.0f, true);
}

}  // namespace

TEST_F(SceneFile, WritesTheNewestLayoutByteForByte)
{
    BuildScene();
    g_fileVersion = 3.31f;
    EXPECT_EQ(scenefile::WriteSceneBytes(), NewFile().data);
    EXPECT_EQ(g_fileVersion, 3.92f);
}

TEST_F(SceneFile, NewLayoutReadsFieldByFieldAndWritesBackTheSameBytes)
{
    const Bytes file = NewFile();
    ASSERT_TRUE(Read(file));
    ExpectSettings(3.92f);
    ASSERT_EQ(g_scene.m_materials.size(), 1u);
    const CMaterial& m = g_scene.m_materials[0];
    EXPECT_EQ(m.m_id, 4);
    EXPECT_EQ(m.m_name, "Skin");
    EXPECT_EQ(m.m_color, (std::array<float, 4>{0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_EQ(m.m_power, 12.0f);
    EXPECT_EQ(m.m_texture, "tex\\a.png");
    EXPECT_EQ(m.m_bump, "bump.png");
    EXPECT_EQ(m.m_toonColor, (std::array<float, 3>{0.25f, 0.5f, 0.75f}));
    EXPECT_EQ(m.m_toonTexture, "toon.bmp");
    ASSERT_EQ(g_scene.m_bones.size(), 2u);
    EXPECT_EQ(g_scene.m_bones[1].m_name, "\x95\x5C");
    EXPECT_EQ(g_scene.m_bones[1].m_id, 1);
    ASSERT_EQ(g_scene.m_loadedModels[0].m_vertices.size(), 3u);
    EXPECT_EQ(g_scene.m_loadedModels[0].m_vertices[1].m_weight, 0.5f);

    // The stored models come back as loaded models; put them where the writer looks.
    g_scene.m_models = g_scene.m_loadedModels;
    g_scene.m_nextMaterialId = 5;
    EXPECT_EQ(scenefile::WriteSceneBytes(), file.data);
}

TEST_F(SceneFile, SceneWithoutBonesOrModels)
{
    const std::vector<std::uint8_t> bytes = scenefile::WriteSceneBytes();
    BuildScene();
    std::string error;
    ASSERT_TRUE(scenefile::ReadSceneBytes(bytes.data(), bytes.size(), error));
    EXPECT_TRUE(g_scene.m_bones.empty());
    EXPECT_TRUE(g_scene.m_loadedModels.empty());
    EXPECT_TRUE(g_scene.m_materials.empty());
    EXPECT_EQ(g_scene.m_animationNames, (std::vector<std::string>{"Animation_0"}));
}

TEST_F(SceneFile, EmptyFileChangesNothing)
{
    BuildScene();
    std::string error;
    EXPECT_TRUE(scenefile::ReadSceneBytes(nullptr, 0, error));
    EXPECT_EQ(g_scene.m_bones.size(), 2u);
    EXPECT_EQ(g_frameRate, 24.0f);
}

// Every proper prefix of a valid file is refused, and a refused file changes nothing.
TEST_F(SceneFile, EveryTruncationIsRefusedWithoutChangingTheScene)
{
    for (const Bytes& file : {NewFile(), OldFile(2.9f), OldFile(3.31f)}) {
        for (std::size_t size = 1; size < file.data.size(); ++size) {
            Clear();
            BuildScene();
            g_fileVersion = 1.5f;
            std::string error;
            ASSERT_FALSE(scenefile::ReadSceneBytes(file.data.data(), size, error)) << size;
            EXPECT_NE(error.find("at byte"), std::string::npos);
            EXPECT_EQ(g_scene.m_bones.size(), 2u) << size;
            EXPECT_EQ(g_scene.m_animationNames[0], "Walk") << size;
            EXPECT_EQ(g_scene.m_materials[0].m_name, "Skin") << size;
            EXPECT_TRUE(g_scene.m_loadedModels.empty()) << size;
            EXPECT_EQ(g_fileVersion, 1.5f) << size;
            EXPECT_EQ(g_frameRate, 24.0f) << size;
        }
    }
}

TEST_F(SceneFile, AbsurdCountsAreRefusedBeforeAllocating)
{
    // Patch counts in a valid file: the model count, the bone count and a name count.
    struct Patch {
        std::size_t offset;
        std::int32_t value;
    };
    const std::size_t body = 8;
    const std::size_t afterPath = body + 4 + 1 + 8;
    for (const Patch& p : {Patch{body, -1}, Patch{body, 0x7FFFFFFF}, Patch{afterPath, -5},
                           Patch{afterPath, 100000000}, Patch{afterPath + 16, 0x40000000}}) {
        Bytes file = NewFile();
        std::memcpy(file.data.data() + p.offset, &p.value, 4);
        std::string error;
        EXPECT_FALSE(scenefile::ReadSceneBytes(file.data.data(), file.data.size(), error))
            << p.offset << " " << p.value;
    }
}

// Bones stored without animations are padded to every name when the scene is fitted: a file
// of 6,090 bytes naming 1,000 bones and 1,000 animations would ask for 101,000,000 samples.
TEST_F(SceneFile, BonesAndNamesThatWouldBePaddedBeyondTheLimitAreRefused)
{
    Bytes b = Head(3.92f);
    b.i32(0).str("").i32(1000).i32(0).i32(0).f32(0.0f).i32(1000);
    for (int i = 0; i < 1000; ++i)
        b.str("");
    b.u32(0).i32(0).f32(0.0f).i32(0).i32(0);
    Sample(b, 3.92f, 0.0f, false);
    for (int i = 0; i < 1000; ++i)
        b.str("").i32(0);
    ASSERT_EQ(b.data.size(), 6090u);
    BuildScene();
    std::string error;
    EXPECT_FALSE(scenefile::ReadSceneBytes(b.data.data(), b.data.size(), error));
    EXPECT_NE(error.find("padded beyond the limit"), std::string::npos) << error;
    EXPECT_EQ(g_scene.m_bones.size(), 2u);
}

TEST_F(SceneFile, NegativeSampleCountReadsAsTenSamples)
{
    Bytes b = Head(3.92f);
    b.i32(0).str("");
    Settings(b, 3.92f, 1);
    b.i32(0);
    Sample(b, 3.92f, 0.0f, false);
    b.str("Bone").i32(2).i32(-7).i32(0);
    ASSERT_TRUE(Read(b));
    const CBone& bone = g_scene.m_bones[0];
    ASSERT_EQ(bone.m_animations.size(), 2u);
    ASSERT_EQ(bone.m_animations[0].size(), 10u);
    EXPECT_TRUE(bone.m_animations[0][0].m_key);  // the constructor's samples remain
    ASSERT_EQ(bone.m_animations[1].size(), 10u);
    EXPECT_FALSE(bone.m_animations[1][0].m_key);
}

TEST_F(SceneFile, FilesOnDisk)
{
    testsupport::TempDir folder;
    // 表 in the file name: trail byte 0x5C.
    const std::string path = folder.Folder().string() + "/\x95\x5C.zlkx";
    BuildScene();
    std::string message;
    ASSERT_TRUE(scenefile::WriteSceneFile(path, message)) << message;
    const std::vector<std::uint8_t> written = testsupport::ReadBytes((folder.Folder() / "\xE8\xA1\xA8.zlkx").string());
    EXPECT_EQ(written, NewFile().data);

    Clear();
    ASSERT_TRUE(scenefile::ReadSceneFile(path, message)) << message;
    EXPECT_EQ(g_scene.m_bones.size(), 2u);

    // A file many times the reader's buffer, with samples and names across its seams, reads
    // back whole.
    g_scene.m_animationNames.assign(3000, std::string(300, 'n'));
    g_scene.m_bones[0].m_animations[0].resize(30000);
    g_scene.m_bones[0].m_animations[0][29999].m_rotate.m_y = 5.0f;
    g_scene.m_nextMaterialId = 0;  // read back as 0
    ASSERT_TRUE(scenefile::WriteSceneFile(path, message)) << message;
    const std::vector<std::uint8_t> large = scenefile::WriteSceneBytes();
    Clear();
    ASSERT_TRUE(scenefile::ReadSceneFile(path, message)) << message;
    ASSERT_EQ(g_scene.m_bones[0].m_animations[0].size(), 30000u);
    EXPECT_EQ(g_scene.m_bones[0].m_animations[0][29999].m_rotate.m_y, 5.0f);
    EXPECT_EQ(scenefile::WriteSceneBytes(), large);

    // A malformed file: the message names it.
    testsupport::WriteBytes((folder.Folder() / "bad.zlkx").string(), {0, 0, 0xF0, 0x41, 0x48, 0xE1, 0x7A, 0x40, 0xFF});
    EXPECT_FALSE(scenefile::ReadSceneFile(folder.Folder().string() + "/bad.zlkx", message));
    EXPECT_EQ(message, folder.Folder().string() + "/bad.zlkx の形式が正しくありません。");
    EXPECT_FALSE(scenefile::ReadSceneFile(folder.Folder().string() + "/missing.zlkx", message));
    EXPECT_EQ(message, "ドキュメントを開くことに失敗しました。\n" + folder.Folder().string() +
                           "/missing.zlkx: ファイルが見つかりません。");
}

TEST_F(SceneFile, FailedSaveKeepsTheOldFile)
{
    testsupport::TempDir folder;
    const std::string path = folder.File("scene.zlkx");
    const std::vector<std::uint8_t> old = NewFile().data;
    testsupport::WriteBytes(path, old);
    std::filesystem::create_directory(folder.Folder() / "scene.zlkx.blocker");
    // The target is a folder: the rename over it fails, nothing is replaced or left behind.
    const std::string folderTarget = folder.File("scene.zlkx.blocker");
    std::string message;
    EXPECT_FALSE(scenefile::WriteSceneFile(folderTarget, message));
    EXPECT_EQ(message.rfind("ドキュメントの保存に失敗しました。", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(folderTarget));
    EXPECT_EQ(testsupport::ReadBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Folder()), {}), 2);
}

// The fuzzing seeds, one per layout, are valid files.
TEST_F(SceneFile, FuzzSeedsOfEveryVersionRead)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KMX_SOURCE_DIR "/fuzz/corpus/scenefile")) {
        Clear();
        const std::vector<std::uint8_t> data = testsupport::ReadBytes(entry.path().string());
        std::string error;
        EXPECT_TRUE(scenefile::ReadSceneBytes(data.data(), data.size(), error)) << entry.path() << error;
        EXPECT_EQ(g_scene.m_bones.size(), 2u) << entry.path();
        ++count;
    }
    EXPECT_EQ(count, 6);
}
