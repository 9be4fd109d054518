#include "import/LoaderBG.h"

#include "import/BinaryVertexReport.h"
#include "import/ModelFile.h"
#include "import/MqoGrammar.h"
#include "import/PathFunctions.h"
#include "import/TextureReport.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <new>
#include <stdexcept>
#include <utility>

LoaderBG::LoaderBG(std::FILE* file)
    : m_scene(&g_scene), m_file(file), m_reader(std::make_unique<AsciiFileString>(file))
{
}

LoaderBG::~LoaderBG() = default;

std::int32_t LoaderBG::Load()
{
    return mqo::RunGuarded([this] {
        ReadHeader();
        ReadChunks();
    });
}

void LoaderBG::ReadHeader() { mqo::ReadHeader(*m_reader, mqo::AcceptedVersion::Exactly10); }

void LoaderBG::ReadChunks()
{
    // Materials are read whatever the scene file's version; bone and anchor objects are not
    // read, their lines come back to the top level and are passed over.
    const auto onObject = [this](const std::string& name) {
        if (name.starts_with("bone") || name.starts_with("anchor"))
            return;
        CModel object;
        object.m_name = name;
        if (!ReadObjectChunk(object))
            mqo::Fail(MqoErrorSyntax);
        CModel& model = m_scene->m_backgroundModels.emplace_back();
        model.m_name = name;
        model.MergeObject(std::move(object));
    };
    mqo::ReadTopLevel(*m_reader, [this] { ReadMaterialChunk(); }, onObject);
}

void LoaderBG::ReadMaterialChunk()
{
    using I = mqo::MaterialItem;
    mqo::ReadMaterialRows(*m_reader,
                          {I::Col, I::Shader, I::Dif, I::Amb, I::Spc, I::Emi, I::Power, I::Tex, I::Aplane, I::Bump},
                          m_scene->m_backgroundMaterials, m_scene->m_nextBackgroundMaterialId, true);
}

int LoaderBG::ReadObjectChunk(CModel& model)
{
    mqo::ObjectOptions options;
    options.readFacet = false;  // background models keep the smoothing angle of a new model
    options.materialBase = m_materialIdBase;
    return mqo::ReadObjectBody(*m_reader, model, options);
}

void LoaderBG::ReadVertexChunk(CModel& model) { mqo::ReadVertexRows(*m_reader, model); }

void LoaderBG::ReadFaceChunk(CModel& model) { mqo::ReadFaceRows(*m_reader, model, m_materialIdBase); }

void LoaderBG::SkipChunk(int tokenCount) { mqo::SkipChunk(*m_reader, tokenCount); }

void LoaderBG::SkipBinaryData(int tokenCount) { mqo::SkipBinaryData(*m_reader, tokenCount); }

std::int32_t ImportBackgroundMqoStream(std::FILE* file)
{
    CCentigrade& scene = g_scene;
    // One message for every texture the read could not load, one for the objects whose
    // vertices it could not read.
    const TextureReport report;
    const BinaryVertexReport vertexReport;
    // Memory running out anywhere in the import fails it like a damaged file.
    try {
        std::int32_t code = 0;
        {
            LoaderBG loader(file);
            loader.m_materialIdBase = scene.m_nextBackgroundMaterialId;
            code = loader.Load();
            mqo::ReportNonFiniteNumbers(*loader.m_reader);
        }
        if (scene.m_backgroundMaterials.empty()) {
            scene.m_backgroundMaterials.emplace_back(scene.m_nextBackgroundMaterialId);
            ++scene.m_nextBackgroundMaterialId;
        }
        // Textures were loaded as their rows were read.
        for (CMaterial& material : scene.m_backgroundMaterials) {
            material.UpdateGlColors();
            material.Apply();
        }
        return code;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return MqoErrorSyntax;
}

bool ImportBackgroundMqo(const std::string& path, std::string& reason)
{
    std::FILE* file = mqo::OpenModelFile(path, reason);
    if (!file)
        return false;
    ChangeDirectoryToFileFolder(path);
    const std::int32_t code = ImportBackgroundMqoStream(file);
    std::fclose(file);
    reason = mqo::ErrorText(code);
    return code == MqoErrorNone;
}

bool ImportBackgroundMqo(const std::string& path)
{
    std::string reason;
    return ImportBackgroundMqo(path, reason);
}
