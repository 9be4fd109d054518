// Images drawn from the SVG files the program carries (app/logic/EmbeddedResources.h): sharp
// at every scale of the screen.
#pragma once

#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>

#include <string_view>

// The image of a carried SVG file at the given size in logical pixels; an empty bundle for a
// name that is not carried.
wxBitmapBundle ResourceBitmap(std::string_view name, const wxSize& size);
// The program's icon at the sizes window managers ask for.
wxIconBundle ProgramIcons();
