// ASCII names for generated source code taken from a file name whose name the source does
// not have to keep, such as the texture classes of the Flash CS target (the classes named
// after the output file keep its name, FileClassName.h). A file name that is no valid
// identifier (a blank, a hyphen, a leading digit, a character outside ASCII, a keyword)
// would give a source that does not compile, so it is made into one.
#pragma once

#include <span>
#include <string>
#include <string_view>

// The identifier for a CP932 file base name: ASCII letters, digits, '_' and the characters
// of extra stay; every other character (a double-byte character counts as one) becomes
// '_'; a leading digit gets a '_' before it; a name in reserved gets a '_' after it; an
// empty name becomes "Model". A name that is already valid comes back unchanged.
std::string SourceIdentifier(std::string_view cp932Name, std::span<const std::string_view> reserved,
                             std::string_view extra = {});
