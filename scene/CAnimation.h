// One bone's pose in one frame of one animation (also the scene's camera).
#pragma once

#include "scene/CVector.h"

class CArchive;
class MatrixStack;

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

    // Posing and skinning
    // The bone transform of this sample on the stack's top, for a bone whose pivot is head,
    // with the scale factor s (1 for the view, the export scale for exporters): translate by
    // s*T + s*head, rotate by R (CVector::ApplyRotation), scale by S (not multiplied by s),
    // translate by -s*head.
    void ApplyTransform(MatrixStack& stack, const CVector& head, float s) const;
    // The same with the Y and Z axes mirrored: translate by ((head.x + T.x)*s,
    // -(head.y + T.y)*s, -(head.z + T.z)*s), rotate by (R.x, -R.y, -R.z), scale by S,
    // translate by (-head.x*s, head.y*s, head.z*s).
    void ApplyTransformMirrored(MatrixStack& stack, const CVector& head, float s) const;
    // Copies the translation, rotation and scale (every field of the three vectors), not the
    // key flag.
    void CopyPose(const CAnimation& other);
};
