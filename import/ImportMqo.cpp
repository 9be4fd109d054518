// Importing a Metasequoia file as the main model.
#include "import/BinaryVertexReport.h"
#include "import/LoaderMQO.h"
#include "import/ModelFile.h"
#include "import/TextureReport.h"
#include "scene/CCentigrade.h"

#include <new>
#include <stdexcept>

bool CCentigrade::ImportMqo(const std::string& path)
{
    std::string reason;
    std::FILE* file = mqo::OpenModelFile(path, reason);
    if (!file)
        return false;
    const std::int32_t code = ImportMqoStream(file);
    std::fclose(file);
    return code == MqoErrorNone;
}

std::int32_t CCentigrade::ImportMqoStream(std::FILE* file)
{
    // One message for every texture the read could not load, one for the objects whose
    // vertices it could not read.
    const TextureReport report;
    const BinaryVertexReport vertexReport;
    // Memory running out anywhere in the import fails it like a damaged file.
    try {
        std::int32_t code = 0;
        {
            LoaderMQO loader(this, file);
            loader.m_materialIdBase = m_nextMaterialId;
            code = loader.Load();
            mqo::ReportNonFiniteNumbers(*loader.m_reader);
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
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return MqoErrorSyntax;
}
