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
#include <functional>
#include <initializer_list>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mqo {

[[noreturn]] inline void Fail(MqoError code) { throw static_cast<int>(code); }

// Runs the steps of a read; returns 0, or the error they raised. A model too large for memory
// fails like a broken one instead of ending the program.
template <class Steps>
std::int32_t RunGuarded(Steps&& steps)
{
    try {
        steps();
        return MqoErrorNone;
    } catch (int code) {
        return code;
    } catch (const std::bad_alloc&) {
        return MqoErrorSyntax;
    } catch (const std::length_error&) {
        return MqoErrorSyntax;
    }
}

// Which format versions a reader takes on the header's second line.
enum class AcceptedVersion { AtLeast10, Exactly10 };
// The two header lines: "Metasequoia Document", then "Format Text Ver <version>".
void ReadHeader(AsciiFileString& reader, AcceptedVersion accepted);

// The lines after the header up to the end of the file. "Material" and "Object" chunk lines
// must open their chunk and are handed over: material() reads the rows, object(name) the
// body; either may leave them unread, and then their lines come back to this loop. Every
// other line is skipped, nested chunks whole.
void ReadTopLevel(AsciiFileString& reader, const std::function<void()>& material,
                  const std::function<void(const std::string& name)>& object);

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
// not a face row.
bool ReadFaceRow(const StringSeparator& line, std::int32_t materialBase, CFace& face);
// Face rows up to the closing "}", appended to the model.
void ReadFaceRows(AsciiFileString& reader, CModel& model, std::int32_t materialBase);

// Items a material row may hold.
enum class MaterialItem { Shader, Dbls, Uid, Col, Dif, Amb, Spc, Emi, Power, Tex, Aplane, Bump };
// One material row: the name, then the known items; unknown items "name(...)" are passed
// over; a malformed item ends the row. Fields not named keep their values.
void ReadMaterialRow(const StringSeparator& line, std::initializer_list<MaterialItem> items, CMaterial& material);
// Material rows up to the closing "}": each row, whatever was read of it, becomes a material
// with the id nextId (which grows by one) at the end of the list; a row that would take the
// list past kMaxMaterials (scene/SceneLimits.h) raises MqoErrorTooLarge. loadTextures: a row's
// texture is loaded as soon as the row is read.
void ReadMaterialRows(AsciiFileString& reader, std::initializer_list<MaterialItem> items,
                      std::vector<CMaterial>& list, std::int32_t& nextId, bool loadTextures);

struct ObjectOptions {
    bool readFacet = true;  // "facet" sets the smoothing angle (else recognised and ignored)
    std::int32_t materialBase = 0;
};
// One object body into a fresh model (named as the object), up to its closing "}". Returns 0 when a vertex or
// face line does not open its chunk, else 1. Faces may name vertices the object does not
// have: merging refuses them, and the bone builder stands in another corner for them. An
// object whose vertices stand only in a binary BVertex block (skipped like any other chunk)
// is told to the BinaryVertexReport by the model's name.
int ReadObjectBody(AsciiFileString& reader, CModel& model, const ObjectOptions& options);

}  // namespace mqo
