// The table of export targets, in the order of the save dialog's file types (type 1 is the
// scene file, which is saved, not exported). The save dialog, the overwrite-export command
// and the tests loop over it. Targets not built yet have no function.
#pragma once

#include "export/ExportCommon.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class CCentigrade;

// Every exporter is reachable through this one shape; the table adapts each entry to it.
using ExportEntry = ExportResult (*)(const CCentigrade& scene, const std::string& cp932Path,
                                     const ExportOptions& options);

struct ExporterInfo {
    std::int32_t type;           // number of the file type in the save dialog (2..14)
    std::string_view name;       // identifier of the type, e.g. "ExportTypeBoneAnimation"
    std::string_view label;      // the filter label (UTF-8)
    std::string_view pattern;    // the filter pattern, e.g. "*.zlba"
    std::int32_t restriction;    // options dialog: above 0 no key-frame form, above 1 no matrix form
    bool flashOptions;           // the options dialog offers the Flash target
    ExportEntry function;        // null until the exporter is built
};

// Types 2 to 14 in order.
std::span<const ExporterInfo> Exporters();
// The entry of a type, or null for a type outside 2..14.
const ExporterInfo* FindExporter(std::int32_t type);
