// Importing a Metasequoia file as the main model.
#include "import/LoaderMQO.h"
#include "platform/FileSystem.h"
#include "scene/CCentigrade.h"

#include <sys/stat.h>

bool CCentigrade::ImportMqo(const std::string& path)
{
    std::FILE* file = fs_cp932::Open(path, "rb");
    if (!file)
        return false;
    // A folder opens here but is no file to read: as if it could not be opened.
    struct stat st {};
    if (::fstat(fileno(file), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(file);
        return false;
    }
    const std::int32_t code = ImportMqoStream(file);
    std::fclose(file);
    return code == MqoErrorNone;
}

std::int32_t CCentigrade::ImportMqoStream(std::FILE* file)
{
    std::int32_t code = 0;
    {
        LoaderMQO loader(this, file);
        loader.m_materialIdBase = m_nextMaterialId;
        code = loader.Load();
    }
    if (m_materials.empty()) {
        m_materials.emplace_back(m_nextMaterialId);
        ++m_nextMaterialId;
    }
    for (CMaterial& material : m_materials) {
        material.LoadTexture();
        material.UpdateGlColors();
        material.Apply();
    }
    // Bound-vertex lists always index the models as they are now, never a model read before.
    BuildBoneVertexLists();
    return code;
}
