#pragma once
// Records every message box shown while it lives, as "text [caption, type]",
// instead of showing it.

#include "glwnd/MessageService.h"

#include <string>
#include <vector>

namespace testsupport
{

struct MessageLog
{
    MessageLog()
        : previous(SetMessageBoxHandler(
              [this](const std::string& text, const std::string& caption, unsigned type)
              { boxes.push_back(text + " [" + caption + ", " + std::to_string(type) + "]"); }))
    {
    }
    ~MessageLog() { SetMessageBoxHandler(previous); }

    std::vector<std::string> boxes;
    MessageBoxHandler previous;
};

} // namespace testsupport
