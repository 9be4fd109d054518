// The ActionScript class for the strataview3d engine (Stage3D): unindexed triangle corners,
// each with position, UV, the matrix register of its bone and its material; one baked matrix
// per animation, frame and bone; one init per material with its texture as the Flash target
// asks (a generated texture class for Flash CS, an embedded image for the Flex SDK, null for
// a material without a texture). Corners whose face names no material use a default
// material after the list, initialised without a texture.
#pragma once

#include "export/ExportCommon.h"

#include <cstddef>
#include <string>

class CCentigrade;
class CModel;
class MaterialLookup;
class TextWriter;

// Writes the file; the class is named after it (see ActionScriptClassName). The key-frame
// form is written as the matrix form. A corner whose vertex names no bone gets bone 0's
// register and the warning is shown once, after the file is in place.
ExportResult ExportStage3D(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form,
                           FlashTarget target);
// The exporter table's entry.
ExportResult ExportStage3DEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options);

// The whole text of the class. False when a bone form wrote a corner without a bone.
bool WriteStage3D(const CCentigrade& scene, TextWriter& out, const std::string& className, ExportAnimationForm form,
                  FlashTarget target, float scale);

// The addVertex rows of one model: triangles give corners 2, 1, 0; quadrilaterals 2, 1, 0 and
// 0, 3, 2, each with its face's material slot. The bone rows carry register 4 * bone + 4
// (false, after every row, when a vertex names no bone of boneCount: it gets register 4);
// the static rows carry register 4.
bool WriteStage3DBoneCorners(const CModel& model, std::size_t boneCount, const MaterialLookup& materials, float scale,
                             TextWriter& out);
void WriteStage3DCorners(const CModel& model, const MaterialLookup& materials, float scale, TextWriter& out);
