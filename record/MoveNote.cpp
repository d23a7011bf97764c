#include "record/MoveNote.h"

#include <array>

namespace
{
// In the order of PDN's numeric annotations $1 to $6.
constexpr std::array<std::string_view, 6> kMarks = {"!", "?", "!!", "??", "!?", "?!"};
} // namespace

bool IsMoveMark(std::string_view text)
{
    for (const std::string_view mark : kMarks)
        if (text == mark)
            return true;
    return false;
}

std::string MarkOfAnnotation(int number)
{
    if (number < 1 || number > static_cast<int>(kMarks.size()))
        return std::string();
    return std::string(kMarks[static_cast<std::size_t>(number - 1)]);
}
