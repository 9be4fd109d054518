// The reader of the main model: a Metasequoia text file into the scene's materials, one
// merged model and the bones of its bone object. It shows nothing to the user; every outcome
// is an MqoError code from Load.
#pragma once

#include "import/AsciiFileString.h"
#include "import/MqoError.h"

#include <cstdint>
#include <cstdio>
#include <memory>

class CCentigrade;
class CModel;

class LoaderMQO {
public:
    // Reads from the open stream (not owned; binary mode) into the scene.
    LoaderMQO(CCentigrade* scene, std::FILE* file);
    virtual ~LoaderMQO();
    LoaderMQO(const LoaderMQO&) = delete;
    LoaderMQO& operator=(const LoaderMQO&) = delete;

    // Reads the whole file; returns 0 or the first error met.
    std::int32_t Load();

    // The steps of Load; each raises its error as an int.
    void ReadHeader();
    void ReadChunks();
    void ReadMaterialChunk();
    int ReadObjectChunk(CModel& model);
    void ReadVertexChunk(CModel& model);
    void ReadFaceChunk(CModel& model);
    void SkipChunk(int tokenCount);
    void SkipBinaryData(int tokenCount);

    CCentigrade* m_scene;
    std::FILE* m_file;
    std::unique_ptr<AsciiFileString> m_reader;
    std::int32_t m_materialIdBase = 0;  // face item M(n) is material n + this
};
