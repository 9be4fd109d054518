#include "app/CWxProfile.h"

#include <wx/confbase.h>

namespace {
wxString KeyPath(const std::string& section, const std::string& key)
{
    return wxString::FromUTF8("/" + section + "/" + key);
}
}  // namespace

long CWxProfile::GetProfileInt(const std::string& section, const std::string& key, long defaultValue) const
{
    long value = defaultValue;
    return m_config.Read(KeyPath(section, key), &value, defaultValue) ? value : defaultValue;
}

bool CWxProfile::WriteProfileInt(const std::string& section, const std::string& key, long value)
{
    return m_config.Write(KeyPath(section, key), value) && m_config.Flush();
}
