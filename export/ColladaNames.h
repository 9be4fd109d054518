// The ids and names of a COLLADA document. Every id of the document is unique and every id
// and name is an XML NCName, as the 1.4.1 schema requires, whatever the models and
// materials are called: the name is converted to UTF-8, characters a name cannot hold
// become '_', and a name whose ids another object already took gets "_2", "_3", ... A name
// that needs none of this is used as it stands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CCentigrade;

class ColladaNames {
public:
    // The id every document gives its visual scene.
    static constexpr std::string_view kVisualSceneId = "VisualSceneNode";

    explicit ColladaNames(const CCentigrade& scene);

    // The name N of material k (its ids are N, N-fx and Texture_N) and M of model k (its ids
    // are M, M-lib and M-lib-...).
    const std::string& Material(std::size_t k) const { return m_materials[k]; }
    const std::string& Model(std::size_t k) const { return m_models[k]; }

    // CP932 text as an NCName (fallback when nothing of it is left).
    static std::string NcName(std::string_view cp932Text, std::string_view fallback);

private:
    std::vector<std::string> m_materials;
    std::vector<std::string> m_models;
};

// CP932 text as UTF-8 for an XML attribute or element: '&', '<', '>', '"' and '\'' become
// references, control characters (which XML cannot hold) become blanks.
std::string XmlText(std::string_view cp932Text);
