#include "savegame/GameFileCommands.h"

#include "glwnd/FileDialogs.h"
#include "glwnd/MessageService.h"
#include "record/Pdn.h"
#include "rules/CheckerBoard.h"
#include "savegame/FileReplace.h"

const char* const kSavedGameExtension = ".plx";
const char* const kSavedGameFilter =
    "PLX Files (*.plx)|*.plx|Portable Draughts Notation (*.pdn)|*.pdn|All Files (*.*)|*.*||";
// Both kinds show at first: a .pdn game hidden behind a .plx filter looks lost.
const char* const kOpenGameFilter =
    "Checkers games (*.plx, *.pdn)|*.plx;*.pdn|PLX Files (*.plx)|*.plx|Portable Draughts "
    "Notation (*.pdn)|*.pdn|All Files (*.*)|*.*||";

const char* const kSaveErrorText = "There was an error saving your game.";
const char* const kSaveErrorCaption = "Error Saving File";
const char* const kLoadErrorText = "There was an error opening up your Plaxen file.";
const char* const kLoadErrorCaption = "Error Opening File";

namespace
{
// PDN opens with a tag, a comment or a move number; a .plx file with one of
// its cell letters.
bool LooksLikePdn(const std::string& bytes)
{
    for (const char c : bytes)
    {
        if (std::isspace(static_cast<unsigned char>(c)))
            continue;
        return c == '[' || c == '{' || c == ';' || std::isdigit(static_cast<unsigned char>(c));
    }
    return false;
}
} // namespace

std::string PdnErrorText(int line, const std::string& reason)
{
    return std::string(kLoadErrorText) + "\n\n" + DescribePdnProblem({line, reason});
}

std::optional<std::string> RunSaveGameCommand(wxWindow* parent, const CCheckerBoard& board,
                                              const CGameRecord& record, const PdnTags& tags,
                                              const std::string& path)
{
    const auto chosen = path.empty() ? RunFileDialog(parent, FileDialogKind::Save,
                                                     kSavedGameExtension, kSavedGameFilter)
                                     : std::optional(path);
    if (!chosen)
        return std::nullopt;
    // The chooser gives the full path: the current directory is never
    // changed behind the program's back, so a bare name would miss the file.
    const bool saved =
        IsPdnName(*chosen) ? ReplaceFile(*chosen, WritePdn(record, tags)) : board.SaveGame(*chosen);
    if (saved)
        return chosen;
    CaptionedMessageBox(kSaveErrorText, kSaveErrorCaption, MB_OK);
    return std::nullopt;
}

std::optional<std::string> RunLoadGameCommand(wxWindow* parent, CCheckerBoard& board,
                                              CGameRecord& record)
{
    const auto path =
        RunFileDialog(parent, FileDialogKind::Open, kSavedGameExtension, kOpenGameFilter);
    if (!path)
        return std::nullopt;
    std::string bytes;
    const bool readable = ReadFileUpTo(*path, kMaxPdnBytes, bytes);
    if (readable && (IsPdnName(*path) || LooksLikePdn(bytes)))
    {
        PdnProblem problem;
        if (auto game = ReadPdn(bytes, problem))
        {
            record = std::move(*game);
            board = record.Board();
            return path;
        }
        CaptionedMessageBox(PdnErrorText(problem.line, problem.reason), kLoadErrorCaption, MB_OK);
        return std::nullopt;
    }
    if (readable && board.LoadGame(*path))
    {
        record.Reset(board); // a .plx file holds a position, not its history
        return path;
    }
    CaptionedMessageBox(kLoadErrorText, kLoadErrorCaption, MB_OK);
    return std::nullopt;
}
