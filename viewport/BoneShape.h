// GL steps the render and pick passes share for drawing a bone.
#pragma once

class CBone;

// Pushes the model-view matrix and moves to the bone's posed head: the bone's matrix, then
// its head point. The caller pops.
void PushBoneHeadMatrix(const CBone& bone);
// The bone as a line from its head (the current origin) to its tail.
void DrawBoneLine(const CBone& bone);
