// The document's commands: undo and redo, edit modes, camera follow and reset, playback,
// frame and key navigation, the key-frame dialog and the key commands, the in-betweening
// method, the background colour, the display switches and the background models. The rules
// that enable and check them are in app/logic/DocumentCommandRules; what they do to the
// scene is in app/logic/DocumentCommands.
#include "app/CDialogKeyFrame.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "app/logic/DocumentCommandRules.h"
#include "app/logic/DocumentCommands.h"
#include "app/logic/IFileChooser.h"
#include "import/PathFunctions.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/OpenGLSetup.h"
#include "viewport/RenderSurface.h"
#include "viewport/WxKinemorphixView.h"

#include <wx/colordlg.h>
#include <wx/utils.h>

#include <cassert>

namespace {

using namespace doccommands;

CKinemorphixDoc& Doc() { return TheDocument(); }

void RedrawView()
{
    if (CKinemorphixView* view = TheMainFrame().m_sceneView)
        view->InvalidateView();
}

void OnControlKeyFrameDialog()
{
    if (!g_scene.IsBoneAndAnimationSelected())
        return;
    CDialogKeyFrame dialog(&TheMainFrame());
    dialog.m_frame = g_currentFrame;
    dialog.m_action = Doc().m_keyFrameAction;
    if (dialog.ShowModal() == wxID_OK)
        EditKeyFrame(Doc(), dialog.m_frame, dialog.m_action);
}

void OnColorBackground()
{
    const COLORREF current = g_scene.m_backgroundColor;
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(wxColour(RedOf(current), GreenOf(current), BlueOf(current)));
    wxColourDialog dialog(&TheMainFrame(), &data);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxColour chosen = dialog.GetColourData().GetColour();
    const COLORREF color = MakeRgb(chosen.Red(), chosen.Green(), chosen.Blue());
    IRenderSurface* surface = AttachedRenderSurface();
    if (surface && surface->MakeCurrent())
        g_scene.SetBackgroundColor(color);
    StoreBackgroundColor(Doc(), TheApp().Profile(), color);
}

// Background models are added to those already shown; a file that cannot be read is
// reported, and whatever it held before the error is shown all the same.
void OnFileLoadBackground()
{
    FileDialogRequest request;
    request.defaultExtension = "mqo";
    request.initialFolder = fs_cp932::ToFileSystem(GetModuleFolder());
    request.filter = "Metasequoiaファイル(*.mqo)|*.mqo|";
    const std::optional<FileDialogAnswer> answer = ChooseFile(request);
    if (!answer)
        return;
    std::string reason;
    bool loaded = false;
    {
        wxBusyCursor busy;
        loaded = LoadBackgroundModel(fs_cp932::FromFileSystem(answer->path), reason);
        try {
            g_scene.CompileBackgroundList();
        } catch (const std::exception&) {
            // Memory ran out while the models went to the display list: none is shown.
            g_scene.m_backgroundModels.clear();
            g_scene.m_backgroundMaterials.clear();
            g_scene.CompileBackgroundList();
            loaded = false;
            reason = "メモリが足りません。";
        }
    }
    RedrawView();
    if (!loaded)
        ShowMessage(FormatMessage1("「%1」を読み込めませんでした。", answer->path) + "\n" + reason, MessageButtons::Ok,
                    MessageIcon::Error);
}

struct DocumentCommand {
    int id;
    void (*run)();
};

// clang-format off
const DocumentCommand kHandlers[] = {
    {ID_EDIT_UNDO, [] { Undo(Doc()); }},
    {ID_EDIT_REDO, [] { Redo(Doc()); }},
    // Nothing to copy, paste or cut: the rules keep them greyed.
    {ID_EDIT_COPY, [] {}},
    {ID_EDIT_PASTE, [] {}},
    {ID_EDIT_CUT, [] {}},
    {ID_OPERATION_SELECT_VERTEX, [] { SetEditMode(Doc(), EditModeVertexSelect); }},
    {ID_OPERATION_TRANSLATE, [] { SetEditMode(Doc(), EditModeTranslate); }},
    {ID_OPERATION_ROTATE, [] { SetEditMode(Doc(), EditModeRotate); }},
    {ID_OPERATION_SCALE, [] { SetEditMode(Doc(), EditModeScale); }},
    {ID_OPERATION_SELECT_CONNECTED, [] { SetEditMode(Doc(), EditModeConnectedSelect); }},
    {ID_OPERATION_CAMERA_CENTER, [] { ToggleCameraFollow(g_scene); RedrawView(); }},
    {ID_CONTROL_LOOP, [] { StartPlayback(Doc(), true); }},
    {ID_CONTROL_PLAY, [] { StartPlayback(Doc(), false); }},
    {ID_CONTROL_STOP, [] { StopPlayback(Doc()); }},
    {ID_CONTROL_NEXT_FRAME, [] { StepFrame(Doc(), 1); }},
    {ID_CONTROL_PREV_FRAME, [] { StepFrame(Doc(), -1); }},
    {ID_CONTROL_NEXT_KEY, [] { GoToKey(Doc(), true); }},
    {ID_CONTROL_PREV_KEY, [] { GoToKey(Doc(), false); }},
    {ID_CONTROL_FIRST, [] { GoToFirstFrame(Doc()); }},
    {ID_CONTROL_LAST, [] { GoToLastFrame(Doc()); }},
    {ID_CONTROL_KEY_FRAME_DIALOG, OnControlKeyFrameDialog},
    {ID_CONTROL_ADD_KEY, [] { SetKey(Doc(), false, true); }},
    {ID_CONTROL_ADD_KEY_ALL, [] { SetKey(Doc(), true, true); }},
    {ID_CONTROL_DELETE_KEY, [] { SetKey(Doc(), false, false); }},
    {ID_CONTROL_DELETE_KEY_ALL, [] { SetKey(Doc(), true, false); }},
    {ID_SETTINGS_CAMERA_RESET, [] { ResetCamera(g_scene); RedrawView(); }},
    {ID_SETTINGS_HERMITE, [] { ToggleHermite(Doc()); }},
    {ID_COLOR_BACKGROUND, OnColorBackground},
    {ID_VIEW_VERTICES, [] { ToggleDisplay(Doc(), &CCentigrade::m_showVertices); }},
    {ID_VIEW_EDGES, [] { ToggleDisplay(Doc(), &CCentigrade::m_showEdges); }},
    {ID_VIEW_FACES, [] { ToggleDisplay(Doc(), &CCentigrade::m_showFaces); }},
    {ID_VIEW_BONES, [] { ToggleDisplay(Doc(), &CCentigrade::m_showBones); }},
    {ID_FILE_LOAD_BACKGROUND, OnFileLoadBackground},
};
// clang-format on

void RegisterDocumentCommands(CCommandRegistry& registry)
{
    for (const DocumentCommand& command : kHandlers) {
        const DocumentCommandRule* rule = FindDocumentCommandRule(command.id);
        assert(rule);
        registry.Add(command.id, command.run, rule ? rule->state : nullptr);
    }
}

const CCommandArea area(RegisterDocumentCommands);

}  // namespace
