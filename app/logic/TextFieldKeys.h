// Keys that a text field keeps for its own editing: select all, copy, paste, cut and deleting
// characters. Typed into an edit field (the timeline's values, a label being renamed, a
// dialog's field) they edit the text and never run the window command that shares the key.
#pragma once

#include "app/logic/CommandTable.h"

// Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Insert, Shift+Insert, Shift+Delete, Delete, and
// Backspace with any modifiers.
bool IsTextEditingKey(const Accelerator& key);

// True when the command is reached from the window's own accelerator table (the keys its
// menu item does not show) by a text-editing key.
bool HasTextEditingAccelerator(int commandId);
