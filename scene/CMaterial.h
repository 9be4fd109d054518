// A surface material.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class CArchive;
class DibStream;

class CMaterial {
public:
    CMaterial();
    explicit CMaterial(std::int32_t id);  // named "NoMaterial_<id>"

    void SetName(const std::string& name) { m_name = name; }
    // The four GL colour arrays from colour and strengths.
    void UpdateGlColors();

    void Serialize(CArchive& ar);

    std::array<float, 3> m_toonColor{0.8f, 0.8f, 0.8f};
    std::string m_toonTexture;
    std::int32_t m_id = 0;
    std::string m_name = "NoMaterial";
    std::array<float, 4> m_color{0.8f, 0.8f, 0.8f, 1.0f};
    float m_diffuse = 1.0f;
    float m_ambient = 0.25f;
    float m_emissive = 0.0f;
    float m_specular = 0.0f;
    float m_power = 5.0f;
    std::string m_texture;
    std::string m_alphaPlane;
    std::string m_bump;
    std::uint32_t m_textureId = 0;          // GL texture name; 0 until an upload
    std::shared_ptr<DibStream> m_image;     // decoded texture, shared by copies
    std::array<float, 4> m_glDiffuse{};
    std::array<float, 4> m_glAmbient{};
    std::array<float, 4> m_glSpecular{};
    std::array<float, 4> m_glEmission{};
    std::int32_t m_channels = 3;
    std::uint32_t m_pixelFormat = 0x80E0;   // GL_BGR

    // Textures and drawing
    // Loads m_texture (searched beside the model, then in the program's TEXTURE folder) and
    // uploads it. False when the name is empty or no file could be decoded; then the failure
    // is reported once per name (see TextureReport) and the name is kept.
    bool LoadTexture();
    // Takes the image of the file at path into m_image (decoded once and shared by every
    // material that shows the unchanged file, see DibStreamCache) and uploads it: now when
    // a rendering context is current, else before the material is first applied. False when
    // it cannot be decoded. replaced: the image shown until now, which this one replaces.
    bool UploadTexture(const std::string& path, const DibStream* replaced = nullptr);
    // Makes colours, shininess and texture current for drawing (nothing without a context).
    void Apply();
    // Uploads a decoded image that is waiting for a rendering context. True when uploaded.
    bool UploadPendingTexture();
    // A decoded image exists for the texture name: the material is drawn textured.
    bool HasTexture() const;

    bool m_textureUploadPending = false;  // m_image waits for a rendering context
    std::string m_failedTexture;          // the texture name whose failure was reported
};
