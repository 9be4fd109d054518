// The animation list's operations on the scene, without the widgets: the last-frame column,
// selecting an animation, and the pop-up's add, duplicate and delete with their material
// maps, frames and undo stacks.
#pragma once

#include <string>

class CCentigrade;

// The last frame of an animation as the list shows it: bone 0's samples less one; "100"
// without bones.
std::string AnimationLastFrameText(const CCentigrade& scene, int animation);

// Makes an animation current, at frame 0, with the last frame from bone 0. False (nothing
// changes) without bones or for an index that names no animation.
bool SelectAnimation(CCentigrade& scene, int animation);

// Appends a fresh animation and its identity material map.
void AddAnimationWithMap(CCentigrade& scene);
// Appends a copy of the current animation under a free name and a material map for it.
// False, and nothing changes, when no free name is left.
bool DuplicateCurrentAnimation(CCentigrade& scene);
// Deletes the current animation with its material map; the row above becomes current when
// the last one went, the frame goes to 0, the last frame follows the new current animation
// and the undo and redo stacks are emptied. Deleting the only animation leaves a fresh one
// with its own identity map.
void DeleteCurrentAnimation(CCentigrade& scene);
