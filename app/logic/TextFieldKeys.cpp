#include "app/logic/TextFieldKeys.h"

bool IsTextEditingKey(const Accelerator& key)
{
    if (key.key == "Backspace")
        return true;
    const bool ctrlOnly = key.ctrl && !key.alt && !key.shift;
    const bool shiftOnly = key.shift && !key.ctrl && !key.alt;
    const bool plain = !key.ctrl && !key.alt && !key.shift;
    if (ctrlOnly && (key.key == "A" || key.key == "C" || key.key == "V" || key.key == "X" || key.key == "Insert"))
        return true;
    if (shiftOnly && (key.key == "Insert" || key.key == "Delete"))
        return true;
    return plain && key.key == "Delete";
}

bool HasTextEditingAccelerator(int commandId)
{
    const CommandInfo* command = FindCommand(commandId);
    if (!command)
        return false;
    const std::string shown = SplitMenuText(command->menuText).accelerator;
    for (const char* text : command->accelerators) {
        Accelerator key;
        if (text && text != shown && ParseAccelerator(text, key) && IsTextEditingKey(key))
            return true;
    }
    return false;
}
