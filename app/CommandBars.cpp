#include "app/CommandBars.h"

#include "app/logic/CommandIds.h"

#include <wx/artprov.h>
#include <wx/dcmemory.h>
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

// Stock icons until the program has its own.
const std::map<int, wxArtID>& ToolIcons()
{
    static const std::map<int, wxArtID> icons = {
        {ID_FILE_NEW, wxART_NEW},
        {ID_FILE_OPEN, wxART_FILE_OPEN},
        {ID_FILE_SAVE, wxART_FILE_SAVE},
        {ID_FILE_OVERWRITE_EXPORT, wxART_FILE_SAVE_AS},
        {ID_EDIT_UNDO, wxART_UNDO},
        {ID_EDIT_REDO, wxART_REDO},
        {ID_OPERATION_SELECT_VERTEX, wxART_TICK_MARK},
        {ID_OPERATION_TRANSLATE, wxART_GO_FORWARD},
        {ID_OPERATION_ROTATE, wxART_REFRESH},
        {ID_OPERATION_SCALE, wxART_PLUS},
        {ID_OPERATION_CAMERA_CENTER, wxART_FIND},
        {ID_VIEW_VERTICES, wxART_LIST_VIEW},
        {ID_VIEW_EDGES, wxART_REPORT_VIEW},
        {ID_VIEW_FACES, wxART_NORMAL_FILE},
        {ID_VIEW_BONES, wxART_EXECUTABLE_FILE},
        {ID_CONTROL_FIRST, wxART_GOTO_FIRST},
        {ID_CONTROL_PREV_KEY, wxART_GO_UP},
        {ID_CONTROL_PREV_FRAME, wxART_GO_BACK},
        {ID_CONTROL_STOP, wxART_CROSS_MARK},
        {ID_CONTROL_LOOP, wxART_REDO},
        {ID_CONTROL_PLAY, wxART_GO_FORWARD},
        {ID_CONTROL_NEXT_FRAME, wxART_GO_FORWARD},
        {ID_CONTROL_NEXT_KEY, wxART_GO_DOWN},
        {ID_CONTROL_LAST, wxART_GOTO_LAST},
        {ID_CONTROL_KEY_FRAME_DIALOG, wxART_EDIT},
        {ID_CONTROL_ADD_KEY, wxART_PLUS},
        {ID_CONTROL_ADD_KEY_ALL, wxART_PLUS},
        {ID_CONTROL_DELETE_KEY, wxART_MINUS},
        {ID_CONTROL_DELETE_KEY_ALL, wxART_DELETE},
    };
    return icons;
}

wxBitmap ToolBitmap(int id)
{
    const wxSize size(16, 16);
    const auto it = ToolIcons().find(id);
    if (it != ToolIcons().end()) {
        wxBitmap bitmap = wxArtProvider::GetBitmap(it->second, wxART_TOOLBAR, size);
        if (bitmap.IsOk())
            return bitmap;
    }
    // No icon theme: a plain grey square.
    wxBitmap bitmap(size);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxLIGHT_GREY_BRUSH);
    dc.Clear();
    return bitmap;
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
