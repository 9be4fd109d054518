// Finding and loading a material's texture file.
#include "import/PathFunctions.h"
#include "import/TextureReport.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "scene/CCentigrade.h"
#include "scene/CMaterial.h"
#include "scene/DibStream.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

// A name with a drive colon, or starting at the root, is a full path and tried as written;
// any other name is tried beside the model (the current folder), then in the program's
// TEXTURE folder: beside the program, and beside the installed data.
std::vector<std::string> TextureCandidates(const std::string& name)
{
    bool hasColon = false;
    for (std::size_t i = 0; i < name.size(); i = cp932::Next(name, i))
        if (name[i] == ':')
            hasColon = true;
    if (hasColon || fs_cp932::IsSeparator(name[0]))
        return {name};
    const std::string& program = GetModuleFolder();
    return {name, program + "TEXTURE/" + name, program + "../share/kinemorphix/TEXTURE/" + name};
}

}  // namespace

bool CMaterial::LoadTexture()
{
    if (m_texture.empty())
        return false;
    // The image shown so far stays alive while the file is looked for, so that an unchanged
    // file is taken up again without being decoded or uploaded again.
    const std::shared_ptr<DibStream> shown = std::exchange(m_image, std::make_shared<DibStream>());
    m_textureUploadPending = false;
    for (const std::string& path : TextureCandidates(m_texture)) {
        if (UploadTexture(path, shown.get())) {
            m_failedTexture.clear();
            return true;
        }
    }
    // The name stays: it is the user's reference (often a path on another machine) and is
    // saved again with the scene. The material is drawn untextured meanwhile.
    if (m_failedTexture != m_texture) {
        m_failedTexture = m_texture;
        TextureReport::Failed(m_texture);
    }
    return false;
}

void CCentigrade::ReloadTextures()
{
    const TextureReport report;
    for (CMaterial& material : m_materials)
        material.LoadTexture();
}

void CCentigrade::RefreshMaterialColors(bool reloadTextures)
{
    const TextureReport report;
    for (CMaterial& material : m_materials) {
        if (reloadTextures)
            material.LoadTexture();
        material.UpdateGlColors();
        material.Apply();
    }
}
