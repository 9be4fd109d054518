#include "viewport/GizmoTables.h"

namespace {

constexpr float kRoot2 = 0.70710678118654752f;

// cos and sin of 45k degrees, k = 0..7.
constexpr std::array<std::array<float, 2>, 8> kEighths{{
    {1.0f, 0.0f}, {kRoot2, kRoot2}, {0.0f, 1.0f}, {-kRoot2, kRoot2},
    {-1.0f, 0.0f}, {-kRoot2, -kRoot2}, {0.0f, -1.0f}, {kRoot2, -kRoot2},
}};

// A ring is a tube of triangular cross-section: per section the point on the ring at radius
// 80, then two markers at radius 87.5 moved +3 and -3 along the ring's axis.
std::array<CVector, 72> MakeRings()
{
    std::array<CVector, 72> points;
    for (int k = 0; k < 8; ++k) {
        const float c = kEighths[k][0];
        const float s = kEighths[k][1];
        const float r0c = 80.0f * c, r0s = 80.0f * s;
        const float r1c = 87.5f * c, r1s = 87.5f * s;
        points[3 * k + 0] = CVector(0, -r0c, r0s);
        points[3 * k + 1] = CVector(3, -r1c, r1s);
        points[3 * k + 2] = CVector(-3, -r1c, r1s);
        points[24 + 3 * k + 0] = CVector(r0c, 0, r0s);
        points[24 + 3 * k + 1] = CVector(r1c, 3, r1s);
        points[24 + 3 * k + 2] = CVector(r1c, -3, r1s);
        points[48 + 3 * k + 0] = CVector(-r0s, -r0c, 0);
        points[48 + 3 * k + 1] = CVector(-r1s, -r1c, 3);
        points[48 + 3 * k + 2] = CVector(-r1s, -r1c, -3);
    }
    return points;
}

std::array<std::int32_t, 144> MakeRingIndices()
{
    std::array<std::int32_t, 144> indices{};
    std::size_t n = 0;
    for (int s = 0; s < 8; ++s) {
        const int t = (s + 1) % 8;
        const std::int32_t triangles[18] = {
            3 * s + 1, 3 * t + 1, 3 * t,     3 * s + 1, 3 * t,     3 * s,
            3 * s + 2, 3 * t + 2, 3 * t + 1, 3 * s + 2, 3 * t + 1, 3 * s + 1,
            3 * s,     3 * t,     3 * t + 2, 3 * s,     3 * t + 2, 3 * s + 2,
        };
        for (std::int32_t i : triangles)
            indices[n++] = i;
    }
    return indices;
}

}  // namespace

const std::array<CVector, 6> g_boneGlyphVertices{
    CVector(0, 10, 0), CVector(0, 0, 10), CVector(10, 0, 0),
    CVector(0, 0, -10), CVector(-10, 0, 0), CVector(0, -10, 0),
};

const std::array<CVector, 15> g_arrowVertices{
    CVector(100, 0, 0), CVector(80, 0, 10), CVector(80, -8, -5), CVector(80, 8, -5), CVector(80, 0, 0),
    CVector(0, 100, 0), CVector(0, 80, 10), CVector(-8, 80, -5), CVector(8, 80, -5), CVector(0, 80, 0),
    CVector(0, 0, 100), CVector(0, 10, 80), CVector(-8, -5, 80), CVector(8, -5, 80), CVector(0, 0, 80),
};

const std::array<CVector, 72> g_ringVertices = MakeRings();

const std::array<CVector, 32> g_handleBoxVertices{
    // X
    CVector(80, -5, 5), CVector(80, 5, 5), CVector(90, -5, 5), CVector(90, 5, 5),
    CVector(90, -5, -5), CVector(90, 5, -5), CVector(80, -5, -5), CVector(80, 5, -5),
    // Y
    CVector(-5, 80, 5), CVector(5, 80, 5), CVector(-5, 90, 5), CVector(5, 90, 5),
    CVector(-5, 90, -5), CVector(5, 90, -5), CVector(-5, 80, -5), CVector(5, 80, -5),
    // Z
    CVector(-5, 5, 80), CVector(5, 5, 80), CVector(-5, 5, 90), CVector(5, 5, 90),
    CVector(-5, -5, 90), CVector(5, -5, 90), CVector(-5, -5, 80), CVector(5, -5, 80),
    // centre
    CVector(-5, 5, -5), CVector(5, 5, -5), CVector(-5, 5, 5), CVector(5, 5, 5),
    CVector(-5, -5, 5), CVector(5, -5, 5), CVector(-5, -5, -5), CVector(5, -5, -5),
};

const std::array<std::int32_t, 36> BoxTriangleIndices{
    1, 3, 2, 1, 2, 0, 3, 5, 4, 3, 4, 2, 5, 7, 6, 5, 6, 4,
    7, 1, 0, 7, 0, 6, 7, 5, 3, 7, 3, 1, 0, 2, 4, 0, 4, 6,
};

const std::array<std::int32_t, 144> RingTriangleIndices = MakeRingIndices();

const std::array<std::int32_t, 12> ArrowTriangleIndices{0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3};

const std::array<std::int32_t, 24> JointTriangleIndices{
    0, 1, 2, 0, 2, 3, 0, 3, 4, 0, 4, 1, 5, 1, 2, 5, 2, 3, 5, 3, 4, 5, 4, 1,
};

const std::array<std::int32_t, 24> JointEdgeIndices{
    0, 1, 0, 2, 0, 3, 0, 4, 5, 1, 5, 2, 5, 3, 5, 4, 1, 2, 2, 3, 3, 4, 4, 1,
};
