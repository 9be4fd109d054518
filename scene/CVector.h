// A point, vertex or vector; inside a pose sample also Euler angles or scale factors.
#pragma once

#include <array>
#include <cstdint>

class CArchive;
class MatrixStack;

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

    // Posing and skinning
    // Rotates the stack's top by these Euler angles in degrees: about X by m_x, then about Y
    // by m_y, then about Z by m_z. The matrix is Rx*Ry*Rz, so a point turns about Z first.
    void ApplyRotation(MatrixStack& stack) const;
    // This point times the column-major matrix m, without division (the fourth row is
    // ignored): x' = x*m[0] + y*m[4] + z*m[8] + m[12], y' with m[1], m[5], m[9], m[13],
    // z' with m[2], m[6], m[10], m[14]. The result has weight 1, bone -1 and mark 0.
    CVector TransformPoint(const std::array<float, 16>& m) const;

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
