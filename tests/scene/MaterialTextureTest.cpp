// Material textures without OpenGL: decoding, the texture search, the failure message, and
// the hand-over to the GL bridge (recorded here instead of drawn).
#include "import/LoaderBG.h"
#include "import/PathFunctions.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/DibStream.h"
#include "scene/DibStreamCache.h"
#include "scene/GlBridge.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <filesystem>
#include <unistd.h>

using ::testing::ElementsAre;

namespace {

constexpr std::uint32_t kGlRgb = 0x1907;
constexpr std::uint32_t kGlRgba = 0x1908;
const char* const kFailure = "テクスチャファイルの読み込みに失敗しました";

// Writes a w x h image of the given channels whose pixel i has channel c = 10 * i + c.
void WritePng(const std::string& path, int w, int h, int channels)
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(w * h * channels));
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>(10 * (i / channels) + i % channels);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(stbi_write_png(path.c_str(), w, h, channels, pixels.data(), w * channels));
}

// What the bridge was asked to do.
struct GlRecord {
    bool current = true;
    std::uint32_t nextTexture = 1;
    struct Upload {
        std::int32_t width, height, channels;
        std::uint32_t format, texture;
    };
    std::vector<Upload> uploads;
    std::vector<std::uint32_t> deleted;
    std::vector<std::pair<std::string, bool>> applied;  // material name, drawn textured
};

class MaterialTextures : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs_cp932::CurrentFolder(m_savedFolder);
        ASSERT_TRUE(fs_cp932::SetCurrentFolder(cp932::FromUtf8(m_dir.Path())));
        g_scene.ResetScene();
        GlBridge bridge;
        bridge.isContextCurrent = [this] { return m_gl.current; };
        bridge.uploadTexture = [this](const DibStream& image, std::int32_t channels, std::uint32_t format) {
            m_gl.uploads.push_back({image.m_width, image.m_height, channels, format, m_gl.nextTexture});
            return m_gl.nextTexture++;
        };
        bridge.deleteTexture = [this](std::uint32_t texture) { m_gl.deleted.push_back(texture); };
        bridge.applyMaterial = [this](const CMaterial& m) { m_gl.applied.emplace_back(m.m_name, m.HasTexture()); };
        SetGlBridge(std::move(bridge));
    }
    void TearDown() override
    {
        DibStreamCache::SetBudget(DibStreamCache::kSceneBudget);
        SetGlBridge(GlBridge());
        fs_cp932::SetCurrentFolder(m_savedFolder);
    }

    static CMaterial Named(const std::string& texture)
    {
        CMaterial material;
        material.m_texture = texture;
        return material;
    }

    testsupport::TempDir m_dir;
    std::string m_savedFolder;
    GlRecord m_gl;
    CapturingMessageSink m_messages;
};

TEST_F(MaterialTextures, EmptyNameLoadsNothing)
{
    CMaterial material;
    EXPECT_FALSE(material.LoadTexture());
    EXPECT_EQ(material.m_image, nullptr);
    EXPECT_TRUE(m_gl.uploads.empty());
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(MaterialTextures, ChannelsDecideTheUploadFormat)
{
    WritePng(m_dir.Path() + "rgba.png", 3, 2, 4);
    WritePng(m_dir.Path() + "rgb.png", 2, 2, 3);
    std::vector<unsigned char> rgb(4 * 4 * 3, 200);
    ASSERT_TRUE(stbi_write_jpg((m_dir.Path() + "photo.jpg").c_str(), 4, 4, 3, rgb.data(), 90));

    CMaterial rgba = Named("rgba.png");
    ASSERT_TRUE(rgba.LoadTexture());
    EXPECT_EQ(rgba.m_channels, 4);
    EXPECT_EQ(rgba.m_pixelFormat, kGlRgba);
    EXPECT_EQ(rgba.m_image->m_components, 4);
    EXPECT_EQ(rgba.m_image->m_width, 3);
    EXPECT_EQ(rgba.m_image->m_height, 2);
    EXPECT_EQ(rgba.m_image->m_pixels[4 * 4 + 2], 42);  // pixel 4 (second row), blue
    for (const char* name : {"rgb.png", "photo.jpg"}) {
        CMaterial material = Named(name);
        ASSERT_TRUE(material.LoadTexture()) << name;
        EXPECT_EQ(material.m_channels, 3);
        EXPECT_EQ(material.m_pixelFormat, kGlRgb);
    }
    ASSERT_EQ(m_gl.uploads.size(), 3u);
    EXPECT_EQ(m_gl.uploads[0].channels, 4);
    EXPECT_EQ(m_gl.uploads[0].format, kGlRgba);
    EXPECT_EQ(m_gl.uploads[1].channels, 3);
    EXPECT_EQ(rgba.m_textureId, 1u);
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(MaterialTextures, GreyImagesAreExpandedToThreeChannels)
{
    WritePng(m_dir.Path() + "grey.png", 2, 2, 1);
    WritePng(m_dir.Path() + "greyalpha.png", 2, 1, 2);
    CMaterial grey = Named("grey.png");
    ASSERT_TRUE(grey.LoadTexture());
    EXPECT_EQ(grey.m_channels, 3);
    EXPECT_EQ(grey.m_image->m_components, 3);
    EXPECT_THAT(grey.m_image->m_pixels, ElementsAre(0, 0, 0, 10, 10, 10, 20, 20, 20, 30, 30, 30));
    CMaterial greyAlpha = Named("greyalpha.png");
    ASSERT_TRUE(greyAlpha.LoadTexture());
    EXPECT_THAT(greyAlpha.m_image->m_pixels, ElementsAre(0, 0, 0, 10, 10, 10));
    EXPECT_EQ(greyAlpha.m_pixelFormat, kGlRgb);
}

TEST_F(MaterialTextures, MissingTextureKeepsItsNameAndIsReportedOnce)
{
    CMaterial material = Named("C:\\textures\\wood.png");
    EXPECT_FALSE(material.LoadTexture());
    EXPECT_EQ(material.m_texture, "C:\\textures\\wood.png");
    EXPECT_FALSE(material.HasTexture());
    EXPECT_FALSE(material.LoadTexture());
    EXPECT_THAT(m_messages.messages, ElementsAre(kFailure));
    material.Apply();
    ASSERT_EQ(m_gl.applied.size(), 1u);
    EXPECT_FALSE(m_gl.applied[0].second);  // drawn untextured

    // Another name is reported again; so is the same name after it was once found.
    material.m_texture = "nowhere.png";
    EXPECT_FALSE(material.LoadTexture());
    EXPECT_EQ(m_messages.messages.size(), 2u);
    WritePng(m_dir.Path() + "nowhere.png", 1, 1, 3);
    EXPECT_TRUE(material.LoadTexture());
    std::filesystem::remove(m_dir.Path() + "nowhere.png");
    EXPECT_FALSE(material.LoadTexture());
    EXPECT_EQ(m_messages.messages.size(), 3u);
}

TEST_F(MaterialTextures, UndecodableFileFails)
{
    m_dir.Write("bad.png", "this is not an image");
    CMaterial material = Named("bad.png");
    EXPECT_FALSE(material.LoadTexture());
    EXPECT_EQ(m_messages.messages.size(), 1u);
    EXPECT_TRUE(m_gl.uploads.empty());
}

// A tiny file declaring a huge image (an 18-byte TGA of 16384 x 16384, 768 MB of pixels) is
// refused with the texture message, inside an import too, which goes on without it.
TEST_F(MaterialTextures, ImagesBeyondTheLimitsGiveTheTextureMessage)
{
    m_dir.Write("huge.tga", std::string("\0\0\x02\0\0\0\0\0\0\0\0\0\0\x40\0\x40\x18\0", 18));
    m_dir.Write("m.mqo", "Metasequoia Document\nFormat Text Ver 1.0\nMaterial 1 {\n\t\"m\" tex(\"huge.tga\")\n}\n");
    g_fileVersion = kVersion390;
    EXPECT_TRUE(g_scene.ImportMqo(m_dir.Path() + "m.mqo"));
    EXPECT_FALSE(g_scene.m_materials[0].HasTexture());
    EXPECT_THAT(m_messages.messages, ElementsAre(std::string(kFailure) + "\nhuge.tga"));
    EXPECT_TRUE(m_gl.uploads.empty());
}

// A model read tells every texture it cannot load in one message, with the first five names
// and how many files failed in all; a reload tells only what has newly failed.
TEST_F(MaterialTextures, AModelReadTellsItsTextureFailuresInOneMessage)
{
    std::string rows;
    for (int i = 0; i < 2000; ++i)
        rows += "\t\"m" + std::to_string(i) + "\" tex(\"missing" + std::to_string(i % 7) + ".png\")\n";
    const std::string header = "Metasequoia Document\nFormat Text Ver 1.0\n";
    m_dir.Write("m.mqo", header + "Material 2000 {\n" + rows + "}\n");
    m_dir.Write("bg.mqo", header + "Material 3 {\n" + rows.substr(0, rows.find("\"m3\"")) + "}\n");
    const std::string failure = kFailure;
    g_fileVersion = kVersion390;
    EXPECT_TRUE(g_scene.ImportMqo(m_dir.Path() + "m.mqo"));
    EXPECT_THAT(m_messages.messages,
                ElementsAre(failure + "\nmissing0.png\nmissing1.png\nmissing2.png\nmissing3.png\nmissing4.png\n"
                                      "（ほか 2 個、全部で 7 個のファイル）"));
    EXPECT_TRUE(ImportBackgroundMqo(cp932::FromUtf8(m_dir.Path() + "bg.mqo")));
    ASSERT_EQ(m_messages.messages.size(), 2u);
    EXPECT_EQ(m_messages.messages[1], failure + "\nmissing0.png\nmissing1.png\nmissing2.png");

    g_scene.RefreshMaterialColors();
    EXPECT_EQ(m_messages.messages.size(), 2u);
    g_scene.m_materials[5].m_texture = "other.png";
    g_scene.m_materials[9].m_texture = "other.png";
    g_scene.ReloadTextures();
    EXPECT_THAT(m_messages.messages, ElementsAre(::testing::_, ::testing::_, failure + "\nother.png"));
}

TEST_F(MaterialTextures, RelativeNamesUseEitherSeparatorAndCp932Folders)
{
    const std::string folder = "\x83\x5C";  // ソ
    WritePng(m_dir.Path() + cp932::ToUtf8(folder) + "/sub/t.png", 1, 1, 3);
    CMaterial material = Named(folder + "\\sub\\t.png");
    EXPECT_TRUE(material.LoadTexture());
    material.m_texture = folder + "/sub/t.png";
    EXPECT_TRUE(material.LoadTexture());
    EXPECT_TRUE(m_messages.messages.empty());
}

// The program's TEXTURE folder (beside the test program here).
class ProgramTextureFolder : public MaterialTextures {
protected:
    void SetUp() override
    {
        MaterialTextures::SetUp();
        m_name = "kmx-test-" + std::to_string(::getpid()) + ".png";
        m_folder = GetModuleFolder() + "TEXTURE/";
    }
    void TearDown() override
    {
        std::filesystem::remove(m_folder + m_name);
        std::filesystem::remove(m_folder + "C:" + m_name);
        MaterialTextures::TearDown();
    }
    std::string m_name, m_folder;
};

TEST_F(ProgramTextureFolder, RelativeNameFoundThereWithoutAMessage)
{
    WritePng(m_folder + m_name, 2, 1, 3);
    CMaterial material = Named(m_name);
    EXPECT_TRUE(material.LoadTexture());
    EXPECT_EQ(material.m_image->m_width, 2);
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(ProgramTextureFolder, NameWithADriveColonIsNotLookedForThere)
{
    WritePng(m_folder + "C:" + m_name, 2, 1, 3);
    CMaterial material = Named("C:" + m_name);
    EXPECT_FALSE(material.LoadTexture());
    EXPECT_EQ(m_messages.messages.size(), 1u);
}

// Reloading an unchanged file keeps its image and texture object; a file changed on disk is
// decoded and uploaded again, and the texture object it replaces is freed.
TEST_F(MaterialTextures, ReloadingTakesUpAFileChangedOnDisk)
{
    WritePng(m_dir.Path() + "t.png", 1, 1, 3);
    CMaterial material = Named("t.png");
    ASSERT_TRUE(material.LoadTexture());
    const std::shared_ptr<DibStream> first = material.m_image;
    const CMaterial copy = material;
    EXPECT_EQ(copy.m_image, first);  // copies share the image
    ASSERT_TRUE(material.LoadTexture());
    EXPECT_EQ(material.m_image, first);
    EXPECT_EQ(m_gl.uploads.size(), 1u);
    WritePng(m_dir.Path() + "t.png", 2, 1, 3);
    ASSERT_TRUE(material.LoadTexture());
    EXPECT_NE(material.m_image, first);
    EXPECT_EQ(material.m_image->m_width, 2);
    EXPECT_EQ(material.m_textureId, 2u);
    EXPECT_THAT(m_gl.deleted, ElementsAre(1u));  // the replaced texture object is freed
}

// Eight materials naming one file hold one image and one texture object. A changed file
// reaches all of them on a reload; the old texture object is freed once, when the last of
// them has let it go; DeleteTextures releases every image.
TEST_F(MaterialTextures, MaterialsNamingOneFileShareItsImageAndTextureObject)
{
    WritePng(m_dir.Path() + "t.png", 4, 2, 4);
    g_scene.m_materials.assign(8, Named("t.png"));
    g_scene.m_backgroundMaterials = {Named("t.png")};
    g_scene.ReloadTextures();
    g_scene.m_backgroundMaterials[0].LoadTexture();
    const std::weak_ptr<DibStream> first = g_scene.m_materials[0].m_image;
    for (const std::vector<CMaterial>* list : {&g_scene.m_materials, &g_scene.m_backgroundMaterials})
        for (const CMaterial& m : *list) {
            EXPECT_EQ(m.m_image, first.lock());
            EXPECT_EQ(m.m_textureId, 1u);
        }
    EXPECT_EQ(m_gl.uploads.size(), 1u);
    EXPECT_EQ(DibStreamCache::DecodedBytes(), 4u * 2u * 4u);

    WritePng(m_dir.Path() + "t.png", 8, 2, 4);
    g_scene.ReloadTextures();
    for (const CMaterial& m : g_scene.m_materials) {
        EXPECT_EQ(m.m_image->m_width, 8);
        EXPECT_EQ(m.m_textureId, 2u);
    }
    EXPECT_EQ(m_gl.uploads.size(), 2u);
    EXPECT_TRUE(m_gl.deleted.empty());  // the background material still shows the old image
    g_scene.m_backgroundMaterials[0].LoadTexture();
    EXPECT_THAT(m_gl.deleted, ElementsAre(1u));
    EXPECT_TRUE(first.expired());

    g_scene.DeleteTextures();
    EXPECT_EQ(DibStreamCache::DecodedBytes(), 0u);
    for (const CMaterial& m : g_scene.m_materials)
        EXPECT_EQ(m.m_image, nullptr);
}

// The images a scene holds together stay within the budget: past it a texture is refused
// with the texture message; a shared image counts once; what is freed makes room again.
TEST_F(MaterialTextures, DecodedImagesStayWithinTheSceneBudget)
{
    DibStreamCache::SetBudget(100);
    for (const char* name : {"a.png", "b.png", "c.png"})
        WritePng(m_dir.Path() + name, 4, 4, 3);  // 48 bytes each
    g_scene.m_materials = {Named("a.png"), Named("a.png"), Named("b.png"), Named("c.png")};
    g_scene.ReloadTextures();
    EXPECT_TRUE(g_scene.m_materials[1].HasTexture());
    EXPECT_TRUE(g_scene.m_materials[2].HasTexture());
    EXPECT_FALSE(g_scene.m_materials[3].HasTexture());
    EXPECT_THAT(m_messages.messages, ElementsAre(std::string(kFailure) + "\nc.png"));
    g_scene.m_materials[2].m_texture = "c.png";  // b.png is let go, c.png fits in its place
    g_scene.ReloadTextures();
    EXPECT_TRUE(g_scene.m_materials[2].HasTexture());
    EXPECT_EQ(DibStreamCache::DecodedBytes(), 96u);
}

// One file is one image however its path is spelt, counted once against the budget; a reload
// of an unchanged file takes up the image it shows without decoding or uploading it again,
// also when that material is the image's only holder.
TEST_F(MaterialTextures, OneFileIsOneImageByAnyPathAndAReloadKeepsIt)
{
    DibStreamCache::SetBudget(100);
    WritePng(m_dir.Path() + "a.png", 4, 4, 3);  // 48 bytes
    std::filesystem::create_directories(m_dir.Path() + "sub");
    g_scene.m_materials = {Named("a.png"), Named("./a.png"), Named("sub/../a.png")};
    g_scene.ReloadTextures();
    for (const CMaterial& m : g_scene.m_materials)
        EXPECT_EQ(m.m_image, g_scene.m_materials[0].m_image);
    EXPECT_EQ(DibStreamCache::DecodedBytes(), 48u);

    g_scene.m_materials.resize(1);
    g_scene.ReloadTextures();
    EXPECT_TRUE(g_scene.m_materials[0].HasTexture());
    EXPECT_EQ(m_gl.uploads.size(), 1u);
    EXPECT_TRUE(m_gl.deleted.empty());
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(MaterialTextures, WithoutAContextTheUploadWaits)
{
    WritePng(m_dir.Path() + "t.png", 1, 1, 4);
    m_gl.current = false;
    g_scene.m_materials = {Named("t.png"), Named("t.png")};
    g_scene.m_materials[1].m_name = "second";
    g_scene.ReloadTextures();
    for (const CMaterial& m : g_scene.m_materials) {
        EXPECT_TRUE(m.HasTexture());  // decoded and complete without a context
        EXPECT_EQ(m.m_channels, 4);
        EXPECT_TRUE(m.m_textureUploadPending);
        EXPECT_EQ(m.m_textureId, 0u);
    }
    g_scene.m_materials[0].Apply();
    EXPECT_TRUE(m_gl.uploads.empty());
    EXPECT_TRUE(m_gl.applied.empty());

    m_gl.current = true;
    g_scene.UploadPendingTextures();
    EXPECT_EQ(m_gl.uploads.size(), 1u);  // one image, one texture object
    EXPECT_EQ(g_scene.m_materials[1].m_textureId, 1u);
    EXPECT_FALSE(g_scene.m_materials[1].m_textureUploadPending);

    // Or the first Apply with a context uploads it.
    m_gl.current = false;
    WritePng(m_dir.Path() + "u.png", 1, 1, 4);
    CMaterial late = Named("u.png");
    late.LoadTexture();
    m_gl.current = true;
    late.Apply();
    EXPECT_EQ(late.m_textureId, 2u);
    ASSERT_EQ(m_gl.applied.size(), 1u);
    EXPECT_TRUE(m_gl.applied[0].second);
}

TEST_F(MaterialTextures, WithoutABridgeNothingIsCalled)
{
    SetGlBridge(GlBridge());
    WritePng(m_dir.Path() + "t.png", 1, 1, 3);
    g_scene.m_materials = {Named("t.png")};
    g_scene.RefreshMaterialColors();
    EXPECT_TRUE(g_scene.m_materials[0].HasTexture());
    g_scene.DeleteTextures();
    EXPECT_EQ(g_scene.m_materials[0].m_image, nullptr);
}

TEST_F(MaterialTextures, DeleteTexturesFreesEveryImageAndTextureObject)
{
    WritePng(m_dir.Path() + "t.png", 1, 1, 3);
    g_scene.m_materials = {Named("t.png"), Named("")};
    g_scene.m_backgroundMaterials = {Named("t.png")};
    g_scene.ReloadTextures();
    g_scene.m_backgroundMaterials[0].LoadTexture();
    g_scene.DeleteTextures();
    EXPECT_THAT(m_gl.deleted, ElementsAre(1u, 0u, 1u));  // the background material shares the image
    for (const CMaterial& m : g_scene.m_materials)
        EXPECT_EQ(m.m_image, nullptr);
    EXPECT_EQ(g_scene.m_backgroundMaterials[0].m_image, nullptr);
    EXPECT_EQ(g_scene.m_materials[0].m_textureId, 1u);  // the name keeps its value
    EXPECT_EQ(g_scene.m_materials[0].m_texture, "t.png");
}

TEST_F(MaterialTextures, RefreshDerivesColoursAndAppliesEveryMaterial)
{
    CMaterial a;
    a.m_name = "a";
    a.m_color = {0.5f, 1.0f, 0.0f, 0.8f};
    a.m_specular = 0.3f;
    CMaterial b;
    b.m_name = "b";
    g_scene.m_materials = {a, b};
    g_scene.RefreshMaterialColors(false);
    const CMaterial& m = g_scene.m_materials[0];
    EXPECT_THAT(m.m_glDiffuse, ElementsAre(0.5f, 1.0f, 0.0f, 0.8f));
    EXPECT_THAT(m.m_glAmbient, ElementsAre(0.125f, 0.25f, 0.0f, 0.8f));
    EXPECT_THAT(m.m_glSpecular, ElementsAre(0.3f, 0.3f, 0.3f, 0.8f));
    EXPECT_THAT(m.m_glEmission, ElementsAre(0.0f, 0.0f, 0.0f, 0.8f));
    ASSERT_EQ(m_gl.applied.size(), 2u);
    EXPECT_EQ(m_gl.applied[1].first, "b");
}

TEST_F(MaterialTextures, ImportLoadsTexturesBesideTheModelFile)
{
    testsupport::TempDir modelDir;
    WritePng(modelDir.Path() + "tex/skin.png", 2, 2, 3);
    const std::string path =
        modelDir.Write("m.mqo", "Metasequoia Document\r\nFormat Text Ver 1.0\r\nMaterial 2 {\r\n"
                                "\t\"skin\" tex(\"tex\\skin.png\")\r\n\t\"lost\" tex(\"D:\\gone\\x.png\")\r\n}\r\n");
    const std::string cp932Path = cp932::FromUtf8(path);
    ASSERT_NE(ChangeDirectoryToFileFolder(cp932Path), 0);
    g_fileVersion = kVersion390;
    EXPECT_TRUE(g_scene.ImportMqo(cp932Path));
    ASSERT_EQ(g_scene.m_materials.size(), 2u);
    EXPECT_TRUE(g_scene.m_materials[0].HasTexture());
    EXPECT_EQ(g_scene.m_materials[0].m_textureId, 1u);
    EXPECT_FALSE(g_scene.m_materials[1].HasTexture());
    EXPECT_EQ(g_scene.m_materials[1].m_texture, "D:\\gone\\x.png");  // kept for the next save
    EXPECT_THAT(m_messages.messages, ElementsAre(std::string(kFailure) + "\nD:\\gone\\x.png"));
    EXPECT_EQ(m_gl.applied.size(), 2u);
}

}  // namespace
