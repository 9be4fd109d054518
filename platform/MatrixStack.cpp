#include "platform/MatrixStack.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

namespace {

constexpr MatrixStack::Matrix kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Mesa's flag bits for a matrix: what it is known to contain, and what needs recomputing.
constexpr std::uint32_t kGeneral = 0x1;
constexpr std::uint32_t kRotation = 0x2;
constexpr std::uint32_t kTranslation = 0x4;
constexpr std::uint32_t kUniformScale = 0x8;
constexpr std::uint32_t kGeneralScale = 0x10;
constexpr std::uint32_t kGeneral3D = 0x20;
constexpr std::uint32_t kPerspective = 0x40;
constexpr std::uint32_t kSingular = 0x80;
constexpr std::uint32_t kDirtyType = 0x100;
constexpr std::uint32_t kDirtyFlags = 0x200;
constexpr std::uint32_t kDirtyInverse = 0x400;
constexpr std::uint32_t kGeometry =
    kGeneral | kRotation | kTranslation | kUniformScale | kGeneralScale | kGeneral3D | kPerspective | kSingular;
constexpr std::uint32_t kAffine3D = kRotation | kTranslation | kUniformScale | kGeneralScale | kGeneral3D;
constexpr std::uint32_t kAnglePreserving = kRotation | kTranslation | kUniformScale;
constexpr std::uint32_t kDirty = kDirtyType | kDirtyFlags | kDirtyInverse;

// True when every geometry flag that is set lies within allowed.
constexpr bool OnlyFlags(std::uint32_t flags, std::uint32_t allowed) { return (kGeometry & ~allowed & flags) == 0; }

// Element (row, column) of a column-major matrix.
constexpr int At(int row, int column) { return column * 4 + row; }

// p := a * b over all four rows. p may be a.
void Multiply4(float* p, const float* a, const float* b)
{
    for (int i = 0; i < 4; ++i) {
        const float ai0 = a[At(i, 0)], ai1 = a[At(i, 1)], ai2 = a[At(i, 2)], ai3 = a[At(i, 3)];
        p[At(i, 0)] = ai0 * b[At(0, 0)] + ai1 * b[At(1, 0)] + ai2 * b[At(2, 0)] + ai3 * b[At(3, 0)];
        p[At(i, 1)] = ai0 * b[At(0, 1)] + ai1 * b[At(1, 1)] + ai2 * b[At(2, 1)] + ai3 * b[At(3, 1)];
        p[At(i, 2)] = ai0 * b[At(0, 2)] + ai1 * b[At(1, 2)] + ai2 * b[At(2, 2)] + ai3 * b[At(3, 2)];
        p[At(i, 3)] = ai0 * b[At(0, 3)] + ai1 * b[At(1, 3)] + ai2 * b[At(2, 3)] + ai3 * b[At(3, 3)];
    }
}

// p := a * b for an affine b, over the first three rows; the bottom row becomes 0 0 0 1.
// p may be a.
void Multiply34(float* p, const float* a, const float* b)
{
    for (int i = 0; i < 3; ++i) {
        const float ai0 = a[At(i, 0)], ai1 = a[At(i, 1)], ai2 = a[At(i, 2)], ai3 = a[At(i, 3)];
        p[At(i, 0)] = ai0 * b[At(0, 0)] + ai1 * b[At(1, 0)] + ai2 * b[At(2, 0)];
        p[At(i, 1)] = ai0 * b[At(0, 1)] + ai1 * b[At(1, 1)] + ai2 * b[At(2, 1)];
        p[At(i, 2)] = ai0 * b[At(0, 2)] + ai1 * b[At(1, 2)] + ai2 * b[At(2, 2)];
        p[At(i, 3)] = ai0 * b[At(0, 3)] + ai1 * b[At(1, 3)] + ai2 * b[At(2, 3)] + ai3;
    }
    p[At(3, 0)] = 0.0f;
    p[At(3, 1)] = 0.0f;
    p[At(3, 2)] = 0.0f;
    p[At(3, 3)] = 1.0f;
}

float Square(float x) { return x * x; }
float Dot2(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1]; }
float Dot3(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The singular-matrix test of the general inversion: Gaussian elimination with partial
// pivoting on the matrix (the columns of the identity beside it never decide anything).
bool IsInvertibleGeneral(const float* m)
{
    float rows[4][4];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            rows[r][c] = m[At(r, c)];
    float* r0 = rows[0];
    float* r1 = rows[1];
    float* r2 = rows[2];
    float* r3 = rows[3];
    auto swapRows = [](float*& a, float*& b) { std::swap(a, b); };

    if (std::fabs(r3[0]) > std::fabs(r2[0]))
        swapRows(r3, r2);
    if (std::fabs(r2[0]) > std::fabs(r1[0]))
        swapRows(r2, r1);
    if (std::fabs(r1[0]) > std::fabs(r0[0]))
        swapRows(r1, r0);
    if (r0[0] == 0.0f)
        return false;
    {
        const float m1 = r1[0] / r0[0], m2 = r2[0] / r0[0], m3 = r3[0] / r0[0];
        for (int c = 1; c < 4; ++c) {
            const float s = r0[c];
            r1[c] -= m1 * s;
            r2[c] -= m2 * s;
            r3[c] -= m3 * s;
        }
    }

    if (std::fabs(r3[1]) > std::fabs(r2[1]))
        swapRows(r3, r2);
    if (std::fabs(r2[1]) > std::fabs(r1[1]))
        swapRows(r2, r1);
    if (r1[1] == 0.0f)
        return false;
    {
        const float m2 = r2[1] / r1[1], m3 = r3[1] / r1[1];
        r2[2] -= m2 * r1[2];
        r3[2] -= m3 * r1[2];
        r2[3] -= m2 * r1[3];
        r3[3] -= m3 * r1[3];
    }

    if (std::fabs(r3[2]) > std::fabs(r2[2]))
        swapRows(r3, r2);
    if (r2[2] == 0.0f)
        return false;
    const float m3 = r3[2] / r2[2];
    r3[3] -= m3 * r2[3];
    return r3[3] != 0.0f;
}

// The singular-matrix test of the 3D inversion: the determinant of the upper 3x3, summed
// as positive and negative terms.
bool IsInvertible3DGeneral(const float* m)
{
    float positive = 0.0f, negative = 0.0f;
    const float terms[6] = {
        m[0] * m[5] * m[10],  m[1] * m[6] * m[8],   m[2] * m[4] * m[9],
        -m[2] * m[5] * m[8],  -m[1] * m[4] * m[10], -m[0] * m[6] * m[9],
    };
    for (float t : terms) {
        if (t >= 0.0f)
            positive += t;
        else
            negative += t;
    }
    const float determinant = positive + negative;
    return !(std::fabs(determinant) < 1e-25f);
}

}  // namespace

MatrixStack::MatrixStack() { m_entries.push_back(Entry{kIdentity, 0, Kind::Identity}); }

// Keeps what is known about the matrix other than its type, as OpenGL does.
void MatrixStack::LoadIdentity()
{
    Entry& top = m_entries.back();
    top.matrix = kIdentity;
    top.kind = Kind::Identity;
    top.flags &= ~kDirty;
}

void MatrixStack::LoadMatrix(const Matrix& m)
{
    Entry& top = m_entries.back();
    // OpenGL ignores a load of the matrix that is already there (same bits).
    if (std::memcmp(m.data(), top.matrix.data(), sizeof(Matrix)) == 0)
        return;
    top.matrix = m;
    top.flags = kGeneral | kDirty;
}

void MatrixStack::Translate(float x, float y, float z)
{
    Entry& top = m_entries.back();
    float* m = top.matrix.data();
    for (int r = 0; r < 4; ++r)
        m[12 + r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
    top.flags |= kTranslation | kDirtyType | kDirtyInverse;
}

void MatrixStack::Scale(float x, float y, float z)
{
    Entry& top = m_entries.back();
    float* m = top.matrix.data();
    for (int r = 0; r < 4; ++r) {
        m[r] *= x;
        m[4 + r] *= y;
        m[8 + r] *= z;
    }
    const bool uniform = std::fabs(x - y) < 1e-8f && std::fabs(x - z) < 1e-8f;
    top.flags |= (uniform ? kUniformScale : kGeneralScale) | kDirtyType | kDirtyInverse;
}

void MatrixStack::Rotate(float angleDegrees, float x, float y, float z)
{
    if (angleDegrees == 0.0f)
        return;
    // One rounding from the double product and quotient; sine and cosine of the float.
    const float radians = static_cast<float>(static_cast<double>(angleDegrees) * std::numbers::pi / 180.0);
    const float s = std::sin(radians);
    const float c = std::cos(radians);

    Matrix r = kIdentity;
    bool principal = false;
    if (x == 0.0f) {
        if (y == 0.0f) {
            if (z != 0.0f) {
                principal = true;
                r[At(0, 0)] = c;
                r[At(1, 1)] = c;
                r[At(0, 1)] = z < 0.0f ? s : -s;
                r[At(1, 0)] = z < 0.0f ? -s : s;
            }
        } else if (z == 0.0f) {
            principal = true;
            r[At(0, 0)] = c;
            r[At(2, 2)] = c;
            r[At(0, 2)] = y < 0.0f ? -s : s;
            r[At(2, 0)] = y < 0.0f ? s : -s;
        }
    } else if (y == 0.0f && z == 0.0f) {
        principal = true;
        r[At(1, 1)] = c;
        r[At(2, 2)] = c;
        r[At(1, 2)] = x < 0.0f ? s : -s;
        r[At(2, 1)] = x < 0.0f ? -s : s;
    }

    if (!principal) {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= 1.0e-4f)
            return;
        x /= length;
        y /= length;
        z /= length;
        const float xx = x * x, yy = y * y, zz = z * z;
        const float xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s;
        const float oneMinusC = 1.0f - c;
        r[At(0, 0)] = (oneMinusC * xx) + c;
        r[At(0, 1)] = (oneMinusC * xy) - zs;
        r[At(0, 2)] = (oneMinusC * zx) + ys;
        r[At(1, 0)] = (oneMinusC * xy) + zs;
        r[At(1, 1)] = (oneMinusC * yy) + c;
        r[At(1, 2)] = (oneMinusC * yz) - xs;
        r[At(2, 0)] = (oneMinusC * zx) - ys;
        r[At(2, 1)] = (oneMinusC * yz) + xs;
        r[At(2, 2)] = (oneMinusC * zz) + c;
    }
    MultiplyRotation(r);
}

void MatrixStack::MultiplyRotation(const Matrix& r)
{
    Entry& top = m_entries.back();
    top.flags |= kRotation | kDirtyType | kDirtyInverse;
    if (OnlyFlags(top.flags, kAffine3D))
        Multiply34(top.matrix.data(), top.matrix.data(), r.data());
    else
        Multiply4(top.matrix.data(), top.matrix.data(), r.data());
}

void MatrixStack::MultMatrix(const Matrix& m)
{
    // OpenGL skips a multiplication by the identity (same bits: -0 counts as different).
    if (std::memcmp(m.data(), kIdentity.data(), sizeof(Matrix)) == 0)
        return;
    Entry& top = m_entries.back();
    top.flags |= kGeneral | kDirtyType | kDirtyInverse | kDirtyFlags;
    Multiply4(top.matrix.data(), top.matrix.data(), m.data());
}

// OpenGL brings the matrix's bookkeeping up to date before it copies it.
void MatrixStack::Push()
{
    if (m_entries.back().flags & kDirty)
        Analyse(m_entries.back());
    m_entries.push_back(m_entries.back());
}

void MatrixStack::Pop()
{
    if (m_entries.size() > 1)
        m_entries.pop_back();
}

void MatrixStack::Analyse(Entry& entry)
{
    if (entry.flags & kDirtyType) {
        if (entry.flags & kDirtyFlags)
            AnalyseFromScratch(entry);
        else
            AnalyseFromFlags(entry);
    }
    if (entry.flags & kDirtyInverse) {
        if (IsInvertible(entry))
            entry.flags &= ~kSingular;
        else
            entry.flags |= kSingular;
        entry.flags &= ~kDirtyInverse;
    }
    entry.flags &= ~(kDirtyFlags | kDirtyType);
}

// The matrix kind and flags from the values alone (after a load or a multiplication).
void MatrixStack::AnalyseFromScratch(Entry& entry)
{
    const float* m = entry.matrix.data();
    auto zero = [](int i) { return 1u << i; };
    auto one = [](int i) { return 1u << (i + 16); };
    std::uint32_t mask = 0;
    for (int i = 0; i < 16; ++i)
        if (m[i] == 0.0f)
            mask |= zero(i);
    for (int i : {0, 5, 10, 15})
        if (m[i] == 1.0f)
            mask |= one(i);

    const std::uint32_t noTranslation = zero(12) | zero(13) | zero(14);
    const std::uint32_t no2DScale = one(0) | one(5);
    const std::uint32_t bottomRow = zero(3) | zero(7) | zero(11) | one(15);
    const std::uint32_t identity = one(0) | zero(4) | zero(8) | zero(12) | zero(1) | one(5) | zero(9) | zero(13) |
                                   zero(2) | zero(6) | one(10) | zero(14) | bottomRow;
    const std::uint32_t noRotation2D = zero(4) | zero(8) | zero(1) | zero(9) | zero(2) | zero(6) | one(10) | zero(14) |
                                       bottomRow;
    const std::uint32_t plane2D = zero(8) | zero(9) | zero(2) | zero(6) | one(10) | zero(14) | bottomRow;
    const std::uint32_t noRotation3D = zero(4) | zero(8) | zero(1) | zero(9) | zero(2) | zero(6) | bottomRow;
    const std::uint32_t affine3D = bottomRow;
    const std::uint32_t perspective = zero(4) | zero(12) | zero(1) | zero(13) | zero(2) | zero(6) | zero(3) |
                                      zero(7) | zero(15);
    const float tolerance = Square(1e-6f);

    std::uint32_t& flags = entry.flags;
    flags &= ~kGeometry;
    if ((mask & noTranslation) != noTranslation)
        flags |= kTranslation;

    if (mask == identity) {
        entry.kind = Kind::Identity;
    } else if ((mask & noRotation2D) == noRotation2D) {
        entry.kind = Kind::NoRotation2D;
        if ((mask & no2DScale) != no2DScale)
            flags |= kGeneralScale;
    } else if ((mask & plane2D) == plane2D) {
        const float mm = Dot2(m, m), m4m4 = Dot2(m + 4, m + 4), mm4 = Dot2(m, m + 4);
        entry.kind = Kind::Plane2D;
        if (Square(mm - 1) > tolerance || Square(m4m4 - 1) > tolerance)
            flags |= kGeneralScale;
        flags |= Square(mm4) > tolerance ? kGeneral3D : kRotation;
    } else if ((mask & noRotation3D) == noRotation3D) {
        entry.kind = Kind::NoRotation3D;
        if (Square(m[0] - m[5]) < tolerance && Square(m[0] - m[10]) < tolerance) {
            if (Square(m[0] - 1.0f) > tolerance)
                flags |= kUniformScale;
        } else {
            flags |= kGeneralScale;
        }
    } else if ((mask & affine3D) == affine3D) {
        const float c1 = Dot3(m, m), c2 = Dot3(m + 4, m + 4), c3 = Dot3(m + 8, m + 8), d1 = Dot3(m, m + 4);
        entry.kind = Kind::Affine3D;
        if (Square(c1 - c2) < tolerance && Square(c1 - c3) < tolerance) {
            if (Square(c1 - 1.0f) > tolerance)
                flags |= kUniformScale;
        } else {
            flags |= kGeneralScale;
        }
        if (Square(d1) < tolerance) {
            // Is the third column the cross product of the first two?
            float cp[3] = {m[1] * m[6] - m[2] * m[5], m[2] * m[4] - m[0] * m[6], m[0] * m[5] - m[1] * m[4]};
            for (int i = 0; i < 3; ++i)
                cp[i] = cp[i] - m[8 + i];
            flags |= Dot3(cp, cp) < tolerance ? kRotation : kGeneral3D;
        } else {
            flags |= kGeneral3D;
        }
    } else if ((mask & perspective) == perspective && m[11] == -1.0f) {
        entry.kind = Kind::Perspective;
        flags |= kGeneral;
    } else {
        entry.kind = Kind::General;
        flags |= kGeneral;
    }
}

// The matrix kind from the flags the operations left, with a few checks of the values.
void MatrixStack::AnalyseFromFlags(Entry& entry)
{
    const float* m = entry.matrix.data();
    const std::uint32_t flags = entry.flags;
    if (OnlyFlags(flags, 0)) {
        entry.kind = Kind::Identity;
    } else if (OnlyFlags(flags, kTranslation | kUniformScale | kGeneralScale)) {
        entry.kind = m[10] == 1.0f && m[14] == 0.0f ? Kind::NoRotation2D : Kind::NoRotation3D;
    } else if (OnlyFlags(flags, kAffine3D)) {
        const bool flat = m[8] == 0.0f && m[9] == 0.0f && m[2] == 0.0f && m[6] == 0.0f && m[10] == 1.0f &&
                          m[14] == 0.0f;
        entry.kind = flat ? Kind::Plane2D : Kind::Affine3D;
    } else if (m[4] == 0.0f && m[12] == 0.0f && m[1] == 0.0f && m[13] == 0.0f && m[2] == 0.0f && m[6] == 0.0f &&
               m[3] == 0.0f && m[7] == 0.0f && m[11] == -1.0f && m[15] == 0.0f) {
        entry.kind = Kind::Perspective;
    } else {
        entry.kind = Kind::General;
    }
}

// Whether the inversion OpenGL picks for this kind of matrix succeeds.
bool MatrixStack::IsInvertible(const Entry& entry)
{
    const float* m = entry.matrix.data();
    switch (entry.kind) {
    case Kind::Identity:
        return true;
    case Kind::NoRotation3D:
        return !(m[0] == 0.0f || m[5] == 0.0f || m[10] == 0.0f);
    case Kind::NoRotation2D:
        return !(m[0] == 0.0f || m[5] == 0.0f);
    case Kind::Plane2D:
    case Kind::Affine3D:
        if (!OnlyFlags(entry.flags, kAnglePreserving))
            return IsInvertible3DGeneral(m);
        if (entry.flags & kUniformScale)
            return (m[0] * m[0] + m[4] * m[4] + m[8] * m[8]) != 0.0f;
        return true;
    case Kind::General:
    case Kind::Perspective:
        break;
    }
    return IsInvertibleGeneral(m);
}
