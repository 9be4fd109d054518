// Making a scene read from a file consistent before anything works on it: a file may hold
// counts that disagree with each other or with the model file read beside it.
#pragma once

class CCentigrade;

// At least one animation name; every bone holds one sample array per animation name, and for
// each animation every bone holds as many samples as bone 0 (padded with reset samples or
// cut); sample 0 of every array is a key.
void FitAnimationLengths(CCentigrade& scene);

// Vertex bindings to bones that do not exist become "no bone".
void ClipVertexBindings(CCentigrade& scene);
