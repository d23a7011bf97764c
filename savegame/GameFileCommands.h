#pragma once
// The Load Game and Save Game commands as the user meets them: the file
// chooser with its settings, the saved-game operations of the board record,
// PDN for whole games, and the boxes that report a failure. The board view
// calls these and then brings its scene in step; nothing here knows of the
// scene.

#include <optional>
#include <string>

#include "savegame/GameFile.h"

class CCheckerBoard;
class CGameRecord;
struct PdnTags;
class wxWindow;

// The chooser's default extension and its filters, in the original form.
extern const char* const kSavedGameExtension; // ".plx"
// "PLX Files (*.plx)|*.plx|Portable Draughts Notation (*.pdn)|*.pdn|All Files (*.*)|*.*||"
extern const char* const kSavedGameFilter;
// "Checkers games (*.plx, *.pdn)|*.plx;*.pdn|" and then the save filter's entries.
extern const char* const kOpenGameFilter;

// Texts and captions of the failure boxes.
extern const char* const kSaveErrorText;    // "There was an error saving your game."
extern const char* const kSaveErrorCaption; // "Error Saving File"
extern const char* const kLoadErrorText;    // "There was an error opening up your Plaxen file."
extern const char* const kLoadErrorCaption; // "Error Opening File"

// Writes the game to `path`, or when `path` is empty to a file the player
// chooses (the chooser asks before replacing one). A name ending in .pdn
// gets the game as PDN (`record` up to its place, with `tags`), any other
// the board as a .plx file. A failed write shows the save-error box. The
// path written, or nothing when the chooser was cancelled or the save failed.
std::optional<std::string> RunSaveGameCommand(wxWindow* parent, const CCheckerBoard& board,
                                              const CGameRecord& record, const PdnTags& tags,
                                              const std::string& path);

// Asks for a game to open: PDN when the name ends in .pdn or the text starts
// as PDN does, else a .plx file. A PDN game fills `record` (its last move on
// `board`); a .plx file fills `board` and starts `record` from it. A file
// that cannot be read or is refused shows the open-error box (for PDN with
// the line and the reason) and leaves both as they were. The path read when
// they now hold the file's game, else nothing.
std::optional<std::string> RunLoadGameCommand(wxWindow* parent, CCheckerBoard& board,
                                              CGameRecord& record);

// The open-error text for PDN that cannot be read: where and why.
std::string PdnErrorText(int line, const std::string& reason);
