#pragma once
// Text read from files arrives in whatever encoding the program that wrote
// it used: today UTF-8, from older checkers programs often Latin-1. The
// window system takes UTF-8 only and shows nothing at all for anything
// else, so every outside text is made UTF-8 before it is shown or kept.

#include <string>
#include <string_view>

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or
// code points past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// `bytes` as they are when they are valid UTF-8, else read as Latin-1
// (every byte its own code point) and written as UTF-8. Never empty for
// text that is not.
std::string Utf8OrLatin1(std::string_view bytes);
