// Files the program carries inside itself, by their path below resources/: the toolbar and
// program icons ("icons/toolbar/new.svg", "icons/kinemorphix.svg"), the desktop entry
// ("linux/kinemorphix.desktop") and the MIME type ("linux/kinemorphix.xml").
#pragma once

#include <string_view>

// The file's bytes; empty for a name that is not carried.
std::string_view EmbeddedResource(std::string_view name);
