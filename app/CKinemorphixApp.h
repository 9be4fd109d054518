// The application: start-up with the profile, the recent-file list, the one document, the
// main frame and the command line; the framework's open road for recent files, dropped files
// and the file named on the command line.
#pragma once

#include <wx/app.h>

#include <memory>
#include <string>
#include <vector>

class CKinemorphixDoc;
class CMainFrame;
class IProfile;
class wxFileHistory;
class CWxFileChooser;
class CWxMessageSink;
class CWxProfile;
class CWxProgressSink;

class CKinemorphixApp : public wxApp {
public:
    CKinemorphixApp();
    ~CKinemorphixApp() override;

    // Prepares the profile, the recent-file list and the desktop registration, then (unless
    // SetEditorStartedByOnInit turned it off, as the GUI tests do) starts the editor with the
    // command line.
    bool OnInit() override;
    int OnExit() override;

    // Creates the document and the main frame, opens the file named in args (one .zlkx or
    // .mqo path; none: a new document "無題") and shows the window. False when the frame
    // could not be made.
    bool StartEditor(const std::vector<std::string>& args);
    // Closes the main frame without asking (tests).
    void CloseEditor();
    static void SetEditorStartedByOnInit(bool started);
    // The command line's arguments after the program's name, as the system gave the bytes
    // (the toolkit's own conversion of argv depends on the locale).
    static void SetCommandLine(std::vector<std::string> args);

    CKinemorphixDoc* GetDocument() { return m_document.get(); }
    CMainFrame* GetMainFrame() { return m_frame; }
    IProfile& Profile();
    wxFileHistory& FileHistory() { return *m_fileHistory; }
    CWxProgressSink& ProgressSink() { return *m_progressSink; }

    // The framework's open road (file dropped on the window, recent file, command line).
    bool OpenDocumentFile(const std::string& cp932Path);
    // Recent files (CP932 paths), stored in the profile at once.
    void AddToRecentFiles(const std::string& cp932Path);
    void RemoveFromRecentFiles(std::size_t index);
    // The main frame went away.
    void FrameDestroyed(CMainFrame* frame);

    // Reads the profile and the recent-file list and registers the file type with the desktop,
    // as start-up does. What cannot be read or kept there is told to the user once in the run,
    // in one message, when the main window shows (or at once, when it shows already).
    void PrepareUserFolders();

    // The scene file type registered with the user's desktop (done at every start): the
    // desktop entry, the MIME type and the icons below $XDG_DATA_HOME.
    bool RegisterShellFileTypes();
    // Removes exactly those files; false, with the reason (UTF-8), when one of them stayed.
    bool UnregisterShellFileTypes(std::string& error);

private:
    void InitProfile();
    void SaveRecentFiles();
    void TellSettingsProblem(const std::string& text);
    void ShowSettingsProblems();

    std::unique_ptr<CWxProfile> m_profile;
    std::unique_ptr<wxFileHistory> m_fileHistory;
    std::unique_ptr<CWxMessageSink> m_messageSink;
    std::unique_ptr<CWxFileChooser> m_fileChooser;
    std::unique_ptr<CWxProgressSink> m_progressSink;
    std::unique_ptr<CKinemorphixDoc> m_document;
    CMainFrame* m_frame = nullptr;
    std::string m_pendingSettingsProblems;
    bool m_settingsProblemTold = false;
};

CKinemorphixApp& TheApp();
// The one document and the main frame; valid while the editor runs (between StartEditor and
// the frame's destruction).
CKinemorphixDoc& TheDocument();
CMainFrame& TheMainFrame();
