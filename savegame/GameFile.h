#pragma once
// The file the game on the board belongs to, and whether it holds moves that
// file does not: the window's title and the question asked before a game is
// replaced or the program closed both come from here.

#include <string>

// True for a name ending in ".pdn" (any case): such a file holds PDN.
bool IsPdnName(const std::string& path);

class CGameFile
{
public:
    // A new game: no file, nothing unsaved.
    void Started();
    // The game was just read from `path`.
    void Loaded(const std::string& path);
    // The game was just written to `path`.
    void Saved(const std::string& path);
    // A game from elsewhere (the clipboard) replaced the board's: it has no
    // file, and it is unsaved when it has moves to lose.
    void Replaced(bool hasMoves);
    // A move was made, taken back or played again.
    void Changed();

    // Moves were made, taken back or replayed since the game was started,
    // loaded or saved.
    bool HasUnsavedMoves() const { return m_unsaved; }
    // The game's file, with its folder; "" before it has one.
    const std::string& Path() const { return m_path; }
    // The file Save writes to without asking; "" when it must ask. A game
    // read from PDN is not written back unasked: the file may hold other
    // games, and tags and comments the game does not keep.
    const std::string& SavePath() const { return m_inPlace ? m_path : m_noPath; }
    // The window title: "name.pdn - Plaxen" once the game has a file, else
    // "Plaxen", with a leading "*" while it has unsaved moves. `application`
    // is the program's name.
    std::string Title(const std::string& application) const;

private:
    std::string m_path;
    std::string m_noPath;
    bool m_inPlace = false;
    bool m_unsaved = false;
};
