#include "record/TimeControl.h"

#include <array>
#include <cctype>

namespace
{
constexpr std::array<TimeControlChoice, 5> kChoices = {{
    {"No Clock", "Plays without clocks", std::nullopt, false},
    {"5 minutes + 3 seconds a move",
     "Gives each side 5 minutes, and 3 seconds more after each of its moves", TimeControl{300, 3},
     false},
    {"15 minutes + 10 seconds",
     "Gives each side 15 minutes, and 10 seconds more after each of its moves",
     TimeControl{900, 10}, false},
    {"30 minutes", "Gives each side 30 minutes for the whole game", TimeControl{1800, 0}, false},
    {"Custom...", "Sets each side's minutes and the seconds added after each move", std::nullopt,
     true},
}};

std::optional<int> Number(std::string_view text)
{
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    int number = 0;
    for (const char c : text)
    {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::string Count(int number, const char* unit)
{
    return std::to_string(number) + " " + unit + (number == 1 ? "" : "s");
}
} // namespace

std::optional<TimeControl> CustomTimeControl(int minutes, int incrementSeconds)
{
    if (minutes < kMinCustomMinutes || minutes > kMaxCustomMinutes || incrementSeconds < 0 ||
        incrementSeconds > kMaxCustomIncrementSeconds)
        return std::nullopt;
    return TimeControl{minutes * 60, incrementSeconds};
}

std::string TimeControlTag(const TimeControl& control)
{
    std::string tag = std::to_string(control.seconds);
    if (control.incrementSeconds != 0)
        tag += "+" + std::to_string(control.incrementSeconds);
    return tag;
}

std::optional<TimeControl> ParseTimeControlTag(std::string_view text)
{
    const std::size_t plus = text.find('+');
    const auto seconds = Number(text.substr(0, plus));
    const auto increment =
        plus == std::string_view::npos ? std::optional<int>(0) : Number(text.substr(plus + 1));
    if (!seconds || !increment || *seconds == 0)
        return std::nullopt;
    return TimeControl{*seconds, *increment};
}

std::string DescribeTimeControl(const TimeControl& control)
{
    std::string words = control.seconds % 60 == 0 ? Count(control.seconds / 60, "minute")
                                                  : Count(control.seconds, "second");
    if (control.incrementSeconds != 0)
        words += " + " + Count(control.incrementSeconds, "second") + " a move";
    return words;
}

std::span<const TimeControlChoice> TimeControlChoices()
{
    return kChoices;
}
