// Any bytes as a scene file: the reader either takes them or refuses them, never more.
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "scene/SceneFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    g_scene.ResetScene();
    g_scene.m_loadedModels.clear();
    g_scene.m_materialMaps.clear();
    std::string error;
    if (scenefile::ReadSceneBytes(data, size, error)) {
        // What was read is fitted as the document fits it, and writes out again.
        if (!scenefile::MaterialMapsFit(g_scene) || !scenefile::FitAnimationLengths(g_scene))
            __builtin_trap();  // the reader refuses what fitting would refuse
        g_scene.FitMaterialMaps();
        (void)scenefile::WriteSceneBytes();
    }
    return 0;
}
