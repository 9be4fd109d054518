#include "import/LoaderMQO.h"

#include "import/MqoGrammar.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <string>
#include <utility>

LoaderMQO::LoaderMQO(CCentigrade* scene, std::FILE* file)
    : m_scene(scene), m_file(file), m_reader(std::make_unique<AsciiFileString>(file))
{
}

LoaderMQO::~LoaderMQO() = default;

std::int32_t LoaderMQO::Load()
{
    return mqo::RunGuarded([this] {
        ReadHeader();
        ReadChunks();
    });
}

void LoaderMQO::ReadHeader() { mqo::ReadHeader(*m_reader, mqo::AcceptedVersion::AtLeast10); }

void LoaderMQO::ReadChunks()
{
    CModel merged;
    const auto onMaterial = [this] {
        // A scene file of 3.92 or later carries its own materials: then the rows reach the
        // top level one by one and are passed over.
        if (g_fileVersion < kVersion392)
            ReadMaterialChunk();
    };
    const auto onObject = [&](const std::string& name) {
        if (name.starts_with("bone")) {
            CModel bones;
            bones.m_name = name;
            if (!ReadObjectChunk(bones))
                mqo::Fail(MqoErrorSyntax);
            if (!m_scene->CreateBonesFromObject(bones))
                mqo::Fail(MqoErrorTooLarge);
        } else if (!name.starts_with("anchor")) {
            merged.m_name = name;
            CModel object;
            object.m_name = name;
            if (!ReadObjectChunk(object))
                mqo::Fail(MqoErrorSyntax);
            merged.MergeObject(std::move(object));
        }
    };
    mqo::ReadTopLevel(*m_reader, onMaterial, onObject);
    m_scene->m_models.push_back(std::move(merged));
}

void LoaderMQO::ReadMaterialChunk()
{
    using I = mqo::MaterialItem;
    mqo::ReadMaterialRows(*m_reader,
                          {I::Shader, I::Dbls, I::Uid, I::Col, I::Dif, I::Amb, I::Spc, I::Emi, I::Power, I::Tex,
                           I::Aplane, I::Bump},
                          m_scene->m_materials, m_scene->m_nextMaterialId, false);
}

int LoaderMQO::ReadObjectChunk(CModel& model)
{
    mqo::ObjectOptions options;
    options.readFacet = true;
    options.materialBase = m_materialIdBase;
    return mqo::ReadObjectBody(*m_reader, model, options);
}

void LoaderMQO::ReadVertexChunk(CModel& model) { mqo::ReadVertexRows(*m_reader, model); }

void LoaderMQO::ReadFaceChunk(CModel& model) { mqo::ReadFaceRows(*m_reader, model, m_materialIdBase); }

void LoaderMQO::SkipChunk(int tokenCount) { mqo::SkipChunk(*m_reader, tokenCount); }

void LoaderMQO::SkipBinaryData(int tokenCount) { mqo::SkipBinaryData(*m_reader, tokenCount); }
