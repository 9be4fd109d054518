// The name the JavaScript model exports declare: the output file's base name (as
// ExportClassName gives it), in UTF-8, made a valid identifier when it is not one.
#pragma once

#include <string>

// A valid name stays as it is, Japanese letters included. Otherwise: a character that may
// not stand in a name becomes '_', a name starting with a digit gets a '_' in front, and a
// reserved word, or a name the file cannot take without breaking itself or the engine
// (undefined, eval, Model3D, BoneModel3D, initTexture, ...), gets a '_' at its end.
std::string JsClassName(const std::string& cp932Path);
