#pragma once
// Time controls: each side's time for the game and what it gains after each
// of its moves, as the menu offers them and PDN's TimeControl tag writes
// them ("300+3": seconds, and seconds added a move).

#include <optional>
#include <span>
#include <string>
#include <string_view>

struct TimeControl
{
    int seconds = 0;          // each side's time at the start
    int incrementSeconds = 0; // added after each of a side's moves

    bool operator==(const TimeControl&) const = default;
};

// The bounds of a time control the player makes up ("Custom...").
constexpr int kMinCustomMinutes = 1;
constexpr int kMaxCustomMinutes = 180;
constexpr int kMaxCustomIncrementSeconds = 60;

// `minutes` and `incrementSeconds` as a time control; nothing outside the
// bounds above.
std::optional<TimeControl> CustomTimeControl(int minutes, int incrementSeconds);

// The TimeControl tag's value: "300+3", or "1800" when nothing is added.
std::string TimeControlTag(const TimeControl& control);

// Reads "300+3", "1800+0" or "1800" (the time above zero, each number at
// most six digits); nothing for any other text, such as the moves-per-period
// forms other programs write.
std::optional<TimeControl> ParseTimeControlTag(std::string_view text);

// In words: "5 minutes + 3 seconds a move", "30 minutes", "90 seconds + 1
// second a move".
std::string DescribeTimeControl(const TimeControl& control);

// One entry of the game's Time Control menu.
struct TimeControlChoice
{
    const char* label;                  // the menu item's text
    const char* prompt;                 // its status-bar prompt
    std::optional<TimeControl> control; // nothing: no clock, or "Custom..."
    bool custom;                        // "Custom...": the player gives minutes and seconds
};

// "No Clock", "5 minutes + 3 seconds a move", "15 minutes + 10 seconds",
// "30 minutes", "Custom...", in that order.
std::span<const TimeControlChoice> TimeControlChoices();
