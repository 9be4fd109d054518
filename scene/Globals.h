// The one scene and the playback and file globals shared by every subsystem.
#pragma once

#include <cstdint>

class CCentigrade;

extern CCentigrade g_scene;

extern std::int32_t g_currentFrame;       // frame shown and edited
extern std::int32_t g_lastFrame;          // index of the last frame of the current animation
extern std::int32_t g_previousLastFrame;  // g_lastFrame before its latest change
extern float g_frameRate;                 // frames per second, kept in the scene file head
extern bool g_playing;
extern std::int32_t g_currentAnimation;
extern std::int32_t g_editFrame;          // frame of the latest key edit
extern bool g_loopPlayback;
extern float g_fileVersion;               // version of the scene file being read or written

// Scene file versions the readers test (single-precision constants).
inline constexpr float kVersion300 = 3.0f;
inline constexpr float kVersion331 = 3.31f;
inline constexpr float kVersion332 = 3.32f;
inline constexpr float kVersion390 = 3.9f;
inline constexpr float kVersion392 = 3.92f;

// Update hints broadcast to the views.
enum UpdateHint : int {
    HintInitialUpdate = 0,
    HintDocumentLoaded = 1,
    HintDisplayChanged = 2,
    HintPlaybackStarted = 4,
    HintPlaybackStopped = 5,
    HintAnimationSelected = 7,
    HintKeysChanged = 8,
    HintKeyFramesEdited = 9,
    HintFrameChanged = 10,
    HintUndoRedo = 11,
};

// Edit modes (CCentigrade::m_editMode).
enum EditMode : std::int32_t {
    EditModeVertexSelect = 1,
    EditModeRubberBand = 2,
    EditModeTranslate = 3,
    EditModeRotate = 4,
    EditModeScale = 5,
    EditModeConnectedSelect = 6,
};
