#include "app/logic/DocumentTypeRegistration.h"

#include "app/logic/EmbeddedResources.h"
#include "platform/RegularFile.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace doctype {

namespace {

namespace fs = std::filesystem;

const char* const kDesktopEntry = "applications/kinemorphix.desktop";
const char* const kMimePackage = "mime/packages/kinemorphix.xml";
const char* const kProgramIcon = "icons/hicolor/scalable/apps/kinemorphix.svg";
const char* const kDocumentIcon = "icons/hicolor/scalable/mimetypes/application-x-kinemorphix.svg";

// The installed desktop entry with the program's own path in its Exec line.
std::string DesktopEntry(const std::string& exec)
{
    std::istringstream in{std::string(EmbeddedResource("linux/kinemorphix.desktop"))};
    std::string out, line;
    while (std::getline(in, line))
        out += (line.starts_with("Exec=") ? "Exec=" + exec : line) + "\n";
    return out;
}

// Read through the regular-file road: a FIFO or a device at the path is "different" at
// once (and then replaced), and a file of another size is never read.
bool SameContent(const fs::path& path, const std::string& content)
{
    RegularFile file;
    std::vector<std::uint8_t> present;
    return file.OpenFileSystemPath(path.string()) && file.Size() == content.size() && file.ReadRest(present) &&
           std::equal(present.begin(), present.end(), content.begin(), content.end(),
                      [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
}

bool WriteFile(const fs::path& path, const std::string& content, std::string& error)
{
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    const fs::path temporary = path.string() + ".new";
    // Whatever stands there (a FIFO would hold the write for ever) goes first.
    fs::remove(temporary, ec);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << content;
        out.close();
        if (!out) {
            fs::remove(temporary, ec);
            error = "「" + path.string() + "」を書き込めませんでした。";
            return false;
        }
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        error = "「" + path.string() + "」を書き込めませんでした。";
        return false;
    }
    return true;
}

bool IsExecutable(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

std::string FindOnPath(const std::string& tool)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (!folder.empty() && IsExecutable(fs::path(folder) / tool))
            return (fs::path(folder) / tool).string();
    return {};
}

}  // namespace

std::string UserDataFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return data;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/share";
    return {};
}

std::string DesktopExecValue(const std::string& programPath)
{
    if (programPath.empty() || programPath.find_first_of("\n\r") != std::string::npos)
        return {};
    // Inside double quotes ", `, $ and \ take a backslash; the key file's own escaping then
    // doubles every backslash, and a literal % is written %%.
    std::string quoted = "\"";
    for (char c : programPath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (char c : quoted) {
        if (c == '\\')
            value += "\\\\";
        else if (c == '%')
            value += "%%";
        else
            value += c;
    }
    return value + " %f";
}

std::vector<RegistrationFile> RegistrationFiles(const std::string& programPath)
{
    const std::string exec = DesktopExecValue(programPath);
    if (exec.empty())
        return {};
    return {
        {kDesktopEntry, DesktopEntry(exec)},
        {kMimePackage, std::string(EmbeddedResource("linux/kinemorphix.xml"))},
        {kProgramIcon, std::string(EmbeddedResource("icons/kinemorphix.svg"))},
        {kDocumentIcon, std::string(EmbeddedResource("icons/application-x-kinemorphix.svg"))},
    };
}

Outcome Register(const std::string& dataFolder, const std::string& programPath)
{
    Outcome outcome;
    const std::vector<RegistrationFile> files = RegistrationFiles(programPath);
    if (dataFolder.empty() || files.empty()) {
        outcome.ok = false;
        outcome.error = "登録先のフォルダかプログラムのパスがありません。";
        return outcome;
    }
    for (const RegistrationFile& file : files) {
        const fs::path path = fs::path(dataFolder) / file.relativePath;
        if (SameContent(path, file.content))
            continue;
        if (!WriteFile(path, file.content, outcome.error)) {
            outcome.ok = false;
            return outcome;
        }
        outcome.changed = true;
    }
    return outcome;
}

Outcome Unregister(const std::string& dataFolder)
{
    Outcome outcome;
    if (dataFolder.empty())
        return outcome;
    for (const char* relative : {kDesktopEntry, kMimePackage, kProgramIcon, kDocumentIcon}) {
        const fs::path path = fs::path(dataFolder) / relative;
        std::error_code ec;
        if (fs::remove(path, ec)) {
            outcome.changed = true;
        } else if (ec) {
            outcome.ok = false;
            outcome.error = "「" + path.string() + "」を削除できませんでした。";
        }
    }
    return outcome;
}

std::vector<std::vector<std::string>> RefreshCommands(const std::string& dataFolder)
{
    std::vector<std::vector<std::string>> commands;
    const std::string mime = FindOnPath("update-mime-database");
    if (!mime.empty())
        commands.push_back({mime, (fs::path(dataFolder) / "mime").string()});
    const std::string desktop = FindOnPath("update-desktop-database");
    if (!desktop.empty())
        commands.push_back({desktop, (fs::path(dataFolder) / "applications").string()});
    return commands;
}

}  // namespace doctype
