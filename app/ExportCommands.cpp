// Save As and overwrite export: the commands, and the options dialog behind the dispatcher's
// seam.
#include "app/CDialogSave.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "app/logic/IExportOptionsDialog.h"
#include "app/logic/SaveAsRules.h"

#include <wx/utils.h>

#include <optional>

namespace {

// The options dialog; once it is answered the export runs, under a busy cursor that lasts
// as long as the prompt.
class CSaveOptionsPrompt : public IExportOptionsDialog {
public:
    bool Run(ExportDialogValues& values) override
    {
        CDialogSave dialog(TheApp().GetMainFrame(), values.restriction, values.flashEnabled);
        dialog.m_animationForm = values.animationForm;
        dialog.m_scale = values.scale;
        dialog.m_flashTarget = values.flashTarget;
        if (dialog.ShowModal() != wxID_OK)
            return false;
        values.animationForm = dialog.m_animationForm;
        values.scale = dialog.m_scale;
        values.flashTarget = dialog.m_flashTarget;
        m_busy.emplace();
        return true;
    }

private:
    std::optional<wxBusyCursor> m_busy;
};

void RegisterExportCommands(CCommandRegistry& registry)
{
    registry.Add(ID_FILE_SAVE_AS, [] { TheDocument().OnFileSaveAs(); });
    registry.Add(ID_FILE_OVERWRITE_EXPORT, [] { TheDocument().OnFileOverwriteExport(); },
                 [] { return EnabledIf(rules::CanOverwriteExport(TheDocument())); });
}

const CCommandArea area(RegisterExportCommands);

}  // namespace

bool CKinemorphixDoc::OnFileSaveAs()
{
    CSaveOptionsPrompt prompt;
    return m_exports.SaveAs(prompt);
}

void CKinemorphixDoc::OnFileOverwriteExport()
{
    wxBusyCursor busy;
    m_exports.OverwriteExport();
}
