// Pieces the render pass and the pick pass share: the view's usable area, the zoom kept
// in range, and the camera's model-view transform.
#pragma once

class CCentigrade;
class CVector;

// True when the view has an area to draw into (both sides at least one pixel).
bool HasViewArea(const CCentigrade& scene);

// The zoom in percent, at least 1: a zoom of 0 or less (or not a number), as a damaged scene
// file can hold, is raised to 1 in the scene so that every later step divides safely.
float ClampedZoom(CCentigrade& scene);

// Multiplies the current GL matrix by rotations about X, then Y, then Z (degrees).
void RotateXyzGl(const CVector& angles);

// On the current GL matrix: translate by the pan, turn by the camera angles, scale by zoom/100
// and translate by the follow offset.
void MultiplyCameraGl(const CCentigrade& scene, float zoom);
