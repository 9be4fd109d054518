// Material textures and colours on a real (offscreen) OpenGL context.
#include "glsupport/EglContext.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/CMaterial.h"
#include "scene/DibStream.h"
#include "scene/GlBridge.h"
#include "scene/Globals.h"
#include "viewport/OpenGlBridge.h"

#include <EGL/egl.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

class OpenGlBridge : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_context.ok());
        InstallOpenGlBridge([] { return eglGetCurrentContext() != EGL_NO_CONTEXT; });
    }
    void TearDown() override { SetGlBridge(GlBridge()); }

    // A material holding a decoded 2 x 1 image, as a texture load leaves it.
    static CMaterial WithImage(int channels)
    {
        CMaterial material;
        material.m_texture = "t.png";
        material.m_image = std::make_shared<DibStream>();
        material.m_image->m_width = 2;
        material.m_image->m_height = 1;
        material.m_image->m_components = channels;
        for (int i = 0; i < 2 * channels; ++i)
            material.m_image->m_pixels.push_back(static_cast<std::uint8_t>(40 + i));
        material.m_channels = channels;
        material.m_pixelFormat = channels == 4 ? GL_RGBA : GL_RGB;
        material.m_textureUploadPending = true;
        return material;
    }

    EglContext m_context{8, 8};
};

TEST_F(OpenGlBridge, UploadMakesATextureOfTheImage)
{
    for (int channels : {3, 4}) {
        CMaterial material = WithImage(channels);
        ASSERT_TRUE(material.UploadPendingTexture());
        ASSERT_NE(material.m_textureId, 0u);
        EXPECT_TRUE(glIsTexture(material.m_textureId));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        GLint width = 0, format = 0, wrap = 0, filter = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
        EXPECT_EQ(width, 2);
        EXPECT_TRUE(format == channels || format == (channels == 4 ? GL_RGBA : GL_RGB)) << format;
        EXPECT_EQ(wrap, GL_REPEAT);
        EXPECT_EQ(filter, GL_LINEAR);
        std::uint8_t pixels[8] = {};
        glGetTexImage(GL_TEXTURE_2D, 0, channels == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, pixels);
        for (int i = 0; i < 2 * channels; ++i)
            EXPECT_EQ(pixels[i], 40 + i);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(OpenGlBridge, ApplySetsColoursAndTextureState)
{
    CMaterial material = WithImage(3);
    material.m_color = {0.5f, 1.0f, 0.0f, 0.8f};
    material.m_specular = 0.3f;
    material.m_power = 7.0f;
    material.UpdateGlColors();
    material.Apply();  // uploads first, then applies
    ASSERT_NE(material.m_textureId, 0u);
    GLfloat ambient[4] = {}, specular[4] = {}, shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glGetMaterialfv(GL_BACK, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_FLOAT_EQ(ambient[0], 0.125f);
    EXPECT_FLOAT_EQ(ambient[3], 0.8f);
    EXPECT_FLOAT_EQ(specular[1], 0.3f);
    EXPECT_FLOAT_EQ(shininess, 7.0f);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), material.m_textureId);

    // A texture that was not found keeps its name and is drawn without texture.
    CMaterial lost;
    lost.m_texture = "C:\\missing.png";
    {
        CapturingMessageSink messages;
        lost.LoadTexture();
    }
    lost.Apply();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(OpenGlBridge, DeleteTexturesFreesTheTextureObjects)
{
    g_scene.ResetScene();
    g_scene.m_materials = {WithImage(3), CMaterial()};
    g_scene.m_backgroundMaterials = {WithImage(4)};
    g_scene.UploadPendingTextures();
    const GLuint main = g_scene.m_materials[0].m_textureId;
    const GLuint background = g_scene.m_backgroundMaterials[0].m_textureId;
    ASSERT_TRUE(glIsTexture(main));
    ASSERT_TRUE(glIsTexture(background));
    g_scene.DeleteTextures();
    EXPECT_FALSE(glIsTexture(main));
    EXPECT_FALSE(glIsTexture(background));
    EXPECT_EQ(g_scene.m_materials[0].m_image, nullptr);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    g_scene.ResetScene();
}

}  // namespace
