// The Objective-C arrays export: per model one C array of unindexed triangle corner
// positions, then per model one array of the matching texture coordinates. The first
// model's arrays are named vertices and uvs, model k's (k from 1) vertices_k and uvs_k.
// No normals, bones or animation.
#pragma once

#include "export/ExportCommon.h"

#include <cstddef>
#include <string>

class CCentigrade;
class CModel;
class TextWriter;

// Writes the file (the animation form has no effect; scale multiplies every position). A
// scene without a model gives an empty file.
ExportResult ExportObjectiveC(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form);

// The whole file for any writer.
void WriteObjectiveC(const CCentigrade& scene, TextWriter& out, float scale);

// The position array and the texture-coordinate array of the model at place k.
void WriteObjectiveCVertices(const CModel& model, std::size_t k, float scale, TextWriter& out);
void WriteObjectiveCUVs(const CModel& model, std::size_t k, TextWriter& out);
