#include "app/CommandBars.h"

#include "app/ResourceImages.h"
#include "app/logic/CommandIds.h"

#include <wx/menu.h>
#include <wx/aui/auibar.h>

#include <map>
#include <vector>


namespace {

wxString FromUtf8(const std::string& text)
{
    return wxString::FromUTF8(text);
}

wxItemKind KindOf(const CommandInfo& command)
{
    return command.kind == CommandKind::Check ? wxITEM_CHECK : wxITEM_NORMAL;
}

void AppendLines(wxMenu& menu, std::span<const MenuLine> lines, std::size_t& at)
{
    while (at < lines.size()) {
        const MenuLine& line = lines[at++];
        switch (line.kind) {
        case MenuLine::Separator:
            menu.AppendSeparator();
            break;
        case MenuLine::SubmenuBegin: {
            auto* submenu = new wxMenu;
            AppendLines(*submenu, lines, at);
            menu.AppendSubMenu(submenu, wxString::FromUTF8(line.title));
            break;
        }
        case MenuLine::SubmenuEnd:
            return;
        case MenuLine::Item: {
            const CommandInfo* command = FindCommand(line.id);
            if (!command || !command->menuText)
                break;
            const MenuTextParts parts = SplitMenuText(command->menuText);
            wxString text = FromUtf8(parts.label);
            if (!parts.accelerator.empty())
                text += "\t" + FromUtf8(parts.accelerator);
            menu.Append(WindowIdOf(command->id), text, FromUtf8(PromptOf(*command)), KindOf(*command));
            break;
        }
        }
    }
}

wxMenu* BuildMenu(const MenuDef& def)
{
    auto* menu = new wxMenu;
    std::size_t at = 0;
    AppendLines(*menu, def.lines, at);
    return menu;
}

// The toolbar buttons' icons: SVG files carried by the program (resources/icons/toolbar).
const std::map<int, const char*>& ToolIcons()
{
    static const std::map<int, const char*> icons = {
        {ID_FILE_NEW, "new"},
        {ID_FILE_OPEN, "open"},
        {ID_FILE_SAVE, "save"},
        {ID_FILE_OVERWRITE_EXPORT, "export"},
        {ID_EDIT_UNDO, "undo"},
        {ID_EDIT_REDO, "redo"},
        {ID_OPERATION_SELECT_VERTEX, "select"},
        {ID_OPERATION_TRANSLATE, "move"},
        {ID_OPERATION_ROTATE, "rotate"},
        {ID_OPERATION_SCALE, "scale"},
        {ID_OPERATION_CAMERA_CENTER, "center"},
        {ID_VIEW_VERTICES, "vertices"},
        {ID_VIEW_EDGES, "edges"},
        {ID_VIEW_FACES, "faces"},
        {ID_VIEW_BONES, "bones"},
        {ID_CONTROL_FIRST, "first"},
        {ID_CONTROL_PREV_KEY, "prevkey"},
        {ID_CONTROL_PREV_FRAME, "prevframe"},
        {ID_CONTROL_STOP, "stop"},
        {ID_CONTROL_LOOP, "loop"},
        {ID_CONTROL_PLAY, "play"},
        {ID_CONTROL_NEXT_FRAME, "nextframe"},
        {ID_CONTROL_NEXT_KEY, "nextkey"},
        {ID_CONTROL_LAST, "last"},
        {ID_CONTROL_KEY_FRAME_DIALOG, "keydialog"},
        {ID_CONTROL_ADD_KEY, "addkey"},
        {ID_CONTROL_ADD_KEY_ALL, "addkeyall"},
        {ID_CONTROL_DELETE_KEY, "deletekey"},
        {ID_CONTROL_DELETE_KEY_ALL, "deletekeyall"},
    };
    return icons;
}

// Draws a toolbar's buttons all as large as its first button.
class EqualButtonsArt : public wxAuiGenericToolBarArt {
public:
    wxAuiToolBarArt* Clone() override { return new EqualButtonsArt; }

    wxSize GetToolSize(wxDC& dc, wxWindow* window, const wxAuiToolBarItem& item) override
    {
        const auto* toolBar = wxDynamicCast(window, wxAuiToolBar);
        for (std::size_t i = 0; toolBar && i < toolBar->GetToolCount(); ++i) {
            const wxAuiToolBarItem* first = toolBar->FindToolByIndex(static_cast<int>(i));
            if (first && first->GetKind() != wxITEM_SEPARATOR)
                return wxAuiGenericToolBarArt::GetToolSize(dc, window, *first);
        }
        return wxAuiGenericToolBarArt::GetToolSize(dc, window, item);
    }
};

wxBitmapBundle ToolBitmap(int id)
{
    const auto it = ToolIcons().find(id);
    if (it == ToolIcons().end())
        return {};
    return ResourceBitmap(std::string("icons/toolbar/") + it->second + ".svg", wxSize(16, 16));
}

}  // namespace

wxMenuBar* BuildMenuBar()
{
    auto* bar = new wxMenuBar;
    for (const MenuDef& def : MenuBarLayout())
        bar->Append(BuildMenu(def), wxString::FromUTF8(def.title));
    return bar;
}

wxMenu* BuildPopupMenu(PopupMenuId which)
{
    return BuildMenu(PopupMenuLayout(which));
}

void AddTools(wxAuiToolBar& toolBar, std::span<const ToolDef> tools)
{
    toolBar.SetArtProvider(new EqualButtonsArt);
    for (const ToolDef& tool : tools) {
        const CommandInfo* command = tool.id ? FindCommand(tool.id) : nullptr;
        if (!command) {
            toolBar.AddSeparator();
            continue;
        }
        toolBar.AddTool(WindowIdOf(tool.id), wxString::FromUTF8(tool.label), ToolBitmap(tool.id), wxBitmapBundle(),
                        KindOf(*command), FromUtf8(TooltipOf(*command)), FromUtf8(PromptOf(*command)), nullptr);
    }
}

std::unique_ptr<wxMenu> BuildOverflowMenu(const wxAuiToolBar& toolBar)
{
    auto menu = std::make_unique<wxMenu>();
    bool separate = false;
    for (std::size_t i = 0; i < toolBar.GetToolCount(); ++i) {
        const int index = static_cast<int>(i);
        const wxAuiToolBarItem* tool = toolBar.FindToolByIndex(index);
        if (toolBar.GetToolFitsByIndex(index))
            continue;
        if (tool->GetKind() == wxITEM_SEPARATOR) {
            separate = menu->GetMenuItemCount() > 0;
            continue;
        }
        const CommandInfo* command = FindCommand(CommandIdOf(tool->GetId()));
        if (!command)
            continue;
        if (separate)
            menu->AppendSeparator();
        separate = false;
        const wxString text = tool->GetShortHelp().empty() ? tool->GetLabel() : tool->GetShortHelp();
        auto* item = new wxMenuItem(menu.get(), tool->GetId(), text, tool->GetLongHelp(), KindOf(*command));
        // GTK shows no icon beside a check mark.
        if (command->kind != CommandKind::Check)
            item->SetBitmap(tool->GetBitmapBundle());
        menu->Append(item);
    }
    return menu;
}

bool StandsUpright(const wxAuiToolBar& toolBar)
{
    const wxAuiToolBarItem* first = toolBar.FindToolByIndex(0);
    const wxAuiToolBarItem* second = toolBar.FindToolByIndex(1);
    if (first && second && first->GetSizerItem() && second->GetSizerItem())
        return second->GetSizerItem()->GetRect().y > first->GetSizerItem()->GetRect().y;
    return toolBar.GetClientSize().y > toolBar.GetClientSize().x;
}

bool OnOverflowButton(const wxAuiToolBar& toolBar, const wxPoint& point)
{
    if (!toolBar.GetOverflowVisible())
        return false;
    const wxSize client = toolBar.GetClientSize();
    const int size = toolBar.GetArtProvider()->GetElementSize(wxAUI_TBART_OVERFLOW_SIZE);
    // At the far end: the bottom of a bar standing upright, the right end of one lying flat.
    return StandsUpright(toolBar) ? point.y >= client.y - size : point.x >= client.x - size;
}

wxAcceleratorTable BuildAcceleratorTable()
{
    std::vector<wxAcceleratorEntry> entries;
    for (const CommandInfo& command : Commands()) {
        const std::string shown = SplitMenuText(command.menuText).accelerator;
        for (const char* text : command.accelerators) {
            if (!text || text == shown)
                continue;
            wxAcceleratorEntry entry;
            if (entry.FromString(wxString::FromUTF8(text))) {
                entry.Set(entry.GetFlags(), entry.GetKeyCode(), WindowIdOf(command.id));
                entries.push_back(entry);
            }
        }
    }
    return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}
