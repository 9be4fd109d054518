#include "app/CWxProfile.h"

#include "app/logic/ProfileText.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

#include <wx/fileconf.h>
#include <wx/mstream.h>

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

namespace fs = std::filesystem;

wxString KeyPath(const std::string& section, const std::string& key)
{
    return wxString::FromUTF8("/" + section + "/" + key);
}

// Why a folder could not be made or written, as the user is told.
std::string FolderReason(const std::error_code& ec)
{
    switch (ec.value()) {
    case EEXIST:
    case ENOTDIR: return "同じ名前のファイルがあります";
    case EACCES:
    case EPERM: return "書き込む権限がありません";
    case EROFS: return "読み取り専用です";
    case ENOSPC: return "ディスクがいっぱいです";
    default: return ec.message();
    }
}

// A reason inside parentheses, without its own full stop.
std::string Bare(std::string reason)
{
    const std::string stop = "。";
    if (reason.ends_with(stop))
        reason.resize(reason.size() - stop.size());
    return reason;
}

bool WriteWhole(const std::string& path, const std::string& text, std::string& error)
{
    AtomicFile file;
    if (file.OpenFileSystemPath(path) && file.Write(text.data(), text.size()) && file.Commit())
        return true;
    error = file.Error();
    return false;
}

// "<path>.bak", or "<path>.bak2" and on when that is taken: an earlier copy is never replaced.
std::string FreeBackupPath(const std::string& path)
{
    std::error_code ec;
    std::string backup = path + ".bak";
    for (int n = 2; fs::exists(fs::symlink_status(backup, ec)); ++n)
        backup = path + ".bak" + std::to_string(n);
    return backup;
}

}  // namespace

CWxProfile::CWxProfile(std::string path, Tell tell) : m_path(std::move(path)), m_tell(std::move(tell))
{
    Read();
}

CWxProfile::~CWxProfile() = default;

void CWxProfile::Read()
{
    const auto useText = [this](const std::string& text) {
        wxMemoryInputStream in(text.data(), text.size());
        m_config = std::make_unique<wxFileConfig>(in, wxConvUTF8);
        // Written by Save only; the file name stays ours.
        m_config->DisableAutoSave();
    };
    useText({});

    const fs::path folder = fs::path(m_path).parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        m_writable = false;
        m_tell("設定フォルダー「" + folder.string() + "」を作れません（" + FolderReason(ec) +
               "）。既定の設定で起動し、設定は保存しません。");
        return;
    }

    RegularFile file;
    std::vector<std::uint8_t> bytes;
    if (!file.OpenFileSystemPath(m_path) || !file.ReadRest(bytes)) {
        if (file.ErrorNumber() == ENOENT && !file.IsNotRegular()) {
            // A first start: the file comes with the first setting kept.
            if (::access(folder.c_str(), W_OK) != 0) {
                m_writable = false;
                m_tell("設定フォルダー「" + folder.string() + "」に書き込めません（" +
                       FolderReason(std::error_code(errno, std::generic_category())) + "）。設定は保存しません。");
            }
            return;
        }
        m_writable = false;
        m_tell("設定ファイル「" + m_path + "」を読めません（" + Bare(file.Reason()) +
               "）。既定の設定で起動し、この設定ファイルには書き込みません。");
        return;
    }

    const ProfileReading reading = ReadProfileText(bytes);
    useText(reading.text);
    m_onDisk.assign(bytes.begin(), bytes.end());
    if (reading.droppedLines == 0)
        return;
    const std::string start = "設定ファイル「" + m_path + "」の一部が壊れていたため、読めた設定で起動します。";
    const std::string backup = FreeBackupPath(m_path);
    std::string error;
    if (!WriteWhole(backup, m_onDisk, error)) {
        m_writable = false;
        m_tell(start + "元のファイルの控え「" + backup + "」を作れなかったため（" + error +
               "）、この設定ファイルには書き込みません。");
        return;
    }
    m_tell(start + "元のファイルは「" + backup + "」に残しました。");
    Save();
}

wxConfigBase& CWxProfile::Config()
{
    return *m_config;
}

long CWxProfile::GetProfileInt(const std::string& section, const std::string& key, long defaultValue) const
{
    long value = defaultValue;
    return m_config->Read(KeyPath(section, key), &value, defaultValue) ? value : defaultValue;
}

bool CWxProfile::WriteProfileInt(const std::string& section, const std::string& key, long value)
{
    return m_config->Write(KeyPath(section, key), value) && Save();
}

bool CWxProfile::Save()
{
    if (!m_writable)
        return false;
    wxMemoryOutputStream out;
    if (!m_config->Save(out, wxConvUTF8))
        return false;
    std::string text(out.GetLength(), '\0');
    out.CopyTo(text.data(), text.size());
    if (text == m_onDisk)
        return true;
    std::string error;
    if (!WriteWhole(m_path, text, error)) {
        m_tell("設定を「" + m_path + "」に保存できませんでした（" + error + "）。");
        return false;
    }
    m_onDisk = std::move(text);
    return true;
}
