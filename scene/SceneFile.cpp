#include "scene/SceneFile.h"

#include "platform/Archive.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/RegularFile.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace scenefile {

namespace {

constexpr std::uint64_t kPaddingFloor = std::uint64_t(1) << 20;

// The format version of a head: the only sound ones are finite and positive.
bool IsVersion(float version) { return std::isfinite(version) && version > 0.0f; }

// Whether padding to these lengths stays within the allowance. Every missing sample counts,
// and so do the samples the reader made up (madeUp of those the bones hold); counting stops
// as soon as the allowance is passed, so the count itself takes time only in proportion to
// what the scene holds.
bool PaddingFits(const CCentigrade& scene, const std::vector<std::size_t>& lengths, std::uint64_t madeUp = 0)
{
    const std::uint64_t held = HeldSamples(scene);
    const std::uint64_t allowance = PaddingAllowance(held - std::min(madeUp, held));
    std::uint64_t added = madeUp;
    if (added > allowance)
        return false;
    for (const CBone& bone : scene.m_bones) {
        for (std::size_t a = 0; a < lengths.size(); ++a) {
            const std::size_t have = a < bone.m_animations.size() ? bone.m_animations[a].size() : 0;
            if (lengths[a] > have && (added += lengths[a] - have) > allowance)
                return false;
        }
    }
    return true;
}

// Reads the head and the body into g_scene, g_frameRate and g_fileVersion. Malformed data
// raises the archive exception; a failed allocation passes through. Either way nothing of
// the scene or the globals changes.
void ReadScene(CArchive& ar)
{
    if (ar.BytesLeft() == 0)
        return;
    float frameRate = 0.0f, version = 0.0f;
    ar >> frameRate >> version;
    if (!IsVersion(version))
        throw CArchiveException("format version is not a positive number", 4);
    const float savedVersion = g_fileVersion;
    g_fileVersion = version;
    try {
        // The body is read into a copy, so a file that fails half way leaves the scene as
        // it was. The copy shares texture images with the scene, which is harmless: images
        // belong to the scene's material lists and are freed only by DeleteTextures.
        CCentigrade scene = g_scene;
        scene.Serialize(ar);
        if (!PaddingFits(scene, FittedLengths(scene, std::max<std::size_t>(scene.m_animationNames.size(), 1)),
                         ar.MadeUp()))
            ar.Fail("the bones' animations would be padded beyond the limit");
        if (!MaterialMapsFit(scene))
            ar.Fail("the material maps would be padded beyond the limit");
        g_scene = std::move(scene);
    } catch (...) {
        g_fileVersion = savedVersion;
        throw;
    }
    g_frameRate = frameRate;
}

std::string OpenFailure(const std::string& cp932Path, const RegularFile& file)
{
    return "ドキュメントを開くことに失敗しました。\n" + cp932::ToUtf8(cp932Path) + ": " + file.Reason();
}

}  // namespace

bool ReadSceneBytes(const std::uint8_t* data, std::size_t size, std::string& error)
{
    try {
        CArchive ar(data, size);
        ReadScene(ar);
        return true;
    } catch (const CArchiveException& e) {
        error = std::string(e.what()) + " at byte " + std::to_string(e.Offset());
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    } catch (const std::length_error&) {
        error = "out of memory";
    }
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
    RegularFile file;
    if (!file.Open(cp932Path)) {
        message = OpenFailure(cp932Path, file);
        return false;
    }
    try {
        CArchive ar(file);
        ReadScene(ar);
        return true;
    } catch (const CArchiveException&) {
        // A read error is the file's fault, not its content's.
        message = file.Error().empty() ? FormatMessage1("%1 の形式が正しくありません。", cp932::ToUtf8(cp932Path))
                                       : OpenFailure(cp932Path, file);
    }
    return false;
}

bool WriteSceneFile(const std::string& cp932Path, std::string& message)
{
    std::vector<std::uint8_t> bytes;
    try {
        bytes = WriteSceneBytes();
    } catch (const CArchiveException&) {
        // The one record the archive refuses to write: a string it would refuse to read.
        message = "ドキュメントの保存に失敗しました。\n" + std::to_string(CArchive::kMaxStringBytes) +
                  " バイトを超える名前やパスは保存できません。";
        return false;
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

std::uint64_t PaddingAllowance(std::uint64_t heldSamples) { return std::max(kPaddingFloor, heldSamples); }

std::uint64_t HeldSamples(const CCentigrade& scene)
{
    std::uint64_t held = 0;
    for (const CBone& bone : scene.m_bones)
        for (const std::vector<CAnimation>& samples : bone.m_animations)
            held += samples.size();
    return held;
}

std::vector<std::size_t> FittedLengths(const CCentigrade& scene, std::size_t animations)
{
    std::vector<std::size_t> longest(animations, 0);
    for (const CBone& bone : scene.m_bones) {
        const std::size_t stored = std::min(bone.m_animations.size(), animations);
        for (std::size_t a = 0; a < stored; ++a)
            longest[a] = std::max(longest[a], bone.m_animations[a].size());
    }
    const std::size_t fallback = static_cast<std::size_t>(std::max(g_lastFrame, 0)) + 1;
    std::vector<std::size_t> lengths(animations, fallback);
    if (scene.m_bones.empty())
        return lengths;
    const std::vector<std::vector<CAnimation>>& first = scene.m_bones[0].m_animations;
    for (std::size_t a = 0; a < animations; ++a) {
        if (a < first.size() && !first[a].empty())
            lengths[a] = first[a].size();
        else if (longest[a] > 0)
            lengths[a] = longest[a];
    }
    return lengths;
}

bool MaterialMapsFit(const CCentigrade& scene)
{
    const std::size_t entries = scene.m_materials.size();
    std::uint64_t held = 0;
    for (const std::vector<std::int32_t>& map : scene.m_materialMaps)
        held += map.size();
    const std::uint64_t allowance = PaddingAllowance(held);
    std::uint64_t added = 0;
    for (std::size_t a = 0; a < scene.m_animationNames.size(); ++a) {
        const std::size_t have = a < scene.m_materialMaps.size() ? scene.m_materialMaps[a].size() : 0;
        if (entries > have && (added += entries - have) > allowance)
            return false;
    }
    return true;
}

bool FitAnimationLengths(CCentigrade& scene)
{
    const std::size_t animations = std::max<std::size_t>(scene.m_animationNames.size(), 1);
    const std::vector<std::size_t> lengths = FittedLengths(scene, animations);
    if (!PaddingFits(scene, lengths))
        return false;
    if (scene.m_animationNames.empty())
        scene.m_animationNames.emplace_back("Animation_0");
    for (CBone& bone : scene.m_bones) {
        bone.m_animations.resize(animations);
        for (std::size_t a = 0; a < animations; ++a) {
            std::vector<CAnimation>& samples = bone.m_animations[a];
            samples.resize(lengths[a]);
            samples[0].m_key = true;
        }
    }
    return true;
}

}  // namespace scenefile
