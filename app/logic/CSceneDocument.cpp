#include "app/logic/CSceneDocument.h"

#include "app/logic/IDocumentHost.h"
#include "app/logic/IDocumentView.h"
#include "app/logic/IFileChooser.h"
#include "app/logic/LoadedSceneChecks.h"
#include "import/BinaryVertexReport.h"
#include "import/ModelFile.h"
#include "import/MqoError.h"
#include "import/PathFunctions.h"
#include "import/TextureReport.h"
#include "platform/Cp932.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Progress.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>

namespace {

// "無題" in CP932.
const std::string kUntitled = "\x96\xB3\x91\xE8";

std::string AbsolutePath(const std::string& path)
{
    std::string folder;
    if (path.empty() || fs_cp932::IsAbsolutePath(path) || !fs_cp932::CurrentFolder(folder))
        return path;
    return folder + path;
}

std::string Utf8(const std::string& cp932Text) { return cp932::ToUtf8(cp932Text); }

// Reads a model file as the main model. On failure, why (UTF-8).
bool ImportModel(const std::string& path, std::string& reason)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(mqo::OpenModelFile(path, reason), std::fclose);
    if (!file)
        return false;
    const std::int32_t code = g_scene.ImportMqoStream(file.get());
    reason = mqo::ErrorText(code);
    return code == MqoErrorNone;
}

// Puts back the scene as it was read from the scene file, freeing what a failed model read
// had loaded.
void RestoreScene(const CCentigrade& asRead)
{
    g_scene.DeleteTextures();
    g_scene = asRead;
}

}  // namespace

CSceneDocument::CSceneDocument(IDocumentHost& host) : m_host(host), m_pathName(AbsolutePath(kUntitled)), m_title(kUntitled) {}

void CSceneDocument::AddView(IDocumentView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CSceneDocument::RemoveView(IDocumentView* view)
{
    std::erase(m_views, view);
}

void CSceneDocument::UpdateAllViews(int hint)
{
    const std::vector<IDocumentView*> views = m_views;
    for (IDocumentView* view : views)
        view->OnUpdate(hint);
}

void CSceneDocument::SetPathName(const std::string& path, bool addToRecentFiles)
{
    m_pathName = AbsolutePath(path);
    std::string name;
    m_title = GetFileName(name, m_pathName) ? name : m_pathName;
    if (addToRecentFiles)
        m_host.AddToRecentFiles(m_pathName);
    m_host.OnTitleChanged();
}

void CSceneDocument::SetTitle(const std::string& title)
{
    m_title = title;
    m_host.OnTitleChanged();
}

std::string CSceneDocument::FrameTitle() const
{
    return Utf8(m_title) + " - Zelvo Kinemorphix 3.9";
}

bool CSceneDocument::IsScenePath(const std::string& path)
{
    std::string extension;
    GetFileExtension(extension, path);
    return cp932::EqualsNoCase(extension, "zlkx");
}

void CSceneDocument::ResetScene()
{
    g_scene.DeleteTextures();
    g_scene.ResetScene();
}

// New's own steps: an empty scene, the playback globals at their start, untitled.
void CSceneDocument::ResetToUntitled()
{
    ResetScene();
    // A new scene names no model file and carries no stored models, so saving it never brings
    // back the previous document's model.
    g_scene.m_modelPath.clear();
    g_scene.m_loadedModels.clear();
    g_scene.ResetMaterialMaps();
    g_currentFrame = 0;
    g_lastFrame = 100;
    g_previousLastFrame = 100;
    g_frameRate = 30.0f;
    g_playing = false;
    g_currentAnimation = 0;
    g_editFrame = 0;
    g_loopPlayback = false;
    m_host.LoadColorSettings();
    SetPathName(kUntitled, false);
    m_exportPath.clear();
    m_modified = false;
}

bool CSceneDocument::OnNewDocument()
{
    ResetToUntitled();
    return true;
}

bool CSceneDocument::OnOpenDocument(const std::string& path)
{
    return OpenFile(AbsolutePath(path), false) == OpenOutcome::Opened;
}

CSceneDocument::OpenOutcome CSceneDocument::OpenFile(const std::string& path, bool frameworkRoad)
{
    std::string extension;
    GetFileExtension(extension, path);
    const bool scene = cp932::EqualsNoCase(extension, "zlkx");
    if (!scene && !cp932::EqualsNoCase(extension, "mqo")) {
        ShowMessage(FormatMessage1("「%1」は開くことのできない種類のファイルです。", Utf8(path)), MessageButtons::Ok,
                    MessageIcon::Warning);
        return OpenOutcome::Unchanged;
    }
    // Memory running out anywhere on the way (the files, their textures, the panes filled
    // afterwards) ends in an empty document, as a file that cannot be read does.
    try {
        OpenOutcome outcome = OpenOutcome::Reset;
        {
            std::string name;
            ProgressTask task(FormatMessage1("「%1」を読み込んでいます…", Utf8(GetFileName(name, path) ? name : path)));
            outcome = scene ? OpenScene(path, task) : OpenModel(path, task);
        }
        // The framework's road takes the opened file's path (whatever its kind) into the path
        // name and the recent-file list, and starts the views afresh.
        if (outcome == OpenOutcome::Opened && frameworkRoad) {
            SetPathName(path, true);
            UpdateAllViews(HintInitialUpdate);
        }
        return outcome;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    ShowMessage(FormatMessage1("メモリが足りないため「%1」を開けませんでした。", Utf8(path)), MessageButtons::Ok,
                MessageIcon::Error);
    return Unreadable();
}

namespace {

// What a model read could not take (textures, vertices kept in binary blocks), told once
// for all the reads of one open, after its progress has ended.
struct ReadReports {
    const TextureReport textures;
    const BinaryVertexReport vertices;
};

// Ends the progress of a model read before what it could not take is told; a read the user
// stopped tells none of it.
void EndReading(ProgressTask& task)
{
    task.End();
    if (task.Cancelled()) {
        TextureReport::Discard();
        BinaryVertexReport::Discard();
    }
}

}  // namespace

CSceneDocument::OpenOutcome CSceneDocument::Unreadable()
{
    // Never a titled document whose Save would write an empty scene over that file.
    ResetToUntitled();
    FinishOpen();
    return OpenOutcome::Reset;
}

CSceneDocument::OpenOutcome CSceneDocument::OpenScene(const std::string& path, ProgressTask& task)
{
    ResetScene();
    std::string baseName, fallback;
    if (GetFileBaseName(baseName, path))
        fallback = baseName + ".mqo";

    std::string message;
    if (!scenefile::ReadSceneFile(path, message)) {
        task.End();
        // A read the user stopped ends as one that failed, without a message.
        if (!task.Cancelled())
            ShowMessage(message, MessageButtons::Ok, MessageIcon::Error);
        return Unreadable();
    }
    ChangeDirectoryToFileFolder(path);

    // The model file, else the one named like the scene file beside it. A read that fails
    // half way must not leave its part of a model behind for the second one.
    const CCentigrade asRead = g_scene;
    std::string reason;
    bool imported = false;
    {
        const ReadReports reports;  // what both reads could not take, told once the task is over
        imported = ImportModel(asRead.m_modelPath, reason);
        if (!imported && !task.Cancelled()) {
            RestoreScene(asRead);
            std::string fallbackReason;
            imported = !fallback.empty() && ImportModel(fallback, fallbackReason);
            if (imported)
                g_scene.m_modelPath = fallback;
        }
        EndReading(task);
    }
    if (task.Cancelled())
        return Unreadable();
    if (!imported) {
        RestoreScene(asRead);
        if (!asRead.m_modelPath.empty() || !asRead.m_loadedModels.empty()) {
            // The stored models stay in m_loadedModels and are saved again as they were.
            ShowMessage(FormatMessage1("モデルファイル「%1」を読み込めませんでした。", Utf8(asRead.m_modelPath)) + "\n" +
                            reason + "\nボーン、アニメーションと頂点の割り当ては保持されます。",
                        MessageButtons::Ok, MessageIcon::Warning);
        }
    }
    // The model read beside the scene may bring materials and bones the file's maps and
    // animations are fitted to: neither may cost more than padding is allowed to.
    if (!scenefile::MaterialMapsFit(g_scene) || !scenefile::FitAnimationLengths(g_scene)) {
        ShowMessage(FormatMessage1("%1 の形式が正しくありません。", Utf8(path)), MessageButtons::Ok, MessageIcon::Error);
        return Unreadable();
    }
    g_scene.FitMaterialMaps();
    SetPathName(path, true);
    g_currentAnimation = 0;
    m_host.SetupCamera();
    g_scene.ResetDeformedVertices();
    g_scene.RestoreVertexBindings();
    ClipVertexBindings(g_scene);
    g_scene.BuildBoneVertexLists();
    // The normals follow the scene's smoothing angle; the common end of opening computes them.
    for (CModel& model : g_scene.m_models)
        model.m_smoothingAngle = g_scene.m_smoothingAngle;
    g_scene.SetWeightMapRange(g_scene.m_weightMapRange);
    m_modified = false;
    FinishOpen();
    return OpenOutcome::Opened;
}

CSceneDocument::OpenOutcome CSceneDocument::OpenModel(const std::string& path, ProgressTask& task)
{
    g_fileVersion = kVersion390;
    ResetScene();
    g_scene.m_loadedModels.clear();
    SetTitle(kUntitled);
    ChangeDirectoryToFileFolder(path);
    std::string reason;
    bool imported = false;
    {
        const ReadReports reports;
        imported = ImportModel(path, reason);
        EndReading(task);
    }
    if (!imported || task.Cancelled()) {
        if (!task.Cancelled())
            ShowMessage(FormatMessage1("「%1」を読み込めませんでした。", Utf8(path)) + "\n" + reason, MessageButtons::Ok,
                        MessageIcon::Error);
        return Unreadable();
    }
    g_currentAnimation = 0;
    m_host.SetupCamera();
    g_scene.ResetDeformedVertices();
    g_scene.BuildBoneVertexLists();
    g_scene.ResetMaterialMaps();
    m_modified = true;
    SetPathName(kUntitled, false);
    std::string fileName;
    g_scene.m_modelPath = GetFileName(fileName, path) ? fileName : path;
    FinishOpen();
    return OpenOutcome::Opened;
}

// The common end of every open.
void CSceneDocument::FinishOpen()
{
    m_host.LoadColorSettings();
    m_host.ApplyBackgroundColor();
    g_scene.RecomputeNormals();
    m_exportPath.clear();
    UpdateAllViews(HintDocumentLoaded);
}

bool CSceneDocument::OnSaveDocument(const std::string& path)
{
    std::string message;
    if (!scenefile::WriteSceneFile(path, message)) {
        ShowMessage(message, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    m_modified = false;
    return true;
}

void CSceneDocument::OnFileOpen()
{
    if (!SaveModified())
        return;
    FileDialogRequest request;
    request.defaultExtension = "zlkx";
    request.filter = "全ての形式(*.zlkx;*.mqo)|*.zlkx;*mqo|Zelvo Kinemorphixファイル(*.zlkx)|*.zlkx|"
                     "Metasequoiaファイル(*.mqo)|*.mqo|";
    const std::optional<FileDialogAnswer> answer = ChooseFile(request);
    if (answer)
        OnOpenDocument(fs_cp932::FromFileSystem(answer->path));
}

bool CSceneDocument::OnFileSave()
{
    // Only a scene file is written in place; a model file or an untitled document goes to
    // Save As, so a scene archive never lands over a file of another kind.
    if (!IsScenePath(m_pathName))
        return OnFileSaveAs();
    const std::string path = m_pathName;
    const bool saved = OnSaveDocument(path);
    SetPathName(path, true);
    return saved;
}

bool CSceneDocument::OnFileSaveAs()
{
    return false;
}

bool CSceneDocument::SaveModified()
{
    if (!m_modified)
        return true;
    switch (ShowMessage(FormatMessage1("%1 への変更を保存しますか?", Utf8(m_title)), MessageButtons::YesNoCancel,
                        MessageIcon::Warning)) {
    case MessageResult::Cancel:
        return false;
    case MessageResult::No:
        return true;
    default:
        return OnFileSave();
    }
}

bool CSceneDocument::NewDocumentFromFramework()
{
    if (!SaveModified() || !OnNewDocument())
        return false;
    UpdateAllViews(HintInitialUpdate);
    return true;
}

bool CSceneDocument::OpenDocumentFile(const std::string& path)
{
    const std::string fullPath = AbsolutePath(path);
    if (!SaveModified())
        return false;
    const bool wasModified = m_modified;
    m_modified = false;
    const OpenOutcome outcome = OpenFile(fullPath, true);
    if (outcome == OpenOutcome::Unchanged)
        m_modified = wasModified;
    return outcome == OpenOutcome::Opened;
}
