// A point, vertex or vector; inside a pose sample also Euler angles or scale factors.
#pragma once

#include <cstdint>

class CArchive;

class CVector {
public:
    CVector() = default;
    CVector(float x, float y, float z) : m_x(x), m_y(y), m_z(z) {}

    // Bone index and weight always; coordinates only in old files (see the scene file body).
    void Serialize(CArchive& ar);

    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_z = 0.0f;
    float m_weight = 1.0f;         // 1 = rigid to its bone; below 1 the parent bone's share
    std::int32_t m_boneIndex = -1;  // bone id, -1 = unbound
    std::int32_t m_mark = 0;        // visited mark of the connected binding; never stored

    // Vector arithmetic: x, y and z only; a new vector has weight 1, no bone and mark 0.
    // Lengths are single-precision sums of squares with a double square root; a vector of
    // length 0 normalises to (0, 0, 1).
    CVector Add(const CVector& other) const;       // this + other
    CVector Subtract(const CVector& other) const;  // this - other
    CVector& operator+=(const CVector& other);
    static float Dot(const CVector& a, const CVector& b);
    CVector& Cross(const CVector& a, const CVector& b);  // this := a x b
    CVector& Normalize();
    bool Equals(const CVector& other) const;   // x, y and z all equal
    bool Compare(const CVector& other) const;  // any of x, y, z differs
};
