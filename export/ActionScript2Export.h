// The ActionScript 2 class of the static mesh for the pellix3d engine: a constructor that
// fills the engine's material, vertex and face arrays with integer colours, integer vertices
// (Y and Z negated) and faces with their material, then calls init. No bones, UVs or
// animation, whatever the form. Faces naming no material use a default material after the
// list.
#pragma once

#include "export/ExportCommon.h"

#include <cstdint>
#include <string>

class CCentigrade;
class CMaterial;
class CModel;
class MaterialLookup;
class CVector;
class TextWriter;

// Writes the file; the class is named after it (see ActionScriptClassName). The form has no
// effect: every form writes the static mesh.
ExportResult ExportActionScript2(const CCentigrade& scene, float scale, const std::string& path,
                                 ExportAnimationForm form);
// The exporter table's entry: the options dialog offers this type only the static form.
ExportResult ExportActionScript2Entry(const CCentigrade& scene, const std::string& path, const ExportOptions& options);

// The whole text of the class.
void WriteActionScript2(const CCentigrade& scene, TextWriter& out, const std::string& className, float scale);

// One addM row: the colour's red, green and blue times 255, truncated.
void WriteAs2Material(const CMaterial& material, TextWriter& out);
// One addV row: x, -y, -z times the scale, truncated toward zero.
void WriteAs2Vertex(const CVector& vertex, float scale, TextWriter& out);
// The addF rows of one model's triangles and quadrilaterals, their vertex indices counted
// from firstVertex (the vertices of the models written before), with their material slots.
void WriteAs2Faces(const CModel& model, std::int64_t firstVertex, const MaterialLookup& materials, TextWriter& out);
