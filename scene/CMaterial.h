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
};
