// A whole scene file: the head (frame rate, format version) and the scene body, and the
// fitting of the animations that a scene read from a file needs before anything uses it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CCentigrade;

namespace scenefile {

// Reads a scene from bytes into g_scene, g_frameRate and g_fileVersion. Empty data is a
// valid, empty file and changes nothing. On failure nothing of the scene or the globals
// changes, and error says what was wrong and at which byte. A scene past the limits of
// scene/SceneLimits.h is refused, and so is one whose animations FitAnimationLengths would pad
// beyond its limit (the samples of animations stored empty count as padding) or whose material
// maps fitting would pad beyond it (MaterialMapsFit).
bool ReadSceneBytes(const std::uint8_t* data, std::size_t size, std::string& error);

// The bytes of g_scene as a version 3.92 scene file; sets g_fileVersion to 3.92.
std::vector<std::uint8_t> WriteSceneBytes();

// Reads the scene file at a CP932 path as ReadSceneBytes does, front to back without
// holding the file in memory. On failure the user's message (UTF-8) is in message:
// "... の形式が正しくありません。" for malformed data, else "ドキュメントを開くことに失敗
// しました。" with the path and the reason (a folder, a FIFO, a device, a missing file...).
bool ReadSceneFile(const std::string& cp932Path, std::string& message);

// Writes g_scene to a CP932 path through a temporary file that replaces the target only
// once it is complete; an existing file survives every failure. message as above.
bool WriteSceneFile(const std::string& cp932Path, std::string& message);

// The samples that padding may add to a scene whose bones hold `heldSamples`: as many again,
// and at least 1,048,576 (about 80 MB), so that a small file naming many bones and many
// animations cannot ask for more.
std::uint64_t PaddingAllowance(std::uint64_t heldSamples);
// The samples the scene's bones hold, in all.
std::uint64_t HeldSamples(const CCentigrade& scene);
// The number of samples each of `animations` animations takes in every bone once the scene
// is fitted (see FitAnimationLengths).
std::vector<std::size_t> FittedLengths(const CCentigrade& scene, std::size_t animations);

// Whether fitting the material maps (CCentigrade::FitMaterialMaps: one map per animation
// name, one entry per material) adds no more entries than PaddingAllowance allows for the
// entries the maps hold.
bool MaterialMapsFit(const CCentigrade& scene);

// At least one animation name; every bone holds one sample array per animation name; for
// each animation every bone holds as many samples as bone 0 (the longest of the others when
// bone 0 has none, else g_lastFrame + 1), padded with reset samples or cut; sample 0 of every
// array is a key. False, with the scene unchanged, when padding would add more samples than
// PaddingAllowance allows.
bool FitAnimationLengths(CCentigrade& scene);

}  // namespace scenefile
