// The main frame's own commands: showing and hiding its bars, the camera presets, the display
// colours and the settings dialog. None of them marks the document modified.
#include "app/CKinemorphixApp.h"
#include "app/CMainFrame.h"
#include "app/CPropertyDialog.h"
#include "app/ColorChoice.h"
#include "app/logic/CameraPresets.h"
#include "app/logic/ColorSettings.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "app/logic/PropertySettings.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/WxKinemorphixView.h"

#include <wx/statusbr.h>
#include <wx/aui/auibar.h>

namespace {

void RedrawView()
{
    TheMainFrame().m_sceneView->InvalidateView();
}

void ToggleBar(wxWindow* bar)
{
    TheMainFrame().ShowBar(bar, !bar->IsShown());
}

void OnCameraPreset(int id)
{
    if (ApplyCameraPreset(id, g_scene.m_camera))
        RedrawView();
}

void OnColor(const char* key)
{
    const ColorSetting* color = FindColorSetting(key);
    if (!color)
        return;
    const std::optional<COLORREF> chosen = ChooseColorInDialog(&TheMainFrame(), g_scene.*color->member);
    if (!chosen)
        return;
    // A profile that cannot be kept tells the user itself, once.
    StoreColorSetting(TheApp().Profile(), g_scene, *color, *chosen);
    RedrawView();
}

void OnSettingsProperties()
{
    CPropertyDialog dialog(&TheMainFrame());
    const PropertySettings current = CurrentPropertySettings(g_scene);
    dialog.m_smoothingAngle = current.smoothingAngle;
    dialog.m_weightMapRange = current.weightMapRange;
    if (dialog.ShowModal() != wxID_OK)
        return;
    ApplyPropertySettings({dialog.m_smoothingAngle, dialog.m_weightMapRange}, g_scene);
    RedrawView();
}

void RegisterFrameCommands(CCommandRegistry& registry)
{
    registry.Add(
        ID_VIEW_TOOLBAR, [] { ToggleBar(TheMainFrame().m_mainToolBar); },
        [] { return CheckedIf(TheMainFrame().m_mainToolBar->IsShown()); });
    registry.Add(
        ID_VIEW_CONTROL_TOOLBAR, [] { ToggleBar(TheMainFrame().m_controlToolBar); },
        [] { return CheckedIf(TheMainFrame().m_controlToolBar->IsShown()); });
    registry.Add(
        ID_VIEW_STATUS_BAR, [] { ToggleBar(TheMainFrame().m_statusBar); },
        [] { return CheckedIf(TheMainFrame().m_statusBar->IsShown()); });

    for (int id : {ID_CAMERA_PRESET_F1, ID_CAMERA_PRESET_SHIFT_F1, ID_CAMERA_PRESET_F2, ID_CAMERA_PRESET_SHIFT_F2,
                   ID_CAMERA_PRESET_F3, ID_CAMERA_PRESET_SHIFT_F3})
        registry.Add(id, [id] { OnCameraPreset(id); });

    const std::pair<int, const char*> colors[] = {
        {ID_COLOR_LINE, "LineColor"},
        {ID_COLOR_SELECTED_LINE, "SelectedLineColor"},
        {ID_COLOR_BONE, "BoneColor"},
        {ID_COLOR_SELECTED_BONE, "SelectedBoneColor"},
        {ID_COLOR_SELECTION_FRAME, "SelectColor"},
    };
    for (const auto& [id, key] : colors)
        registry.Add(id, [key] { OnColor(key); });

    registry.Add(ID_SETTINGS_PROPERTIES, OnSettingsProperties);
}

const CCommandArea area(RegisterFrameCommands);

}  // namespace
