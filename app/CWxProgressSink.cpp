#include "app/CWxProgressSink.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/progdlg.h>

#include <algorithm>

namespace {

constexpr long kDelayMilliseconds = 300;     // a read that ends sooner shows nothing
constexpr long kIntervalMilliseconds = 100;  // between two updates of the dialog
constexpr int kSteps = 1000;

}  // namespace

CWxProgressSink::CWxProgressSink() = default;
CWxProgressSink::~CWxProgressSink() = default;

void CWxProgressSink::Begin(const std::string& textUtf8)
{
    m_text = wxString::FromUTF8(textUtf8);
    m_watch.Start();
    m_lastShown = 0;
    // A file chooser that has just closed leaves its place on the window unpainted until
    // the next events are handled: handle them now, before the read holds the program.
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
        loop->YieldFor(wxEVT_CATEGORY_UI);
}

bool CWxProgressSink::Update(std::uint64_t done, std::uint64_t total)
{
    if (total == 0)
        return true;
    const long now = m_watch.Time();
    if (!m_dialog) {
        if (now < kDelayMilliseconds || done >= total)
            return true;
        m_dialog = std::make_unique<wxProgressDialog>(wxString::FromUTF8("読み込み中"), m_text, kSteps,
                                                      wxTheApp->GetTopWindow(),
                                                      wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_SMOOTH);
        if (wxWindow* cancel = m_dialog->FindWindow(wxID_CANCEL)) {
            cancel->SetLabel(wxString::FromUTF8("キャンセル"));
            m_dialog->Layout();
        }
    } else if (now - m_lastShown < kIntervalMilliseconds) {
        return true;
    }
    m_lastShown = now;
    // Never the maximum: that would finish the dialog, and the reader ends it.
    const double share = static_cast<double>(std::min(done, total)) / static_cast<double>(total);
    return m_dialog->Update(std::min(static_cast<int>(share * kSteps), kSteps - 1));
}

void CWxProgressSink::End()
{
    m_dialog.reset();
}
