// The pieces of the Metasequoia text grammar that both model readers share: vertex and face
// rows, material rows, the object body, and skipping of unknown chunks and binary blocks.
// Errors are raised as a plain int (an MqoError) for the reader's Load to catch.
#pragma once

#include "import/AsciiFileString.h"
#include "import/MqoError.h"
#include "scene/CFace.h"
#include "scene/CMaterial.h"
#include "scene/CModel.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace mqo {

[[noreturn]] inline void Fail(MqoError code) { throw static_cast<int>(code); }

// Reads the next line; end of file inside a chunk raises MqoErrorEndOfFile.
int ReadChunkLine(AsciiFileString& reader);

// Skips the current line of n tokens, or the whole nested chunk it opens; binary blocks
// announced by "[ bytes ]" at the end of a line are passed over.
void SkipChunk(AsciiFileString& reader, int n);
// Skips the binary block announced by the current line of n tokens.
void SkipBinaryData(AsciiFileString& reader, int n);

// Vertex rows up to the closing "}".
void ReadVertexRows(AsciiFileString& reader, CModel& model);

// One face row: k V(...) [M(...)] [UID(...)] [UV(...)]. Returns false when the row is
// dropped (bad brackets, a negative corner count); raises MqoErrorSyntax for a row that is
// not a face row. withUid: the row may carry a UID item between M and UV.
bool ReadFaceRow(const StringSeparator& line, std::int32_t materialBase, bool withUid, CFace& face);
// Face rows up to the closing "}", appended to the model.
void ReadFaceRows(AsciiFileString& reader, CModel& model, std::int32_t materialBase, bool withUid);

// Items a material row may hold.
enum class MaterialItem { Shader, Dbls, Uid, Col, Dif, Amb, Spc, Emi, Power, Tex, Aplane, Bump };
// One material row: the name, then the known items; unknown items "name(...)" are passed
// over; a malformed item ends the row. Fields not named keep their values.
void ReadMaterialRow(const StringSeparator& line, std::initializer_list<MaterialItem> items, CMaterial& material);

struct ObjectOptions {
    bool readFacet = true;  // "facet" sets the smoothing angle (else recognised and ignored)
    bool withUid = true;    // face rows may carry UID items
    std::int32_t materialBase = 0;
};
// One object body into a fresh model, up to its closing "}". Returns 0 when a vertex or
// face line does not open its chunk, else 1. Faces may name vertices the object does not
// have: merging refuses them, and the bone builder stands in another corner for them.
int ReadObjectBody(AsciiFileString& reader, CModel& model, const ObjectOptions& options);

}  // namespace mqo
