// The profile in a wxFileConfig (~/.config/kinemorphix/kinemorphix.conf): sections are
// groups, values are written out at once.
#pragma once

#include "app/logic/IProfile.h"

class wxConfigBase;

class CWxProfile : public IProfile {
public:
    explicit CWxProfile(wxConfigBase& config) : m_config(config) {}

    long GetProfileInt(const std::string& section, const std::string& key, long defaultValue) const override;
    bool WriteProfileInt(const std::string& section, const std::string& key, long value) override;

private:
    wxConfigBase& m_config;
};
