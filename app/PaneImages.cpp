#include "app/PaneImages.h"

#include <wx/dcmemory.h>
#include <wx/window.h>

#include <algorithm>

namespace {

// Draws a shape scaled from a 13 x 13 design grid onto a white, masked bitmap.
template <typename Draw>
wxBitmap DrawImage(int size, Draw draw)
{
    wxBitmap bitmap(size, size, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetUserScale(size / 13.0, size / 13.0);
        draw(dc);
    }
    bitmap.SetMask(new wxMask(bitmap, *wxWHITE));
    return bitmap;
}

// A leaf lying from the lower left to the upper right, with its vein.
wxBitmap Leaf(int size, const wxColour& fill)
{
    return DrawImage(size, [&](wxDC& dc) {
        const wxPoint outline[] = {{1, 12}, {2, 7}, {5, 3}, {11, 1}, {10, 6}, {7, 10}, {2, 11}};
        dc.SetPen(wxPen(wxColour(0, 64, 0)));
        dc.SetBrush(wxBrush(fill));
        dc.DrawPolygon(WXSIZEOF(outline), outline);
        dc.DrawLine(1, 12, 10, 3);
    });
}

// A bone lying diagonally, thick at its head and tapering to its tail.
wxBitmap Bone(int size, const wxColour& fill)
{
    return DrawImage(size, [&](wxDC& dc) {
        const wxPoint outline[] = {{1, 4}, {4, 1}, {12, 11}, {11, 12}};
        dc.SetPen(wxPen(wxColour(64, 64, 0)));
        dc.SetBrush(wxBrush(fill));
        dc.DrawPolygon(WXSIZEOF(outline), outline);
        dc.DrawCircle(3, 3, 2);
    });
}

}  // namespace

wxImageList* CreateBoneTreeImages(const wxWindow* window)
{
    const int size = window->FromDIP(13);
    auto* images = new wxImageList(size, size, true, 4);
    images->Add(Leaf(size, wxColour(0, 128, 0)));
    images->Add(Leaf(size, wxColour(0, 255, 0)));
    images->Add(Bone(size, wxColour(128, 128, 0)));
    images->Add(Bone(size, wxColour(255, 255, 0)));
    return images;
}

wxBitmap MaterialSwatch(const std::array<unsigned char, 3>& rgb, const wxSize& cell)
{
    // Transparent around the square, so the row's own background shows there.
    wxImage image(cell.x, cell.y, true);
    image.InitAlpha();
    unsigned char* alpha = image.GetAlpha();
    std::fill(alpha, alpha + cell.x * cell.y, 0);
    const double scale = cell.y / 13.0;
    const int first = static_cast<int>(1 * scale + 0.5);
    const int last = static_cast<int>(12 * scale + 0.5) - 1;
    const int border = std::max(1, static_cast<int>(scale + 0.5));
    for (int y = first; y <= last && y < cell.y; ++y)
        for (int x = first; x <= last && x < cell.x; ++x) {
            const bool edge = x < first + border || y < first + border || x > last - border || y > last - border;
            if (edge)
                image.SetRGB(x, y, 0, 0, 0);
            else
                image.SetRGB(x, y, rgb[0], rgb[1], rgb[2]);
            image.SetAlpha(x, y, 255);
        }
    return wxBitmap(image);
}
