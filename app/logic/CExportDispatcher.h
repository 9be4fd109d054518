// Save As and overwrite export over the document: the save dialog with the fourteen file
// types, then the scene file or the options dialog and one exporter of the table. The
// document remembers the path, type and options (for the whole run; New and Open forget the
// path), and overwrite export repeats the last one with them.
#pragma once

#include <cstdint>
#include <string>

class CSceneDocument;
class IExportOptionsDialog;
struct ExporterInfo;

class CExportDispatcher {
public:
    explicit CExportDispatcher(CSceneDocument& doc) : m_doc(doc) {}
    CExportDispatcher(const CExportDispatcher&) = delete;
    CExportDispatcher& operator=(const CExportDispatcher&) = delete;

    // The save dialog (through the file-chooser seam), then by the chosen type the scene file
    // or the options dialog and the export. The chosen path and type are remembered before
    // the options dialog. True only when the scene was written to a scene file: an export
    // leaves the scene's changes unsaved.
    bool SaveAs(IExportOptionsDialog& optionsDialog);

    // The last Save As again with the remembered path, type and options, without dialogs.
    // True when the file was written.
    bool OverwriteExport();

private:
    bool SaveScene(const std::string& path);
    bool Export(const ExporterInfo& exporter, const std::string& path);
    // The static bone export writes a model file beside the chosen path: never the scene's
    // own model file, and another existing file only once the user agreed.
    bool MayWriteModelCopy(const std::string& modelCopy);

    CSceneDocument& m_doc;
    // The model copy the user agreed to replace or that the last export wrote: overwrite
    // export writes it again without asking.
    std::string m_agreedModelCopy;
};
