#include "savegame/GameFile.h"

#include <cctype>

bool IsPdnName(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".pdn";
}

void CGameFile::Started()
{
    *this = CGameFile();
}

void CGameFile::Loaded(const std::string& path)
{
    m_path = path;
    m_inPlace = !IsPdnName(path);
    m_unsaved = false;
}

void CGameFile::Saved(const std::string& path)
{
    m_path = path;
    m_inPlace = true; // what was just written is the game and nothing else
    m_unsaved = false;
}

void CGameFile::Replaced(bool hasMoves)
{
    Started();
    m_unsaved = hasMoves;
}

void CGameFile::Changed()
{
    m_unsaved = true;
}

std::string CGameFile::Title(const std::string& application) const
{
    const std::string mark = m_unsaved ? "*" : "";
    if (m_path.empty())
        return mark + application;
    return mark + m_path.substr(m_path.find_last_of('/') + 1) + " - " + application;
}
