#pragma once
// Records the text and type of every message box shown while it lives,
// instead of showing them.

#include "glwnd/MessageService.h"

#include <string>
#include <vector>

namespace testsupport
{

struct MessageLog
{
    MessageLog()
    {
        previous =
            SetMessageBoxHandler([this](const std::string& text, const std::string&, unsigned type)
                                 { texts.push_back(text), types.push_back(type); });
    }
    ~MessageLog() { SetMessageBoxHandler(previous); }

    std::vector<std::string> texts;
    std::vector<unsigned> types;
    MessageBoxHandler previous;
};

} // namespace testsupport
