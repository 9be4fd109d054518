// The profile in a file of the toolkit's configuration format
// (~/.config/kinemorphix/kinemorphix.conf): sections are groups. The file is read once, through
// the regular-file road and ReadProfileText, so that a damaged file gives what it still holds;
// it is written out whole after every change, through a temporary file renamed over it, and
// only when what it should hold differs from what it holds.
//
// What cannot be read or kept goes to the `tell` function given (Japanese, UTF-8). A damaged
// file is first copied beside itself ("kinemorphix.conf.bak", or ".bak2" and on when that is
// taken) and then replaced by what could be read; a file that cannot be read, or whose copy
// cannot be made, is never written in this run: the settings of the run stay in memory.
#pragma once

#include "app/logic/IProfile.h"

#include <functional>
#include <memory>
#include <string>

class wxConfigBase;
class wxFileConfig;

class CWxProfile : public IProfile {
public:
    using Tell = std::function<void(const std::string&)>;

    // Reads the profile at path (UTF-8), making its folder when it is missing.
    CWxProfile(std::string path, Tell tell);
    ~CWxProfile() override;
    CWxProfile(const CWxProfile&) = delete;
    CWxProfile& operator=(const CWxProfile&) = delete;

    // The values for the recent-file list; Save() writes what was changed in it.
    wxConfigBase& Config();

    long GetProfileInt(const std::string& section, const std::string& key, long defaultValue) const override;
    bool WriteProfileInt(const std::string& section, const std::string& key, long value) override;

    // Writes the profile out when it changed. False when it cannot be kept (told).
    bool Save();

private:
    void Read();

    std::string m_path;
    Tell m_tell;
    std::unique_ptr<wxFileConfig> m_config;
    std::string m_onDisk;  // what the file holds, as far as this run knows
    bool m_writable = true;
};
