#include "scene/DibStreamCache.h"

#include "platform/FileSystem.h"
#include "scene/DibStream.h"

#include <algorithm>
#include <array>
#include <sys/stat.h>
#include <vector>

namespace {

// What tells one version of a file from another: device, inode, size and modification time
// (seconds, nanoseconds).
using FileStamp = std::array<std::int64_t, 5>;

struct Entry {
    std::string path;
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

// Bytes of the images alive, leaving out the older versions of one file (they are being
// replaced: a reload holds both for a moment).
std::uint64_t HeldBytes(const FileStamp* newerFile)
{
    std::uint64_t total = 0;
    for (const Entry& entry : Entries()) {
        const bool older = newerFile && entry.stamp[0] == (*newerFile)[0] && entry.stamp[1] == (*newerFile)[1];
        if (!entry.failed && !entry.image.expired() && !older)
            total += entry.bytes;
    }
    return total;
}

}  // namespace

std::uint64_t DibStreamCache::Budget() { return BudgetBytes(); }

void DibStreamCache::SetBudget(std::uint64_t bytes) { BudgetBytes() = bytes; }

std::uint64_t DibStreamCache::DecodedBytes() { return HeldBytes(nullptr); }

std::shared_ptr<DibStream> DibStreamCache::Load(const std::string& path)
{
    FileStamp stamp;
    if (!ReadStamp(path, stamp))
        return nullptr;
    std::vector<Entry>& entries = Entries();
    std::erase_if(entries, [](const Entry& entry) { return !entry.failed && entry.image.expired(); });
    const std::uint64_t decoded = HeldBytes(&stamp);
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) {
        return entry.path == path && entry.stamp == stamp;
    });
    if (found != entries.end()) {
        if (!found->failed)
            return found->image.lock();
        if (decoded >= found->retryBelow)
            return nullptr;
    }
    // Failures of this path, of this version or of older ones, are of no more use.
    std::erase_if(entries, [&](const Entry& entry) { return entry.failed && entry.path == path; });

    const std::uint64_t room = Budget() - std::min(decoded, Budget());
    const std::uint64_t budget = std::min(room, imagedecoding::kPixelBudget);
    auto image = std::make_shared<DibStream>();
    Entry entry;
    entry.path = path;
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
