#pragma once
// Modal message boxes and questions for code that must not know the window
// system.
//
// The asset readers and the saved-game commands report failures through
// these calls. What a box looks like is up to the installed handler: the
// application installs one that shows a real modal box titled "Plaxen",
// tests install a recorder, and with nothing installed the text goes to
// standard error so that a failure is never silent.
//
// Texts often quote what a file held, in whatever encoding its writer used;
// the window system shows only UTF-8 and turns anything else into an empty
// box. Every text and caption is therefore made UTF-8 here, once, before any
// handler sees it: valid UTF-8 stays as it is, anything else is read as
// Latin-1.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Box types, numbered as the original framework numbers them.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_ICONSTOP = 0x10;

// Receives every box: its text, its caption and its type.
using MessageBoxHandler =
    std::function<void(const std::string& text, const std::string& caption, unsigned type)>;

// Receives every question: its text, its caption and its buttons' labels;
// returns the index of the button chosen.
using QuestionBoxHandler = std::function<std::size_t(
    const std::string& text, const std::string& caption, const std::vector<std::string>& buttons)>;

// The caption of every box that does not name its own.
extern const char* const kApplicationTitle; // "Plaxen"

// Shows `text` in a modal box captioned with the application title; returns
// once the box is closed. The result is always 1 (the OK button).
int AfxMessageBox(const std::string& text, unsigned type = MB_OK);

// Shows `text` in a modal box with the given caption and one OK button.
int CaptionedMessageBox(const std::string& text, const std::string& caption, unsigned type = MB_OK);

// Asks `text` in a modal box captioned with the application title, with two
// or three buttons labelled `buttons`, and returns the index of the one
// chosen. The last button is the cautious answer: closing the box or
// pressing Escape gives it, and so does having no handler.
std::size_t QuestionBox(const std::string& text, const std::vector<std::string>& buttons);

// Installs `handler` for all later boxes and returns the one it replaces;
// an empty handler restores the standard-error fallback.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The same for questions.
QuestionBoxHandler SetQuestionBoxHandler(QuestionBoxHandler handler);
