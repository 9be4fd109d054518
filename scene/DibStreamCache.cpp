#include "scene/DibStreamCache.h"

#include "platform/FileSystem.h"
#include "scene/DibStream.h"

#include <algorithm>
#include <array>
#include <sys/stat.h>
#include <vector>

namespace {

// What tells one file from another (device, inode), and one version of it from another (size
// and modification time in seconds and nanoseconds), however its path is spelt.
using FileStamp = std::array<std::int64_t, 5>;

bool SameFile(const FileStamp& a, const FileStamp& b) { return a[0] == b[0] && a[1] == b[1]; }

struct Entry {
    FileStamp stamp{};
    std::weak_ptr<DibStream> image;  // expired once no material shows it
    std::uint64_t bytes = 0;
    bool failed = false;
    std::uint64_t retryBelow = 0;  // a failure for want of room: tried again below this many bytes
};

std::vector<Entry>& Entries()
{
    static std::vector<Entry> entries;
    return entries;
}

std::uint64_t& BudgetBytes()
{
    static std::uint64_t bytes = DibStreamCache::kSceneBudget;
    return bytes;
}

bool ReadStamp(const std::string& path, FileStamp& stamp)
{
    struct stat status {};
    if (::stat(fs_cp932::ToFileSystem(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    stamp = {static_cast<std::int64_t>(status.st_dev), static_cast<std::int64_t>(status.st_ino),
             static_cast<std::int64_t>(status.st_size), static_cast<std::int64_t>(status.st_mtim.tv_sec),
             static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
    return true;
}

// Bytes of the images alive, leaving out what is being replaced: the other versions of the
// file loaded (a reload holds both for a moment), and the image a material lets go of when
// nobody else holds it.
std::uint64_t HeldBytes(const FileStamp* newerFile, const DibStream* replaced)
{
    std::uint64_t total = 0;
    for (const Entry& entry : Entries()) {
        const bool older = newerFile && SameFile(entry.stamp, *newerFile) && entry.stamp != *newerFile;
        const std::shared_ptr<DibStream> image = entry.image.lock();
        // Held by the one letting it go, and here.
        const bool letGo = replaced && image.get() == replaced && image.use_count() == 2;
        if (!entry.failed && image && !older && !letGo)
            total += entry.bytes;
    }
    return total;
}

}  // namespace

std::uint64_t DibStreamCache::Budget() { return BudgetBytes(); }

void DibStreamCache::SetBudget(std::uint64_t bytes) { BudgetBytes() = bytes; }

std::uint64_t DibStreamCache::DecodedBytes() { return HeldBytes(nullptr, nullptr); }

std::shared_ptr<DibStream> DibStreamCache::Load(const std::string& path, const DibStream* replaced)
{
    FileStamp stamp;
    if (!ReadStamp(path, stamp))
        return nullptr;
    std::vector<Entry>& entries = Entries();
    std::erase_if(entries, [](const Entry& entry) { return !entry.failed && entry.image.expired(); });
    const std::uint64_t decoded = HeldBytes(&stamp, replaced);
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.stamp == stamp; });
    if (found != entries.end()) {
        if (!found->failed)
            return found->image.lock();
        if (decoded >= found->retryBelow)
            return nullptr;
    }
    // Failures of this file, of this version or of older ones, are of no more use.
    std::erase_if(entries, [&](const Entry& entry) { return entry.failed && SameFile(entry.stamp, stamp); });

    const std::uint64_t room = Budget() - std::min(decoded, Budget());
    const std::uint64_t budget = std::min(room, imagedecoding::kPixelBudget);
    auto image = std::make_shared<DibStream>();
    Entry entry;
    entry.stamp = stamp;
    if (!image->Load(path, budget)) {
        entry.failed = true;
        entry.retryBelow = budget < imagedecoding::kPixelBudget ? decoded : 0;
        entries.push_back(std::move(entry));
        return nullptr;
    }
    entry.image = image;
    entry.bytes = image->m_pixels.size();
    entries.push_back(std::move(entry));
    return image;
}

void DibStreamCache::Clear() { Entries().clear(); }
