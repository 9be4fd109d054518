// One bone's pose in one frame of one animation (also the scene's camera).
#pragma once

#include "scene/CVector.h"

class CArchive;

class CAnimation {
public:
    CAnimation() { Reset(); }

    // Translate and rotate 0, scale 1, each vector weight 1, bone -1, mark 0; not a key.
    void Reset();
    void Serialize(CArchive& ar);

    CVector m_translate;  // added to the bone head
    CVector m_rotate;     // Euler degrees, applied about X, then Y, then Z
    CVector m_scale;      // scale factors
    bool m_key = false;   // the sample is a key frame
};
