#include "glwnd/MessageService.h"

#include <iostream>
#include <utility>

#include "notation/TextEncoding.h"

const char* const kApplicationTitle = "Plaxen";

namespace
{
MessageBoxHandler& CurrentHandler()
{
    static MessageBoxHandler handler;
    return handler;
}

QuestionBoxHandler& CurrentQuestionHandler()
{
    static QuestionBoxHandler handler;
    return handler;
}
} // namespace

int CaptionedMessageBox(const std::string& text, const std::string& caption, unsigned type)
{
    const std::string shown = Utf8OrLatin1(text);
    const std::string title = Utf8OrLatin1(caption);
    if (const MessageBoxHandler& handler = CurrentHandler())
        handler(shown, title, type);
    else
        std::cerr << title << ": " << shown << '\n';
    return 1;
}

int AfxMessageBox(const std::string& text, unsigned type)
{
    return CaptionedMessageBox(text, kApplicationTitle, type);
}

std::size_t QuestionBox(const std::string& text, const std::vector<std::string>& buttons)
{
    const std::size_t cautious = buttons.empty() ? 0 : buttons.size() - 1;
    const std::string shown = Utf8OrLatin1(text);
    std::vector<std::string> labels;
    for (const std::string& button : buttons)
        labels.push_back(Utf8OrLatin1(button));
    if (const QuestionBoxHandler& handler = CurrentQuestionHandler())
    {
        const std::size_t answer = handler(shown, kApplicationTitle, labels);
        return answer < labels.size() ? answer : cautious;
    }
    std::cerr << kApplicationTitle << ": " << shown
              << " (answered: " << (labels.empty() ? std::string() : labels.back()) << ")\n";
    return cautious;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

QuestionBoxHandler SetQuestionBoxHandler(QuestionBoxHandler handler)
{
    return std::exchange(CurrentQuestionHandler(), std::move(handler));
}
