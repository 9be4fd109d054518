// The per-user profile: integer values by section and key (the colours of "ProgramData").
#pragma once

#include <string>

class IProfile {
public:
    virtual ~IProfile() = default;
    // The stored value, or defaultValue when the key is missing or not a number.
    virtual long GetProfileInt(const std::string& section, const std::string& key, long defaultValue) const = 0;
    // Stores the value and writes the profile out.
    virtual bool WriteProfileInt(const std::string& section, const std::string& key, long value) = 0;
};
