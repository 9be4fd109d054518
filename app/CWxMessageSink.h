// The core's messages as modal message boxes over the main window.
#pragma once

#include "platform/Messages.h"

class CWxMessageSink : public IMessageSink {
public:
    MessageResult Show(const std::string& textUtf8, MessageButtons buttons, MessageIcon icon) override;
};
