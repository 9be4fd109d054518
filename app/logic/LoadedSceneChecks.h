// Making a scene read from a file consistent before anything works on it: a file may hold
// counts that disagree with each other or with the model file read beside it. The bones'
// animations are fitted by scenefile::FitAnimationLengths (scene/SceneFile.h).
#pragma once

class CCentigrade;

// Vertex bindings to bones that do not exist become "no bone".
void ClipVertexBindings(CCentigrade& scene);
