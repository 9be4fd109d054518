// The comma-separated export for a runtime that rebuilds the mesh and its baked bone
// animation. Each line is one row whose first field names its kind, in this order:
//   B  the number of bones (one row);
//   V  every corner of every face with one material, over all models (one row per material
//      some face uses, lines included; faces naming no material use a default material
//      after the list, with a row, an M row and a place in the T rows of its own);
//   A  the bone matrices of one animation, Z mirrored, 16 numbers per frame and bone (bone
//      forms with bones only; one row per animation);
//   M  one material: texture file name and colour;
//   T  material numbers: 0 .. count - 1 for the static form, one row per animation's
//      material map for the bone forms.
// Text fields never hold a comma, a double quote or a line break.
#pragma once

#include "export/ExportCommon.h"

#include <cstdint>
#include <string>
#include <vector>

class CCentigrade;
class CModel;
class MaterialLookup;
class TextWriter;

// Writes the file; a vertex without a bone in a bone form is written with bone -1 and the
// warning follows the complete file.
ExportResult ExportSwiftCsv(const CCentigrade& scene, float scale, const std::string& path, ExportAnimationForm form);

// The whole file for any writer. False when a bone form met a vertex without a bone.
bool WriteSwiftCsv(const CCentigrade& scene, TextWriter& out, float scale, ExportAnimationForm form);

// The corner fields of the model's faces whose material is the one at list position
// material, appended to a V row. The bone layout ends each corner with its vertex's bone (-1
// for none or one past boneCount, when the result is false); the static layout mirrors Z
// and ends each corner with -1.
bool WriteCsvBoneCorners(const CModel& model, float scale, TextWriter& out, const MaterialLookup& materials,
                         std::int32_t material, std::size_t boneCount);
void WriteCsvCorners(const CModel& model, float scale, TextWriter& out, const MaterialLookup& materials,
                     std::int32_t material);

// The material numbers of a T row for one material map: an entry that names no material
// (below 0 or not below materialCount) takes its own place's number, and places beyond the
// materials, which no V row uses, are left out. With the default material, the places the
// map lacks take their own numbers and the default's number (materialCount) ends the row.
std::vector<std::int32_t> CsvMaterialNumbers(const std::vector<std::int32_t>& map, std::size_t materialCount,
                                             bool withDefault = false);
