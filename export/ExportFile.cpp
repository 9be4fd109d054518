#include "export/ExportFile.h"

#include "import/PathFunctions.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"

ExportFile::ExportFile(const std::string& cp932Path)
    : m_path(cp932Path)
{
    m_file.Open(cp932Path);
    m_writer = std::make_unique<TextWriter>(m_sink);
}

ExportFile::~ExportFile()
{
    if (!m_finished)
        m_file.Discard();
}

ExportResult ExportFile::Finish()
{
    ExportResult result;
    result.path = m_path;
    if (m_finished) {
        result.error = "the export was already finished";
        return result;
    }
    m_finished = true;
    if (!m_file.IsOpen()) {
        result.error = m_file.Error();
        return result;
    }
    m_writer->Flush();
    if (!m_file.Commit()) {
        result.error = m_file.Error();
        return result;
    }
    result.ok = true;
    result.unassignedVertices = m_unassigned;
    if (m_unassigned)
        ShowMessage(kUnassignedVerticesWarning, MessageButtons::Ok, MessageIcon::Warning);
    return result;
}

ExportResult NoModelResult(const std::string& cp932Path) { return RefusedExport(cp932Path, "シーンにモデルがありません。"); }

ExportResult RefusedExport(const std::string& cp932Path, std::string reason)
{
    ExportResult result;
    result.path = cp932Path;
    result.error = std::move(reason);
    return result;
}

std::string ExportClassName(const std::string& cp932Path)
{
    std::string name;
    if (!GetFileBaseName(name, cp932Path) || name.empty())
        name = "Model";
    return name;
}

bool ConvertToUtf8(std::string_view cp932Text, std::string& out)
{
    out.clear();
    // The text ends at its first NUL, as a C string does.
    cp932Text = cp932Text.substr(0, cp932Text.find('\0'));
    if (cp932Text.empty())
        return false;
    out = cp932::ToUtf8(cp932Text);
    return !out.empty();
}

bool ConvertToUtf8(const char* cp932Text, std::string& out)
{
    if (!cp932Text) {
        out.clear();
        return false;
    }
    return ConvertToUtf8(std::string_view(cp932Text), out);
}
