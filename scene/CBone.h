// A bone with its pose samples for every animation and frame.
#pragma once

#include "scene/CAnimation.h"
#include "scene/CVector.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CArchive;

class CBone {
public:
    // One animation of g_lastFrame + 1 reset samples; sample 0 is a key.
    CBone();
    // One animation of `samples` reset samples (at least one); sample 0 is a key.
    explicit CBone(std::size_t samples);

    // Resizes the samples of one animation to g_lastFrame + 1, resets every sample from
    // firstFrame through g_lastFrame and marks sample 0 as a key.
    void FitAnimationLength(std::int32_t animation, std::int32_t firstFrame);

    void Serialize(CArchive& ar);

    std::string m_name;              // CP932
    std::int32_t m_id = 0;           // index in the scene's bone array
    std::int32_t m_parent = -1;      // parent bone id; -1 = root
    std::int32_t m_headVertex = -1;  // vertex of the bone object at the head
    std::int32_t m_tailVertex = -1;  // vertex of the bone object at the tail
    CVector m_head;                  // pivot
    CVector m_tail;
    std::vector<std::vector<CAnimation>> m_animations;  // [animation][frame]
    std::array<float, 16> m_matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};  // column-major, model space
    std::vector<std::int32_t> m_boundVertices;  // ascending vertex indices bound to this bone

    // Key-frame in-betweening
    // Both rewrite every animation of this bone from its key samples (m_key set), interpolating
    // the x, y, z of translation, rotation and scale in single precision. Every written
    // sample gets weight 1, bone -1 and mark 0 in its three vectors and keeps its key flag;
    // the samples after the last key copy every field of the last key's vectors.
    //
    // Straight lines between neighbouring keys; frame 0 opens the first segment whether or
    // not it is a key. An animation without keys copies frame 0 to every later frame.
    void InterpolateLinear();
    // Hermite curves with Catmull-Rom tangents on key indices, the animation taken as a cycle
    // (the last key precedes the first, frame 0 follows the last). The keys are rewritten
    // too. Frames before the first key are left alone, and so is an animation without keys.
    void InterpolateHermite();
};

// The Hermite point at t (0..1) of the segment from start to end with the Catmull-Rom
// tangents (end - previous)/2 and (next - start)/2, on x, y and z; the result has weight 1,
// bone -1 and mark 0. The same arithmetic as CBone::InterpolateHermite.
CVector HermitePoint(const CVector& previous, const CVector& start, const CVector& end, const CVector& next, float t);
