// Decoded texture images shared by file. The materials that name the same unchanged file,
// by whatever path, show one image (and one texture object made from it); a file changed on disk since it was
// decoded is decoded again. The images alive together hold at most Budget() bytes of
// pixels: an image that would go beyond that is refused like a damaged one. A file that
// cannot be decoded is not read again until it changes, or, when it was refused for want of
// room, until fewer pixels are held.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class DibStream;

class DibStreamCache {
public:
    // 512 MB: two images of the largest size one image may have.
    static constexpr std::uint64_t kSceneBudget = std::uint64_t(512) << 20;
    static std::uint64_t Budget();
    static void SetBudget(std::uint64_t bytes);

    // The image of the file at a CP932 path; null when the path is no regular file or its
    // image cannot be decoded within the limits and what is left of the scene's budget.
    // replaced: the image the caller shows until now and lets go of, left out of the budget
    // when the caller is its only holder.
    static std::shared_ptr<DibStream> Load(const std::string& path, const DibStream* replaced = nullptr);
    // Bytes of pixels of the images still shown by some material.
    static std::uint64_t DecodedBytes();
    // Forgets every image and failure (the scene's textures are being freed).
    static void Clear();
};
