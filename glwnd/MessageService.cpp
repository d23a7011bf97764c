#include "glwnd/MessageService.h"

#include <iostream>
#include <utility>

const char* const kApplicationTitle = "Plaxen";

namespace
{
MessageBoxHandler& CurrentHandler()
{
    static MessageBoxHandler handler;
    return handler;
}
} // namespace

int CaptionedMessageBox(const std::string& text, const std::string& caption, unsigned type)
{
    if (const MessageBoxHandler& handler = CurrentHandler())
        handler(text, caption, type);
    else
        std::cerr << caption << ": " << text << '\n';
    return 1;
}

int AfxMessageBox(const std::string& text, unsigned type)
{
    return CaptionedMessageBox(text, kApplicationTitle, type);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}
