#include "scene/SceneFile.h"

#include "platform/Archive.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <new>

namespace scenefile {

bool ReadSceneBytes(const std::uint8_t* data, std::size_t size, std::string& error)
{
    if (size == 0)
        return true;
    const float savedVersion = g_fileVersion;
    try {
        CArchive ar(data, size);
        float frameRate = 0.0f, version = 0.0f;
        ar >> frameRate >> version;
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
    std::vector<std::uint8_t> data;
    std::string error;
    if (!fs_cp932::ReadWholeFile(cp932Path, data, error)) {
        message = "ドキュメントを開くことに失敗しました。";
        return false;
    }
    if (!ReadSceneBytes(data.data(), data.size(), error)) {
        message = FormatMessage1("%1 の形式が正しくありません。", cp932::ToUtf8(cp932Path));
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
