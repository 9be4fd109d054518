// The camera's preset directions on the function keys F1 to F3, with and without Shift.
#pragma once

class CAnimation;

// Turns the scene camera to the preset of the command (ID_CAMERA_PRESET_*): a fresh rotation,
// the pan's x set to 0 (for F2 and Shift+F2 also its y); the pan's z (the distance), zoom and
// field of view stay. False, changing nothing, for any other command.
bool ApplyCameraPreset(int commandId, CAnimation& camera);
