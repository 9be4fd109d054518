// The reader of background models: a Metasequoia text file appended to the scene's background
// models and materials. Each ordinary object becomes a model of its own (with its mirror
// copies); bone and anchor objects are passed over; main models, main materials and bones are
// never touched. It shows nothing to the user; every outcome is an MqoError code from Load.
#pragma once

#include "import/AsciiFileString.h"
#include "import/MqoError.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class CCentigrade;
class CModel;

class LoaderBG {
public:
    // Reads from the open stream (not owned; binary mode) into the global scene.
    explicit LoaderBG(std::FILE* file);
    virtual ~LoaderBG();
    LoaderBG(const LoaderBG&) = delete;
    LoaderBG& operator=(const LoaderBG&) = delete;

    // Reads the whole file; returns 0 or the first error met. What was complete before an
    // error (material rows, objects) stays in the scene.
    std::int32_t Load();

    // The steps of Load; each raises its error as an int.
    void ReadHeader();  // only format version 1.0
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
    std::int32_t m_materialIdBase = 0;  // face item M(n) is background material n + this
};

// Reads a Metasequoia file (CP932 path) as background models of the global scene, after
// those already there; the file's folder becomes the current directory, so that textures
// resolve beside it. True when the file was read whole. A file that cannot be opened changes
// nothing; after a failed read what was complete stays. Afterwards the background material
// list is never empty and every background material has its colours.
bool ImportBackgroundMqo(const std::string& path);
// The same, with why the file could not be opened or read in reason (UTF-8).
bool ImportBackgroundMqo(const std::string& path, std::string& reason);
// The same on an open binary stream (the current directory is left as it is); returns the
// reader's MqoError code.
std::int32_t ImportBackgroundMqoStream(std::FILE* file);
