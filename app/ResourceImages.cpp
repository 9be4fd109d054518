#include "app/ResourceImages.h"

#include "app/logic/EmbeddedResources.h"

wxBitmapBundle ResourceBitmap(std::string_view name, const wxSize& size)
{
    const std::string_view svg = EmbeddedResource(name);
    if (svg.empty())
        return {};
    return wxBitmapBundle::FromSVG(reinterpret_cast<const wxByte*>(svg.data()), svg.size(), size);
}

wxIconBundle ProgramIcons()
{
    const wxBitmapBundle bundle = ResourceBitmap("icons/kinemorphix.svg", wxSize(48, 48));
    wxIconBundle icons;
    if (!bundle.IsOk())
        return icons;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        wxIcon icon;
        icon.CopyFromBitmap(bundle.GetBitmap(wxSize(size, size)));
        icons.AddIcon(icon);
    }
    return icons;
}
