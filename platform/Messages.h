// The one way the core tells the user something. The application installs a sink that shows
// message boxes; tests install one that records. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageResult { Ok, Cancel, Yes, No };

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual MessageResult Show(const std::string& textUtf8, MessageButtons buttons, MessageIcon icon) = 0;
};

// Shows a message through the installed sink. Without a sink the text goes to stderr and
// the answer is the first button (Ok or Yes).
MessageResult ShowMessage(std::string_view textUtf8, MessageButtons buttons = MessageButtons::Ok,
                          MessageIcon icon = MessageIcon::Warning);

// Installs a sink (not owned); returns the previous one. Null restores the default.
IMessageSink* SetMessageSink(IMessageSink* sink);

// Formats a class-library style message: every "%1" is replaced by the argument.
std::string FormatMessage1(std::string_view pattern, std::string_view argument);

// Records every message; answers with a fixed result. For tests.
class CapturingMessageSink : public IMessageSink {
public:
    CapturingMessageSink() : m_previous(SetMessageSink(this)) {}
    ~CapturingMessageSink() override { SetMessageSink(m_previous); }
    CapturingMessageSink(const CapturingMessageSink&) = delete;
    CapturingMessageSink& operator=(const CapturingMessageSink&) = delete;

    MessageResult Show(const std::string& text, MessageButtons, MessageIcon) override
    {
        messages.push_back(text);
        return answer;
    }

    std::vector<std::string> messages;
    MessageResult answer = MessageResult::Ok;

private:
    IMessageSink* m_previous;
};
