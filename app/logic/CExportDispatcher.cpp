#include "app/logic/CExportDispatcher.h"

#include "app/logic/CSceneDocument.h"
#include "app/logic/IExportOptionsDialog.h"
#include "app/logic/IFileChooser.h"
#include "app/logic/SaveAsRules.h"
#include "export/Exporters.h"
#include "import/PathFunctions.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <filesystem>
#include <optional>

namespace {

std::string Utf8(const std::string& cp932Text) { return cp932::ToUtf8(cp932Text); }

bool AskToReplace(const std::string& path)
{
    return ShowMessage(FormatMessage1("「%1」は既に存在します。\n上書きしますか?", Utf8(path)), MessageButtons::YesNo,
                       MessageIcon::Warning) == MessageResult::Yes;
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return std::filesystem::equivalent(fs_cp932::ToFileSystem(a), fs_cp932::ToFileSystem(b), error);
}

// The model file the scene was read from. A relative name was opened in the folder of the
// file that was opened, which is also the current folder unless something changed it since.
bool IsSceneModelFile(const std::string& path)
{
    const std::string& model = g_scene.m_modelPath;
    if (model.empty())
        return false;
    if (fs_cp932::IsAbsolutePath(model))
        return IsSameFile(path, model);
    return IsSameFile(path, g_fileFolder + model) || IsSameFile(path, model);
}

}  // namespace

bool CExportDispatcher::SaveAs(IExportOptionsDialog& optionsDialog)
{
    FileDialogRequest request;
    request.save = true;
    request.overwritePrompt = true;
    request.defaultExtension = "zlkx";
    request.initialPath = fs_cp932::ToFileSystem(m_doc.m_exportPath);
    request.filter = rules::SaveAsFilter();
    request.filterIndex = m_doc.m_exportType;

    // The file dialog asked about the name as typed; a name that gets its extension here is
    // asked about again, and a No shows the dialog once more.
    std::string path;
    std::int32_t type = 0;
    for (;;) {
        const std::optional<FileDialogAnswer> answer = ChooseFile(request);
        if (!answer || answer->path.empty() || !rules::IsExportType(answer->filterIndex))
            return false;
        type = answer->filterIndex;
        const std::string typed = fs_cp932::FromFileSystem(answer->path);
        path = rules::WithTypeExtension(typed, type);
        if (path == typed || !fs_cp932::Exists(path) || AskToReplace(path))
            break;
        request.initialPath = fs_cp932::ToFileSystem(path);
        request.filterIndex = type;
    }
    m_doc.m_exportPath = path;
    m_doc.m_exportType = type;
    // A new choice of file: a model copy beside it is asked about again.
    m_agreedModelCopy.clear();

    if (type == ExportTypeScene)
        return SaveScene(path);
    const ExporterInfo* exporter = FindExporter(type);
    ExportDialogValues values = rules::PresetExportOptions(m_doc, type);
    if (!exporter || !optionsDialog.Run(values))
        return false;
    rules::StoreExportOptions(m_doc, type, values);
    Export(*exporter, path);
    return false;
}

bool CExportDispatcher::OverwriteExport()
{
    if (!rules::CanOverwriteExport(m_doc))
        return false;
    const std::string path = m_doc.m_exportPath;
    if (m_doc.m_exportType == ExportTypeScene)
        return SaveScene(path);
    const ExporterInfo* exporter = FindExporter(m_doc.m_exportType);
    return exporter && Export(*exporter, path);
}

bool CExportDispatcher::SaveScene(const std::string& path)
{
    // A failed save has told why; the document takes the path all the same, so Save tries
    // that file again.
    const bool saved = m_doc.OnSaveDocument(path);
    m_doc.SetPathName(path, true);
    return saved;
}

bool CExportDispatcher::Export(const ExporterInfo& exporter, const std::string& path)
{
    const ExportOptions options = rules::RememberedExportOptions(m_doc);
    const std::string written = rules::ExportedFilePath(exporter.type, path, options.form);
    if (!exporter.function) {
        ShowMessage(FormatMessage1("「%1」を書き出せませんでした。", Utf8(written)) + "\nこの形式の書き出しはまだありません。",
                    MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    const bool modelCopy = written != path;
    if (modelCopy && !MayWriteModelCopy(written))
        return false;
    const ExportResult result = exporter.function(g_scene, path, options);
    if (!result) {
        ShowMessage(FormatMessage1("「%1」を書き出せませんでした。", Utf8(result.path.empty() ? written : result.path)) +
                        "\n" + result.error,
                    MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    if (modelCopy)
        m_agreedModelCopy = result.path;
    return true;
}

bool CExportDispatcher::MayWriteModelCopy(const std::string& modelCopy)
{
    if (IsSceneModelFile(modelCopy)) {
        ShowMessage(FormatMessage1("「%1」はこのシーンのモデルファイルなので、書き出しを取りやめました。", Utf8(modelCopy)),
                    MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    if (!fs_cp932::Exists(modelCopy) || modelCopy == m_agreedModelCopy)
        return true;
    if (!AskToReplace(modelCopy))
        return false;
    m_agreedModelCopy = modelCopy;
    return true;
}
