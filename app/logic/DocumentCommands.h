// What the document's commands do to the scene and the playback globals, without any window:
// undo and redo, edit modes, playback, frame and key navigation, key editing, the display
// switches, the in-betweening method, the camera and the background colour. Each sends its
// update hint to the document's views; the window side adds dialogs and direct redraws.
#pragma once

#include "platform/Color.h"

#include <cstdint>
#include <string>

class CCentigrade;
class CSceneDocument;
class IProfile;

// The choices of the key-frame dialog (CSceneDocument::m_keyFrameAction).
enum KeyFrameAction : std::int32_t {
    KeyFrameAddSelectedBone = 0,
    KeyFrameAddAllBones = 1,
    KeyFrameDeleteSelectedBone = 2,
    KeyFrameDeleteAllBones = 3,
};

namespace doccommands {

// Undo and redo of pose edits; afterwards the last frame follows bone 0's sample count in
// the animation now current and every bone is in-betweened again.
void Undo(CSceneDocument& document);
void Redo(CSceneDocument& document);

void SetEditMode(CSceneDocument& document, std::int32_t mode);
// The camera keeps the selected bone in the centre, or stops doing so (no hint: the caller
// redraws).
void ToggleCameraFollow(CCentigrade& scene);
// Toggles one of the display switches (m_showVertices, m_showEdges...).
void ToggleDisplay(CSceneDocument& document, bool CCentigrade::*flag);

// In-betweens every bone and asks the timeline to play, once or in a loop. Playing once from
// the last frame starts again at frame 0.
void StartPlayback(CSceneDocument& document, bool loop);
void StopPlayback(CSceneDocument& document);

// One frame forward or back (step +1 or -1), turning round at both ends.
void StepFrame(CSceneDocument& document, int step);
void GoToFirstFrame(CSceneDocument& document);
void GoToLastFrame(CSceneDocument& document);
// The selected bone's next or previous key, turning round at both ends.
void GoToKey(CSceneDocument& document, bool forward);

// Sets or clears the key flag at the current frame, for the selected bone or every bone (one
// undo entry). Clearing in-betweens again; frame 0 stays a key.
void SetKey(CSceneDocument& document, bool allBones, bool key);
// The key-frame dialog's edit of frame `frame`: the two add choices copy the pose of the
// current frame to it as a key, the two delete choices clear its key. A frame outside
// 1..g_lastFrame is refused with a message and changes nothing (false). The choice is
// remembered in the document.
bool EditKeyFrame(CSceneDocument& document, std::int32_t frame, std::int32_t action);

// Switches between Hermite and linear in-betweening and in-betweens every bone at once.
void ToggleHermite(CSceneDocument& document);
// The default camera; the background colour stays as the user chose it.
void ResetCamera(CCentigrade& scene);
// Keeps a newly chosen background colour in the scene and the profile.
void StoreBackgroundColor(CSceneDocument& document, IProfile& profile, COLORREF color);

// Adds the models of a Metasequoia file (CP932 path) to the background models, after those
// already there, and gives every background model its normals. False, with why in reason
// (UTF-8), when the file could not be opened or read whole; what was read before an error
// stays, unless memory ran out: then only the models shown before stay. New and Open empty
// the background models.
bool LoadBackgroundModel(const std::string& path, std::string& reason);

}  // namespace doccommands
