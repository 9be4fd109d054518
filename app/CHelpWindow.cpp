#include "app/CHelpWindow.h"

#include "app/ResourceImages.h"
#include "app/logic/HelpFile.h"
#include "platform/RegularFile.h"

#include <wx/html/htmlcell.h>
#include <wx/html/htmlwin.h>
#include <wx/html/winpars.h>
#include <wx/sizer.h>

namespace {

CHelpWindow* g_helpWindow = nullptr;

// A word of the page whose line may end before it.
class CWrappedWord : public wxHtmlWordCell {
public:
    CWrappedWord(const wxString& word, const wxDC& dc, bool breakBefore) : wxHtmlWordCell(word, dc)
    {
        m_allowLinebreak = breakBefore;
    }
};

// The toolkit's page parser cuts text into words at spaces only, so a Japanese sentence is one
// word that runs past the window's edge. This one also cuts between the characters where
// Japanese text may wrap (MayWrapBetween); spaces collapse as they do in the toolkit's.
class CWrappingParser : public wxHtmlWinParser {
public:
    using wxHtmlWinParser::wxHtmlWinParser;

    void InitParser(const wxString& source) override
    {
        wxHtmlWinParser::InitParser(source);
        m_previous = 0;
        m_lastWasSpace = false;
        m_breakNext = true;
        m_container = nullptr;
    }

protected:
    void AddText(const wxString& text) override
    {
        if (GetWhitespaceMode() != Whitespace_Normal) {
            wxHtmlWinParser::AddText(text);
            m_previous = 0;
            return;
        }
        // A new paragraph or cell starts without a space, as the toolkit's parser has it.
        if (GetContainer() != m_container) {
            m_container = GetContainer();
            m_lastWasSpace = true;
        }
        wxString word;
        for (const wxUniChar c : text) {
            const char32_t u = c.GetValue();
            if (u == ' ' || u == '\t' || u == '\n' || u == '\r') {
                if (!m_lastWasSpace) {
                    word += ' ';
                    AddWord(word);
                    m_lastWasSpace = true;
                }
                m_previous = ' ';
                continue;
            }
            if (MayWrapBetween(m_previous, u)) {
                AddWord(word);
                m_breakNext = true;
            }
            word += u == 0xA0 ? wxUniChar(' ') : c;  // a no-break space draws as a space
            m_previous = u;
            m_lastWasSpace = false;
        }
        AddWord(word);
    }

private:
    void AddWord(wxString& word)
    {
        if (word.empty())
            return;
        auto* cell = new CWrappedWord(word, *GetDC(), m_breakNext);
        ApplyStateToCell(cell);
        GetContainer()->InsertCell(cell);
        m_breakNext = word.Last() == ' ';
        word.clear();
    }

    char32_t m_previous = 0;    // the last character of text so far (' ' for any space)
    bool m_lastWasSpace = false;
    bool m_breakNext = true;    // the next word may start a line
    const wxHtmlContainerCell* m_container = nullptr;  // where the last text went
};

class CHelpPage : public wxHtmlWindow {
public:
    explicit CHelpPage(wxWindow* parent) : wxHtmlWindow(parent)
    {
        delete m_Parser;
        m_Parser = new CWrappingParser(this);
        m_Parser->SetFS(m_FS);
    }
};

}  // namespace

void CHelpWindow::Show(wxWindow* parent, const wxString& path)
{
    if (!g_helpWindow)
        g_helpWindow = new CHelpWindow(parent, path);
    g_helpWindow->wxFrame::Show();
    g_helpWindow->Raise();
}

CHelpWindow* CHelpWindow::Current()
{
    return g_helpWindow;
}

CHelpWindow::CHelpWindow(wxWindow* parent, const wxString& path)
    : wxFrame(parent, wxID_ANY, wxString::FromUTF8("Kinemorphix ヘルプ"), wxDefaultPosition, wxSize(760, 640))
{
    SetIcons(ProgramIcons());
    m_page = new CHelpPage(this);
    // The page is UTF-8, whatever the locale says.
    RegularFile file;
    std::vector<std::uint8_t> text;
    if (file.OpenFileSystemPath(path.utf8_string()) && file.ReadRest(text))
        m_page->SetPage(wxString::FromUTF8(reinterpret_cast<const char*>(text.data()), text.size()));
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(m_page, 1, wxEXPAND);
    SetSizer(column);
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers())
            Close();
        else
            event.Skip();
    });
}

CHelpWindow::~CHelpWindow()
{
    g_helpWindow = nullptr;
}
