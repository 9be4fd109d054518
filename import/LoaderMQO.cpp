#include "import/LoaderMQO.h"

#include "import/MqoGrammar.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <new>
#include <stdexcept>
#include <string>
#include <utility>

LoaderMQO::LoaderMQO(CCentigrade* scene, std::FILE* file)
    : m_scene(scene), m_file(file), m_reader(std::make_unique<AsciiFileString>(file))
{
}

LoaderMQO::~LoaderMQO() = default;

std::int32_t LoaderMQO::Load()
{
    try {
        ReadHeader();
        ReadChunks();
        return MqoErrorNone;
    } catch (int code) {
        return code;
    } catch (const std::bad_alloc&) {
        // A model too large for memory fails like a broken one instead of ending the program.
        return MqoErrorSyntax;
    } catch (const std::length_error&) {
        return MqoErrorSyntax;
    }
}

void LoaderMQO::ReadHeader()
{
    AsciiFileString& r = *m_reader;
    r.ReadLine();
    if (!(r.FirstTokenIs("Metasequoia", 2) && r.TokenEquals(1, "Document")))
        mqo::Fail(MqoErrorNotMetasequoia);
    r.ReadLine();
    if (!(r.FirstTokenIs("Format", 4) && r.TokenEquals(1, "Text") && r.TokenEquals(2, "Ver") &&
          r.GetTokenFloat(3) >= 1.0))
        mqo::Fail(MqoErrorFormat);
}

void LoaderMQO::ReadChunks()
{
    AsciiFileString& r = *m_reader;
    CModel merged;
    for (;;) {
        const int n = r.ReadLine();
        if (n < 0) {
            m_scene->m_models.push_back(std::move(merged));
            return;
        }
        if (n == 0)
            continue;
        if (r.FirstTokenIs("Material", 2)) {
            if (r.LastToken() != "{")
                mqo::Fail(MqoErrorSyntax);
            // A scene file of 3.92 or later carries its own materials: then the rows reach
            // this loop one by one and are passed over.
            if (g_fileVersion < kVersion392)
                ReadMaterialChunk();
        } else if (r.FirstTokenIs("Object", 2)) {
            if (r.LastToken() != "{")
                mqo::Fail(MqoErrorSyntax);
            const std::string name = n > 2 ? std::string(r.Token(1)) : std::string();
            if (name.starts_with("bone")) {
                CModel bones;
                if (!ReadObjectChunk(bones))
                    mqo::Fail(MqoErrorSyntax);
                m_scene->CreateBonesFromObject(bones);
            } else if (name.starts_with("anchor")) {
                // Not read: the body's lines reach this loop and are passed over, nested
                // chunks whole.
            } else {
                merged.m_name = name;
                CModel object;
                if (!ReadObjectChunk(object))
                    mqo::Fail(MqoErrorSyntax);
                merged.MergeObject(std::move(object));
            }
        } else {
            SkipChunk(n);
        }
    }
}

void LoaderMQO::ReadMaterialChunk()
{
    AsciiFileString& r = *m_reader;
    for (;;) {
        const int n = mqo::ReadChunkLine(r);
        if (n == 0)
            continue;
        if (r.Token(0) == "}")
            return;
        CMaterial material;
        using I = mqo::MaterialItem;
        mqo::ReadMaterialRow(r,
                             {I::Shader, I::Dbls, I::Uid, I::Col, I::Dif, I::Amb, I::Spc, I::Emi, I::Power,
                              I::Tex, I::Aplane, I::Bump},
                             material);
        material.m_id = m_scene->m_nextMaterialId++;
        m_scene->m_materials.push_back(std::move(material));
    }
}

int LoaderMQO::ReadObjectChunk(CModel& model)
{
    mqo::ObjectOptions options;
    options.readFacet = true;
    options.withUid = true;
    options.materialBase = m_materialIdBase;
    return mqo::ReadObjectBody(*m_reader, model, options);
}

void LoaderMQO::ReadVertexChunk(CModel& model) { mqo::ReadVertexRows(*m_reader, model); }

void LoaderMQO::ReadFaceChunk(CModel& model) { mqo::ReadFaceRows(*m_reader, model, m_materialIdBase, true); }

void LoaderMQO::SkipChunk(int tokenCount) { mqo::SkipChunk(*m_reader, tokenCount); }

void LoaderMQO::SkipBinaryData(int tokenCount) { mqo::SkipBinaryData(*m_reader, tokenCount); }
