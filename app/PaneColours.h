#pragma once
// The panes' colours beyond the system's: the review's marks, readable on a
// light or a dark list background alike.

#include <string>

#include <wx/colour.h>

// `a` weighed `weight` (0..1) against `b`.
wxColour Mix(const wxColour& a, const wxColour& b, double weight);
// True for a background darker than middle grey (a dark theme).
bool IsDark(const wxColour& background);
// The colour a move with review mark `mark` is drawn in on `background`:
// red for a blunder ("??"), amber for a mistake ("?"); `text` for any other.
wxColour MarkColour(const std::string& mark, const wxColour& text, const wxColour& background);
