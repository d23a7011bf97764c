#include "savegame/GameFileCommands.h"

#include "glwnd/FileDialogs.h"
#include "glwnd/MessageService.h"
#include "rules/CheckerBoard.h"

const char* const kSavedGameExtension = ".plx";
const char* const kSavedGameFilter = "PLX Files (*.plx)|*.plx|All Files (*.*)|*.*||";

const char* const kSaveErrorText = "There was an error saving your game.";
const char* const kSaveErrorCaption = "Error Saving File";
const char* const kLoadErrorText = "There was an error opening up your Plaxen file.";
const char* const kLoadErrorCaption = "Error Opening File";

bool RunSaveGameCommand(wxWindow* parent, const CCheckerBoard& board)
{
    const auto path =
        RunFileDialog(parent, FileDialogKind::Save, kSavedGameExtension, kSavedGameFilter);
    if (!path)
        return false;
    // The chooser gives the full path: the current directory is never
    // changed behind the program's back, so a bare name would miss the file.
    if (board.SaveGame(*path))
        return true;
    CaptionedMessageBox(kSaveErrorText, kSaveErrorCaption, MB_OK);
    return false;
}

bool RunLoadGameCommand(wxWindow* parent, CCheckerBoard& board)
{
    const auto path =
        RunFileDialog(parent, FileDialogKind::Open, kSavedGameExtension, kSavedGameFilter);
    if (!path)
        return false;
    if (board.LoadGame(*path))
        return true;
    CaptionedMessageBox(kLoadErrorText, kLoadErrorCaption, MB_OK);
    return false;
}
