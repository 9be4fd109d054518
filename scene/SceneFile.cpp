#include "scene/SceneFile.h"

#include "platform/Archive.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/RegularFile.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <cmath>
#include <new>

namespace scenefile {

namespace {

constexpr std::size_t kHeadSize = 8;

// The format version of a head: the only sound ones are finite and positive.
bool IsVersion(float version) { return std::isfinite(version) && version > 0.0f; }

}  // namespace

bool ReadSceneBytes(const std::uint8_t* data, std::size_t size, std::string& error)
{
    if (size == 0)
        return true;
    const float savedVersion = g_fileVersion;
    try {
        CArchive ar(data, size);
        float frameRate = 0.0f, version = 0.0f;
        ar >> frameRate >> version;
        if (!IsVersion(version))
            throw CArchiveException("format version is not a positive number", 4);
        // The body is read into a copy, so a file that fails half way leaves the scene as
        // it was. The copy shares texture images with the scene, which is harmless: images
        // belong to the scene's material lists and are freed only by DeleteTextures.
        CCentigrade scene = g_scene;
        g_fileVersion = version;
        scene.Serialize(ar);
        g_scene = std::move(scene);
        g_frameRate = frameRate;
        return true;
    } catch (const CArchiveException& e) {
        error = std::string(e.what()) + " at byte " + std::to_string(e.Offset());
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    } catch (const std::length_error&) {
        error = "out of memory";
    }
    g_fileVersion = savedVersion;
    return false;
}

std::vector<std::uint8_t> WriteSceneBytes()
{
    CArchive ar;
    ar << g_frameRate;
    g_fileVersion = kVersion392;
    ar << kVersion392;
    g_scene.Serialize(ar);
    return ar.Bytes();
}

bool ReadSceneFile(const std::string& cp932Path, std::string& message)
{
    const std::string malformed = FormatMessage1("%1 の形式が正しくありません。", cp932::ToUtf8(cp932Path));
    std::vector<std::uint8_t> data;
    RegularFile file;
    // The head comes first, so that a large file that is no scene is refused unread.
    if (!file.Open(cp932Path) || !file.Read(data, kHeadSize)) {
        message = "ドキュメントを開くことに失敗しました。";
        return false;
    }
    if (data.size() == kHeadSize) {
        CArchive head(data.data(), data.size());
        float frameRate = 0.0f, version = 0.0f;
        head >> frameRate >> version;
        if (!IsVersion(version)) {
            message = malformed;
            return false;
        }
    }
    if (!file.ReadRest(data)) {
        message = "ドキュメントを開くことに失敗しました。";
        return false;
    }
    std::string error;
    if (!ReadSceneBytes(data.data(), data.size(), error)) {
        message = malformed;
        return false;
    }
    return true;
}

bool WriteSceneFile(const std::string& cp932Path, std::string& message)
{
    std::vector<std::uint8_t> bytes;
    try {
        bytes = WriteSceneBytes();
    } catch (const std::exception&) {
        message = "ドキュメントの保存に失敗しました。";
        return false;
    }
    std::string error;
    if (!fs_cp932::WriteFileAtomically(cp932Path, bytes.data(), bytes.size(), error)) {
        message = "ドキュメントの保存に失敗しました。\n" + cp932::ToUtf8(cp932Path) + ": " + error;
        return false;
    }
    return true;
}

}  // namespace scenefile
