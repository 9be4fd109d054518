// A whole scene file: the head (frame rate, format version) and the scene body.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace scenefile {

// Reads a scene from bytes into g_scene, g_frameRate and g_fileVersion. Empty data is a
// valid, empty file and changes nothing. On failure nothing of the scene or the globals
// changes, and error says what was wrong and at which byte.
bool ReadSceneBytes(const std::uint8_t* data, std::size_t size, std::string& error);

// The bytes of g_scene as a version 3.92 scene file; sets g_fileVersion to 3.92.
std::vector<std::uint8_t> WriteSceneBytes();

// Reads the scene file at a CP932 path. On failure the user's message (UTF-8) is in
// message: "... の形式が正しくありません。" for malformed data, or the open failure.
bool ReadSceneFile(const std::string& cp932Path, std::string& message);

// Writes g_scene to a CP932 path through a temporary file that replaces the target only
// once it is complete; an existing file survives every failure. message as above.
bool WriteSceneFile(const std::string& cp932Path, std::string& message);

}  // namespace scenefile
