#pragma once
// Icon group 128, the application icon, from the PNGs built into the program.

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

// The icon in 16, 32 and 48 pixels.
wxIconBundle AppIcons();

// The icon at `size` (16, 32 or 48); an empty bitmap for other sizes.
wxBitmap AppIconBitmap(int size);
