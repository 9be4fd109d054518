#include "app/logic/CameraPresets.h"

#include "app/logic/CommandIds.h"
#include "scene/CAnimation.h"

#include <algorithm>
#include <iterator>

namespace {

struct CameraPreset {
    int id;
    bool zeroPanY;
    float rotateX, rotateY, rotateZ;
};

constexpr CameraPreset kPresets[] = {
    {ID_CAMERA_PRESET_F1, false, 0, -90, 0},  {ID_CAMERA_PRESET_SHIFT_F1, false, 0, 90, 0},
    {ID_CAMERA_PRESET_F2, true, 90, 0, 0},    {ID_CAMERA_PRESET_SHIFT_F2, true, -90, 0, 0},
    {ID_CAMERA_PRESET_F3, false, 0, 0, 0},    {ID_CAMERA_PRESET_SHIFT_F3, false, 0, 180, 0},
};

}  // namespace

bool ApplyCameraPreset(int commandId, CAnimation& camera)
{
    const auto preset = std::find_if(std::begin(kPresets), std::end(kPresets),
                                     [commandId](const CameraPreset& p) { return p.id == commandId; });
    if (preset == std::end(kPresets))
        return false;
    const CVector& pan = camera.m_translate;
    camera.m_translate = CVector(0.0f, preset->zeroPanY ? 0.0f : pan.m_y, pan.m_z);
    camera.m_rotate = CVector(preset->rotateX, preset->rotateY, preset->rotateZ);
    return true;
}
