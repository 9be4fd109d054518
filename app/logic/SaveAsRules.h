// The decisions of Save As and overwrite export that need no window: the save dialog's file
// types, the extension a typed name gets, what the options dialog shows and stores for each
// type, and the scale entry's text.
#pragma once

#include "app/logic/IExportOptionsDialog.h"
#include "export/ExportCommon.h"

#include <cstdint>
#include <string>
#include <string_view>

class CSceneDocument;

// The file types of the save dialog: the number is the filter's 1-based index. Type 1 saves
// the scene file, 2 to 14 are the exporters of the table, in its order.
enum ExportType : std::int32_t {
    ExportTypeScene = 1,
    ExportTypeBoneAnimation = 2,
    ExportTypeActionScript2 = 3,
    ExportTypeActionScript3 = 4,
    ExportTypeCollada = 5,
    ExportTypeVantaForm3D = 6,
    ExportTypeWebGL = 7,
    ExportTypeStage3D = 8,
    ExportTypeLumaFold3D = 9,
    ExportTypeObjectiveC = 10,
    ExportTypeFbx = 11,
    ExportTypeKotlin = 12,
    ExportTypeSwift = 13,
    ExportTypeWebGPU = 14,
};

namespace rules {

bool IsExportType(std::int32_t type);  // 1..14

// "label|pattern|" for every type in order, then one more "|" (UTF-8).
std::string SaveAsFilter();
// The extension of the type's pattern without the dot ("zlkx", "as"); empty outside 1..14.
std::string TypeExtension(std::int32_t type);
// The typed path with the type's extension added when its file name has none; a name that
// ends in a dot only gets the extension's letters.
std::string WithTypeExtension(const std::string& cp932Path, std::int32_t type);

// The file an export of the type writes for the chosen path: the static form of the bone
// export writes a model file with the extension ".mqo" beside it, the others the path itself.
std::string ExportedFilePath(std::int32_t type, const std::string& cp932Path, std::int32_t form);

// What the options dialog of an export type (2..14) starts with: the type's restriction and
// Flash flag, the remembered form (always "none" for ActionScript 2), scale and Flash target.
// For FBX the remembered form itself becomes "none" first, so it stays so when the dialog is
// cancelled.
ExportDialogValues PresetExportOptions(CSceneDocument& doc, std::int32_t type);
// The dialog's values become the remembered ones: ActionScript 2 always keeps "none", and
// only the types that offer the Flash target store it.
void StoreExportOptions(CSceneDocument& doc, std::int32_t type, const ExportDialogValues& values);
// The remembered options, as an export is made with them.
ExportOptions RememberedExportOptions(const CSceneDocument& doc);

// Overwrite export repeats the last Save As while its path is remembered.
bool CanOverwriteExport(const CSceneDocument& doc);

// The scale entry: a number in the "C" notation, spaces around it allowed, above 0 and
// finite. False with the message to show (UTF-8) otherwise.
bool ParseExportScale(std::string_view text, float& scale, std::string& message);
// The scale as the entry shows it: the shortest text that reads back as the same float.
std::string FormatExportScale(float scale);

}  // namespace rules
