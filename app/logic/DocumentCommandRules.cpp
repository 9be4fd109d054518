#include "app/logic/DocumentCommandRules.h"

#include "app/logic/CommandIds.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <algorithm>

namespace rules {

bool CanUndo(const CCentigrade& scene) { return !scene.m_undoAnimations.empty(); }
bool CanRedo(const CCentigrade& scene) { return !scene.m_redoAnimations.empty(); }
bool HasValidSelection(const CCentigrade& scene) { return scene.IsBoneAndAnimationSelected(); }

bool IsVertexSelectMode(const CCentigrade& scene)
{
    return scene.m_editMode == EditModeVertexSelect || scene.m_editMode == EditModeRubberBand;
}

bool IsPlayingOnce(bool playing, bool looping) { return playing && !looping; }
bool IsPlayingLoop(bool playing, bool looping) { return playing && looping; }

}  // namespace rules

namespace {

CommandState Always() { return {}; }
CommandState Never() { return EnabledIf(false); }
CommandState WithSelection() { return EnabledIf(rules::HasValidSelection(g_scene)); }

template <std::int32_t Mode>
CommandState ModeChecked()
{
    return CheckedIf(g_scene.m_editMode == Mode);
}

template <bool CCentigrade::*Flag>
CommandState FlagChecked()
{
    return CheckedIf(g_scene.*Flag);
}

constexpr DocumentCommandRule kRules[] = {
    {ID_EDIT_UNDO, [] { return EnabledIf(rules::CanUndo(g_scene)); }},
    {ID_EDIT_REDO, [] { return EnabledIf(rules::CanRedo(g_scene)); }},
    {ID_EDIT_COPY, Never},
    {ID_EDIT_PASTE, Never},
    {ID_EDIT_CUT, Never},
    {ID_OPERATION_SELECT_VERTEX, [] { return CheckedIf(rules::IsVertexSelectMode(g_scene)); }},
    {ID_OPERATION_TRANSLATE, ModeChecked<EditModeTranslate>},
    {ID_OPERATION_ROTATE, ModeChecked<EditModeRotate>},
    {ID_OPERATION_SCALE, ModeChecked<EditModeScale>},
    {ID_OPERATION_SELECT_CONNECTED, ModeChecked<EditModeConnectedSelect>},
    {ID_OPERATION_CAMERA_CENTER, FlagChecked<&CCentigrade::m_followBone>},
    {ID_CONTROL_LOOP, [] { return CheckedIf(rules::IsPlayingLoop(g_playing, g_loopPlayback)); }},
    {ID_CONTROL_PLAY, [] { return CheckedIf(rules::IsPlayingOnce(g_playing, g_loopPlayback)); }},
    {ID_CONTROL_STOP, Always},
    {ID_CONTROL_NEXT_FRAME, Always},
    {ID_CONTROL_PREV_FRAME, Always},
    {ID_CONTROL_NEXT_KEY, WithSelection},
    {ID_CONTROL_PREV_KEY, WithSelection},
    {ID_CONTROL_FIRST, Always},
    {ID_CONTROL_LAST, Always},
    {ID_CONTROL_KEY_FRAME_DIALOG, WithSelection},
    {ID_CONTROL_ADD_KEY, WithSelection},
    {ID_CONTROL_ADD_KEY_ALL, WithSelection},
    {ID_CONTROL_DELETE_KEY, WithSelection},
    {ID_CONTROL_DELETE_KEY_ALL, WithSelection},
    {ID_SETTINGS_CAMERA_RESET, Always},
    {ID_SETTINGS_HERMITE, FlagChecked<&CCentigrade::m_hermite>},
    {ID_COLOR_BACKGROUND, Always},
    {ID_VIEW_VERTICES, FlagChecked<&CCentigrade::m_showVertices>},
    {ID_VIEW_EDGES, FlagChecked<&CCentigrade::m_showEdges>},
    {ID_VIEW_FACES, FlagChecked<&CCentigrade::m_showFaces>},
    {ID_VIEW_BONES, FlagChecked<&CCentigrade::m_showBones>},
    {ID_FILE_LOAD_BACKGROUND, Always},
};

}  // namespace

std::span<const DocumentCommandRule> DocumentCommandRules() { return kRules; }

const DocumentCommandRule* FindDocumentCommandRule(int id)
{
    const auto it = std::find_if(std::begin(kRules), std::end(kRules),
                                 [id](const DocumentCommandRule& rule) { return rule.id == id; });
    return it == std::end(kRules) ? nullptr : &*it;
}
