#include "app/PaneColours.h"

#include <cmath>

wxColour Mix(const wxColour& a, const wxColour& b, double weight)
{
    const auto channel = [weight](unsigned char x, unsigned char y)
    { return static_cast<unsigned char>(std::lround(x * weight + y * (1.0 - weight))); };
    return wxColour(channel(a.Red(), b.Red()), channel(a.Green(), b.Green()),
                    channel(a.Blue(), b.Blue()));
}

bool IsDark(const wxColour& background)
{
    // Rec. 601 luma: green counts most to the eye.
    return 0.299 * background.Red() + 0.587 * background.Green() + 0.114 * background.Blue() <
           128.0;
}

wxColour MarkColour(const std::string& mark, const wxColour& text, const wxColour& background)
{
    const bool dark = IsDark(background);
    if (mark == "??")
        return dark ? wxColour(255, 110, 100) : wxColour(200, 30, 20);
    if (mark == "?")
        return dark ? wxColour(255, 190, 80) : wxColour(180, 100, 0);
    return text;
}
