// The ActionScript 3 class for the quillspace3d engine. Each form gives its own class kind:
// key frames a HierarchyModel3D with bone pivots and translation, rotation and scale keys;
// matrices a BoneModel3D with one baked matrix per bone and frame; none a static Model3D of
// unindexed triangle corners. Positions, translations and rotations have Y and Z negated.
// The texture of the first material is handed to init as the Flash target asks: through a
// generated texture class (Flash CS) or an embedded image (Flex SDK); a first material
// without a texture file hands over null, and Flash CS without any material calls no init.
#pragma once

#include "export/ExportCommon.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CCentigrade;
class CModel;
class TextWriter;

// Writes the file; the class is named after it (see ActionScriptClassName). A bone form that
// meets a vertex without a bone (or naming one past the bone list) writes it with bone 0 and
// warns once, after the file is in place.
ExportResult ExportActionScript3(const CCentigrade& scene, float scale, const std::string& path,
                                 ExportAnimationForm form, FlashTarget target);
// The exporter table's entry.
ExportResult ExportActionScript3Entry(const CCentigrade& scene, const std::string& path, const ExportOptions& options);

// The whole text of the class. False when a bone form wrote a vertex without a bone.
bool WriteActionScript3(const CCentigrade& scene, TextWriter& out, const std::string& className,
                        ExportAnimationForm form, FlashTarget target, float scale);

// Rows of one model. The bone forms index the model's vertices: one addVertexBone row per
// vertex (a vertex naming no bone of boneCount gets bone 0 and makes the result false), two
// addIndex rows per quadrilateral and one per triangle counted from firstVertex, and one addUV
// row per triangle corner in index order. The static form writes every triangle corner with
// its UV: addVertex and addUV rows in the same corner order.
bool WriteAs3BoneVertices(const CModel& model, std::size_t boneCount, float scale, TextWriter& out);
void WriteAs3Indices(const CModel& model, std::int64_t firstVertex, TextWriter& out);
void WriteAs3UVs(const CModel& model, TextWriter& out);
void WriteAs3StaticVertices(const CModel& model, float scale, TextWriter& out);
void WriteAs3StaticUVs(const CModel& model, TextWriter& out);
