#pragma once
// What a game says about one of its moves besides the move itself: the
// annotator's mark, a comment, and the evaluation a review gave the
// position after it.

#include <optional>
#include <string>
#include <string_view>

#include "record/Evaluation.h"

struct MoveNote
{
    std::string mark;                     // "", or one of "!", "?", "!!", "??", "!?", "?!"
    std::string comment;                  // UTF-8 text; "" for none
    std::optional<Evaluation> evaluation; // of the position after the move

    bool IsEmpty() const { return mark.empty() && comment.empty() && !evaluation; }
    bool operator==(const MoveNote&) const = default;
};

// True for the six marks PDN knows: "!", "?", "!!", "??", "!?", "?!".
bool IsMoveMark(std::string_view text);

// The mark PDN's numeric annotations $1 to $6 stand for ("!", "?", "!!",
// "??", "!?", "?!"); "" for any other number.
std::string MarkOfAnnotation(int number);
