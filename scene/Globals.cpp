#include "scene/Globals.h"

#include "scene/CCentigrade.h"

// Constant-initialised before any dynamic initialisation, so the scene's construction
// (and every CBone it makes) already sees them.
constinit std::int32_t g_currentFrame = 0;
constinit std::int32_t g_lastFrame = 100;
constinit std::int32_t g_previousLastFrame = 100;
constinit float g_frameRate = 30.0f;
constinit bool g_playing = false;
constinit std::int32_t g_currentAnimation = 0;
constinit std::int32_t g_editFrame = 0;
constinit bool g_loopPlayback = false;
constinit float g_fileVersion = 0.0f;

CCentigrade g_scene;
