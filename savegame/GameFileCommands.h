#pragma once
// The Load Game and Save Game commands as the user meets them: the file
// chooser with its settings, the saved-game operations of the board record
// and the boxes that report a failure. The board view calls these and then
// brings its scene in step; nothing here knows of the scene.

#include <string>

class CCheckerBoard;
class wxWindow;

// The chooser's default extension and its filter, in the original form.
extern const char* const kSavedGameExtension; // ".plx"
extern const char* const kSavedGameFilter;    // "PLX Files (*.plx)|*.plx|All Files (*.*)|*.*||"

// Texts and captions of the failure boxes.
extern const char* const kSaveErrorText;    // "There was an error saving your game."
extern const char* const kSaveErrorCaption; // "Error Saving File"
extern const char* const kLoadErrorText;    // "There was an error opening up your Plaxen file."
extern const char* const kLoadErrorCaption; // "Error Opening File"

// Asks for a file to save to (no question before replacing one) and writes
// `board` into it. A failed write shows the save-error box. False when the
// chooser was cancelled or the save failed.
bool RunSaveGameCommand(wxWindow* parent, const CCheckerBoard& board);

// Asks for a saved game to open and reads it into `board`. A file that
// cannot be read or is refused shows the open-error box and leaves `board`
// as it was. True only when `board` now holds the file's game.
bool RunLoadGameCommand(wxWindow* parent, CCheckerBoard& board);
