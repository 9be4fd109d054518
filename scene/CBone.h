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
};
