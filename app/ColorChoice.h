// The system colour dialog, opened with its custom-colour part showing.
#pragma once

#include "platform/Color.h"

#include <optional>

class wxWindow;

// The colour the user chose, starting from initial; nothing when the dialog was cancelled.
std::optional<COLORREF> ChooseColorInDialog(wxWindow* parent, COLORREF initial);
