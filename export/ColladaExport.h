// The COLLADA 1.4.1 export: the scene's models as static triangle meshes with positions,
// normals and, where a textured material is used, one UV set; one Phong effect per
// material; one visual scene with one node per model. No bones or animation.
#pragma once

#include "export/ExportCommon.h"

#include <string>
#include <string_view>

class CCentigrade;
class CModel;
class ColladaNames;
class MaterialLookup;
class TextWriter;

// Writes the document (the animation form has no effect; scale multiplies every position).
// A scene without a model is refused before anything is opened: the document would have
// no visual scene.
ExportResult ExportCollada(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form);

// The whole document for any writer: sceneName (CP932) names the visual scene, timestamp
// fills created and modified. False, with nothing written, for a scene without a model.
bool WriteCollada(const CCentigrade& scene, TextWriter& out, float scale, std::string_view sceneName,
                  std::string_view timestamp);

// One geometry element of model k: its quadrilaterals split in two, its triangles grouped by
// material.
void WriteColladaGeometry(const CCentigrade& scene, std::size_t k, const ColladaNames& names,
                          const MaterialLookup& lookup, TextWriter& out, float scale);

// The local time as an xs:dateTime without a zone ("2026-01-02T03:04:05").
std::string ColladaTimestampNow();
