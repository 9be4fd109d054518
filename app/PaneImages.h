// Small pictures drawn for the panes: the bone tree's item images and the material list's
// colour swatches.
#pragma once

#include <wx/bitmap.h>
#include <wx/imaglist.h>

#include <array>

class wxWindow;

// Four images: the root item's leaf (normal, selected) and a bone (normal, selected), 13 x 13
// at normal resolution.
wxImageList* CreateBoneTreeImages(const wxWindow* window);

// The swatch of a material colour: a black-outlined square, 11 x 11 at normal resolution,
// on a transparent cell of `cell` pixels.
wxBitmap MaterialSwatch(const std::array<unsigned char, 3>& rgb, const wxSize& cell);
