#pragma once
// The toolbar's 16 x 15 glyphs, drawn in code: New Game, No Spin, About.

#include <wx/bitmap.h>

constexpr int kToolbarGlyphWidth = 16;
constexpr int kToolbarGlyphHeight = 15;
constexpr int kToolbarGlyphCount = 3;

// Glyph `index` (0 New Game, 1 No Spin, 2 About) with a transparent
// background; an empty bitmap for any other index.
wxBitmap ToolbarGlyph(int index);
