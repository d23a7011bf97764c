#pragma once
// The toolbar's 16 x 15 glyphs, drawn in code: New Game, No Spin, About,
// Undo Move, Redo Move and Hint.

#include <wx/bitmap.h>

constexpr int kToolbarGlyphWidth = 16;
constexpr int kToolbarGlyphHeight = 15;
constexpr int kToolbarGlyphCount = 6;

// Glyph `index` (0 New Game, 1 No Spin, 2 About, 3 Undo Move, 4 Redo Move,
// 5 Hint) with a transparent background; an empty bitmap for any other index.
wxBitmap ToolbarGlyph(int index);
