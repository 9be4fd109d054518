// The one document of the editor, without any window: it resets and fills the scene
// (g_scene and the playback globals) on New and Open, writes and reads scene files, keeps
// the path name, the title, the modified flag and the export settings, and broadcasts update
// hints to its views. The two roads to opening a file both end in OnOpenDocument: the
// framework's road (OpenDocumentFile: recent files, drops, the command line) and the
// document's own Open command (OnFileOpen). Paths are CP932, as the core keeps them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class IDocumentHost;
class IDocumentView;
class ProgressTask;

class CSceneDocument {
public:
    explicit CSceneDocument(IDocumentHost& host);
    virtual ~CSceneDocument() = default;
    CSceneDocument(const CSceneDocument&) = delete;
    CSceneDocument& operator=(const CSceneDocument&) = delete;

    // Remembered for the whole run, never stored in a file; New and Open empty m_exportPath.
    std::int32_t m_keyFrameAction = 0;     // last choice of the key-frame dialog, 0..3
    std::string m_exportPath;              // path of the last Save As or export
    std::int32_t m_exportType = 1;         // last export type, 1..14
    float m_exportScale = 1.0f;
    std::int32_t m_exportAnimationForm = 1;
    std::int32_t m_flashTarget = 0;

    // Views, in the order they were added.
    void AddView(IDocumentView* view);
    void RemoveView(IDocumentView* view);
    void UpdateAllViews(int hint);

    const std::string& GetPathName() const { return m_pathName; }
    const std::string& GetTitle() const { return m_title; }
    // The path made absolute; the title becomes its file name. With addToRecentFiles the
    // path goes to the top of the recent-file list.
    void SetPathName(const std::string& path, bool addToRecentFiles);
    void SetTitle(const std::string& title);
    // The main window's title (UTF-8): "<title> - Zelvo Kinemorphix 3.9".
    std::string FrameTitle() const;

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // An empty scene titled "無題" (whose first Save asks for a name).
    bool OnNewDocument();
    // Opens a scene file (extension zlkx in any case) or imports a model file (mqo). False,
    // with a message, when nothing was opened: the scene is then either as it was (a file of
    // another kind) or reset to an untitled one (a file that could not be read, or that
    // needed more memory than there is). The files are read under a progress task: a read
    // the user cancels ends as one that failed, without a message.
    bool OnOpenDocument(const std::string& path);
    // Writes the scene file; a failure is reported and leaves the file as it was.
    bool OnSaveDocument(const std::string& path);

    // The Open command: asks to save changes, then the file dialog, then OnOpenDocument.
    void OnFileOpen();
    // The Save command: writes the document's own file when it is a scene file, else Save
    // As. True when the document was saved.
    bool OnFileSave();
    // Save As (the export dispatch); false when nothing was saved.
    virtual bool OnFileSaveAs();

    // "%1 への変更を保存しますか?" when modified: Yes saves, No goes on, Cancel (or a save
    // that failed or was cancelled) stops whatever asked.
    bool SaveModified();
    // The framework's New: asks to save changes, then OnNewDocument and the initial update.
    bool NewDocumentFromFramework();
    // The framework's open road: asks to save changes, opens, then takes the opened file's
    // path (whatever its kind) into the path name and the recent-file list.
    bool OpenDocumentFile(const std::string& path);

    // True for a path whose extension is "zlkx", compared without case.
    static bool IsScenePath(const std::string& path);

private:
    enum class OpenOutcome { Opened, Unchanged, Reset };

    // frameworkRoad: also what the framework's road does after a successful open.
    OpenOutcome OpenFile(const std::string& path, bool frameworkRoad);
    // Both read their files under the task, which ends before any message.
    OpenOutcome OpenScene(const std::string& path, ProgressTask& task);
    OpenOutcome OpenModel(const std::string& path, ProgressTask& task);
    // A file that could not be read: an empty untitled document.
    OpenOutcome Unreadable();
    void ResetScene();
    void ResetToUntitled();
    void FinishOpen();

    IDocumentHost& m_host;
    std::vector<IDocumentView*> m_views;
    std::string m_pathName;
    std::string m_title;
    bool m_modified = false;
};
