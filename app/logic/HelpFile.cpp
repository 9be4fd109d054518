#include "app/logic/HelpFile.h"

#include <filesystem>
#include <system_error>

std::vector<std::string> HelpFileCandidates(const std::string& programFolder)
{
    const std::filesystem::path folder(programFolder);
    return {(folder / kHelpFileName).lexically_normal().string(),
            (folder / ".." / "share" / "kinemorphix" / kHelpFileName).lexically_normal().string()};
}

std::optional<std::string> FindHelpFile(const std::string& programFolder)
{
    for (const std::string& candidate : HelpFileCandidates(programFolder)) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec))
            return candidate;
    }
    return std::nullopt;
}
