// The JavaScript model exports for the two web engines: one file that defines a model with
// its materials, an indexed triangle list over deduplicated corner records and, for bone
// models, one baked matrix per animation, frame and bone. WebGL writes a constructor
// function with a prototype line, WebGPU a class extending the engine's model class. Faces
// naming no material use a default material after the list.
#pragma once

#include "export/CornerList.h"
#include "export/ExportCommon.h"

#include <string>
#include <vector>

class CBone;
class CCentigrade;
class CModel;
class MaterialLookup;
class TextWriter;

enum class JsStyle {
    Prototype,  // WebGL
    Class,      // WebGPU
};

ExportResult ExportWebGL(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form);
ExportResult ExportWebGPU(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form);

// The whole file for any writer, declaring className (UTF-8). False when the bone forms
// met a vertex without a bone; the text is complete either way.
bool WriteJsModel(const CCentigrade& scene, TextWriter& out, JsStyle style, ExportAnimationForm form, float scale,
                  const std::string& className);

// The corners of the models written so far in one export.
struct JsCorners {
    CornerList list;
    std::vector<const CModel*> models;  // in the order written; the list refers to their faces
};

// Add the model's corners to corners and print the records it added and its index triples
// (the records of earlier models are not printed again; indices count over the whole
// list). A corner's material is its face's material slot (see MaterialLookup). The bone
// writer gives false when some corner's vertex has no bone or names one past the list. The
// models of one export are written with the same scale, bones and materials, and stay in
// place until the export ends.
bool WriteJsBoneCorners(const CModel& model, float scale, TextWriter& out, const std::vector<CBone>& bones,
                        const MaterialLookup& materials, JsCorners& corners);
void WriteJsCorners(const CModel& model, float scale, TextWriter& out, const MaterialLookup& materials,
                    JsCorners& corners);
