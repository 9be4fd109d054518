// The Metasequoia text export with bone data: every vertex row can carry its bone, that
// bone's parent and its weight, and the animated forms add one BoneAnimation chunk per
// animation with one baked world matrix per bone and frame. The static form writes a plain
// model file with the extension ".mqo".
#pragma once

#include "export/ExportCommon.h"

#include <string>
#include <vector>

class CBone;
class CCentigrade;
class CModel;
class MaterialLookup;
class TextWriter;

// Writes the file. Forms 0 and 1 write path itself; form 2 writes path with its extension
// replaced by ".mqo" (result.path tells which). A scene without a model is refused before
// anything is opened. flag is passed as 1 by the dispatcher and has no effect.
ExportResult ExportMqoWithBones(const CCentigrade& scene, const std::string& path, ExportAnimationForm form,
                                int flag, float scale);

// The whole text of the file, for any writer. False (nothing written) without a model.
bool WriteMqoWithBones(const CCentigrade& scene, TextWriter& out, ExportAnimationForm form, float scale);

// The vertex and face chunks of one object; bones decides whether vertex rows carry their
// bone (-1 for none or one past the list), its parent and the weight. A face's M is its
// material's place in the list, -1 when no material has its number. Always true.
bool WriteMqoObjectBody(const CModel& model, TextWriter& out, const std::vector<CBone>& bones,
                        const MaterialLookup& materials, float scale);
