// The core's long reads as a progress dialog over the main window: it comes up once a read
// has taken a moment, shows the share of the file read, keeps the other windows from input
// and has a cancel button.
#pragma once

#include "platform/Progress.h"

#include <wx/stopwatch.h>
#include <wx/string.h>

#include <memory>

class wxGenericProgressDialog;

class CWxProgressSink : public IProgressSink {
public:
    CWxProgressSink();
    ~CWxProgressSink() override;

    void Begin(const std::string& textUtf8) override;
    bool Update(std::uint64_t done, std::uint64_t total) override;
    void End() override;

    // The dialog while it is shown (tests).
    wxGenericProgressDialog* Dialog() const { return m_dialog.get(); }

private:
    std::unique_ptr<wxGenericProgressDialog> m_dialog;
    wxString m_text;
    wxStopWatch m_watch;
    long m_lastShown = 0;
};
