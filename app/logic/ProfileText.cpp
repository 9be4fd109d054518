#include "app/logic/ProfileText.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// Well-formed UTF-8 (no overlong forms, no surrogates) without control characters but tabs.
bool IsCleanLine(std::string_view line)
{
    for (std::size_t i = 0; i < line.size();) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t') || c == 0x7F)
                return false;
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned min = 0;
        unsigned code = 0;
        if ((c & 0xE0) == 0xC0)
            length = 2, min = 0x80, code = c & 0x1F;
        else if ((c & 0xF0) == 0xE0)
            length = 3, min = 0x800, code = c & 0x0F;
        else if ((c & 0xF8) == 0xF0)
            length = 4, min = 0x10000, code = c & 0x07;
        else
            return false;
        if (i + length > line.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto t = static_cast<unsigned char>(line[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (t & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// A backslash takes the next character as it is; one at the very end goes.
std::string Unescape(std::string_view raw)
{
    std::string name;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && ++i == raw.size())
            break;
        name += raw[i];
    }
    return name;
}

// As the parser writes names: a backslash before every ASCII character but letters, digits
// and @_-.*%().
std::string EscapeName(std::string_view name)
{
    std::string raw;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        const bool plain = u >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           std::string_view("@_-.*%()").find(c) != std::string_view::npos;
        if (!plain)
            raw += '\\';
        raw += c;
    }
    return raw;
}

bool IsGoodName(std::string_view name)
{
    return !name.empty() && !IsBlank(name.front()) && !IsBlank(name.back());
}

// A value as the parser reads it: quoted or not, with \n \r \t \\ \" escapes (any other
// escape reads as nothing). Nothing for the two cases the parser complains of: a backslash
// at the end, and a quote inside a quoted value.
std::optional<std::string> DecodeValue(std::string_view raw)
{
    std::string value;
    std::size_t i = 0;
    const bool quoted = !raw.empty() && raw[0] == '"';
    if (quoted)
        ++i;
    for (; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i == raw.size())
                return std::nullopt;
            switch (raw[i]) {
            case 'n': value += '\n'; break;
            case 'r': value += '\r'; break;
            case 't': value += '\t'; break;
            case '\\': value += '\\'; break;
            case '"': value += '"'; break;
            default: break;
            }
        } else if (c != '"' || !quoted) {
            value += c;
        } else if (i + 1 != raw.size()) {
            return std::nullopt;
        }
    }
    return value;
}

// The value as the parser writes it: quoted when it starts with a blank or a quote.
std::string EncodeValue(std::string_view value)
{
    const bool quote = !value.empty() && (IsBlank(value[0]) || value[0] == '"');
    std::string raw = quote ? "\"" : "";
    for (char c : value) {
        switch (c) {
        case '\n': raw += "\\n"; break;
        case '\r': raw += "\\r"; break;
        case '\t': raw += "\\t"; break;
        case '\\': raw += "\\\\"; break;
        case '"': raw += quote ? "\\\"" : "\""; break;
        default: raw += c; break;
        }
    }
    if (quote)
        raw += '"';
    return raw;
}

// "a/b" -> {"a", "b"}; nothing when a part is empty, "." or "..", or starts or ends blank.
std::optional<std::vector<std::string>> SplitGroupPath(std::string_view path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find('/', start);
        const std::string_view part = path.substr(start, slash == std::string_view::npos ? path.npos : slash - start);
        if (!IsGoodName(part) || part == "." || part == "..")
            return std::nullopt;
        parts.emplace_back(part);
        if (slash == std::string_view::npos)
            return parts;
        start = slash + 1;
    }
}

struct Group {
    std::string header;  // "[a/b]", empty for the entries before any group
    std::vector<std::pair<std::string, std::string>> entries;
};

class Reader {
public:
    void Line(std::string_view line)
    {
        if (!IsCleanLine(line))
            return Drop();
        std::size_t start = 0;
        while (start < line.size() && IsBlank(line[start]))
            ++start;
        line.remove_prefix(start);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            return;
        if (line[0] == '[')
            return Header(line);
        Entry(line);
    }

    ProfileReading Finish()
    {
        ProfileReading reading;
        reading.droppedLines = m_dropped;
        for (const Group& group : m_groups) {
            if (!group.header.empty())
                reading.text += group.header + "\n";
            for (const auto& [key, value] : group.entries)
                reading.text += EscapeName(key) + "=" + EncodeValue(value) + "\n";
        }
        return reading;
    }

private:
    void Drop() { ++m_dropped; }

    void Header(std::string_view line)
    {
        std::size_t end = 1;
        while (end < line.size() && line[end] != ']')
            end += line[end] == '\\' ? 2 : 1;
        if (end >= line.size())
            return Drop();
        for (std::size_t i = end + 1; i < line.size() && line[i] != ';' && line[i] != '#'; ++i)
            if (!IsBlank(line[i]))
                return Drop();
        const std::optional<std::vector<std::string>> parts = SplitGroupPath(Unescape(line.substr(1, end - 1)));
        if (!parts)
            return Drop();
        std::string header = "[";
        for (const std::string& part : *parts)
            header += (header.size() > 1 ? "/" : "") + EscapeName(part);
        header += "]";
        const auto found = std::find_if(m_groups.begin(), m_groups.end(),
                                        [&](const Group& group) { return group.header == header; });
        m_current = found != m_groups.end() ? static_cast<std::size_t>(found - m_groups.begin()) : m_groups.size();
        if (found == m_groups.end())
            m_groups.push_back({std::move(header), {}});
    }

    void Entry(std::string_view line)
    {
        std::size_t equals = 0;
        while (equals < line.size() && line[equals] != '=')
            equals += line[equals] == '\\' ? 2 : 1;
        if (equals >= line.size())
            return Drop();
        std::string_view rawKey = line.substr(0, equals);
        while (!rawKey.empty() && IsBlank(rawKey.back()))
            rawKey.remove_suffix(1);
        const std::string key = Unescape(rawKey);
        if (!IsGoodName(key) || key.find('/') != std::string::npos || key[0] == '!')
            return Drop();
        std::string_view rawValue = line.substr(equals + 1);
        while (!rawValue.empty() && IsBlank(rawValue.front()))
            rawValue.remove_prefix(1);
        std::optional<std::string> value = DecodeValue(rawValue);
        if (!value)
            return Drop();
        auto& entries = m_groups[m_current].entries;
        const auto same = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.first == key; });
        if (same == entries.end()) {
            entries.emplace_back(key, std::move(*value));
        } else {
            same->second = std::move(*value);
            Drop();  // the earlier line of the key
        }
    }

    std::vector<Group> m_groups{Group{}};
    std::size_t m_current = 0;
    std::size_t m_dropped = 0;
};

}  // namespace

ProfileReading ReadProfileText(std::span<const std::uint8_t> bytes)
{
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    Reader reader;
    // Lines end at LF, CR LF or a lone CR, as the parser takes them.
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        reader.Line(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + (text.substr(end).starts_with("\r\n") ? 2 : 1));
    }
    return reader.Finish();
}
