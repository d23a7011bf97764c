#pragma once
// Modal message boxes for code that must not know the window system.
//
// The asset readers and the saved-game commands report failures through
// these calls. What a box looks like is up to the installed handler: the
// application installs one that shows a real modal box titled "Plaxen",
// tests install a recorder, and with nothing installed the text goes to
// standard error so that a failure is never silent.

#include <functional>
#include <string>

// Box types, numbered as the original framework numbers them.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_ICONSTOP = 0x10;

// Receives every box: its text, its caption and its type.
using MessageBoxHandler =
    std::function<void(const std::string& text, const std::string& caption, unsigned type)>;

// The caption of every box that does not name its own.
extern const char* const kApplicationTitle; // "Plaxen"

// Shows `text` in a modal box captioned with the application title; returns
// once the box is closed. The result is always 1 (the OK button).
int AfxMessageBox(const std::string& text, unsigned type = MB_OK);

// Shows `text` in a modal box with the given caption and one OK button.
int CaptionedMessageBox(const std::string& text, const std::string& caption, unsigned type = MB_OK);

// Installs `handler` for all later boxes and returns the one it replaces;
// an empty handler restores the standard-error fallback.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
