#include "platform/Messages.h"

#include <cstdio>

namespace {
IMessageSink* g_messageSink = nullptr;
}

MessageResult ShowMessage(std::string_view text, MessageButtons buttons, MessageIcon icon)
{
    if (g_messageSink)
        return g_messageSink->Show(std::string(text), buttons, icon);
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageResult::Yes
                                                                                       : MessageResult::Ok;
}

IMessageSink* SetMessageSink(IMessageSink* sink)
{
    IMessageSink* previous = g_messageSink;
    g_messageSink = sink;
    return previous;
}

std::string FormatMessage1(std::string_view pattern, std::string_view argument)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '1') {
            out += argument;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}
