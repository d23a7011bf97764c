#include "app/AppIcons.h"

#include <wx/image.h>

#include "app/IconData.h"

wxBitmap AppIconBitmap(int size)
{
    // The PNG decoder is not loaded until someone asks for it.
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
    switch (size)
    {
    case 16:
        return wxBitmap::NewFromPNGData(kIconPng16, kIconPng16Size);
    case 32:
        return wxBitmap::NewFromPNGData(kIconPng32, kIconPng32Size);
    case 48:
        return wxBitmap::NewFromPNGData(kIconPng48, kIconPng48Size);
    default:
        return wxBitmap();
    }
}

wxIconBundle AppIcons()
{
    wxIconBundle icons;
    for (const int size : {16, 32, 48})
    {
        wxIcon icon;
        icon.CopyFromBitmap(AppIconBitmap(size));
        icons.AddIcon(icon);
    }
    return icons;
}
