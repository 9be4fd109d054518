// The main frame's own commands: showing and hiding its bars.
#include "app/CKinemorphixApp.h"
#include "app/CMainFrame.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"

#include <wx/statusbr.h>
#include <wx/aui/auibar.h>

namespace {

void RegisterFrameCommands(CCommandRegistry& registry)
{
    registry.Add(
        ID_VIEW_TOOLBAR,
        [] { TheMainFrame().ShowBar(TheMainFrame().m_mainToolBar, !TheMainFrame().m_mainToolBar->IsShown()); },
        [] { return CheckedIf(TheMainFrame().m_mainToolBar->IsShown()); });
    registry.Add(
        ID_VIEW_STATUS_BAR,
        [] { TheMainFrame().ShowBar(TheMainFrame().m_statusBar, !TheMainFrame().m_statusBar->IsShown()); },
        [] { return CheckedIf(TheMainFrame().m_statusBar->IsShown()); });
}

const CCommandArea area(RegisterFrameCommands);

}  // namespace
