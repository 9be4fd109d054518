// The FBX 7.1 ASCII export: per model one mesh geometry and one mesh model with identity
// transforms, one Phong material per scene material plus a default one, one texture per
// textured material, an animation stack and layer with constant curve nodes per model, and
// the connections between them. No bones or key frames.
#pragma once

#include "export/ExportCommon.h"

#include <cstddef>
#include <string>

class CCentigrade;
class MaterialLookup;
class TextWriter;

// Writes the file. form and flag (which the dispatcher passes as 1) have no effect; scale
// multiplies every vertex position.
ExportResult ExportFbxAscii(const CCentigrade& scene, const std::string& path, ExportAnimationForm form, int flag,
                            float scale);

// The whole file for any writer; path (CP932) is the document URL the header names.
void WriteFbxAscii(const CCentigrade& scene, TextWriter& out, const std::string& path, float scale);

// The geometry object of model k, with UV and texture layers when textured.
void WriteFbxGeometry(const CCentigrade& scene, std::size_t k, const MaterialLookup& lookup, TextWriter& out,
                      bool textured, float scale);

// The connection lines of model k.
void WriteFbxConnections(const CCentigrade& scene, std::size_t k, TextWriter& out);
