// A model-view matrix stack on the CPU that computes exactly what the fixed-function
// OpenGL stack of Mesa computes (glLoadIdentity, glLoadMatrixf, glTranslatef, glRotatef,
// glScalef, glMultMatrixf, glPushMatrix, glPopMatrix, glGetFloatv(GL_MODELVIEW_MATRIX)),
// bit for bit, so that posing and export need no rendering context. It has no depth limit.
//
// Matrices are column-major float[16]: element (row r, column c) is at index c * 4 + r, the
// translation is in elements 12, 13 and 14. Every operation post-multiplies the top
// (M := M * X), as OpenGL does. The results match OpenGL only when this file is built
// without fused multiply-add and without fast-math (the build sets -ffp-contract=off).
//
// Besides the arithmetic, the stack keeps Mesa's bookkeeping of what kind of matrix each
// entry holds (rotation, scale, general, singular...), updated at the same moments (every
// operation, and the analysis Mesa runs when a matrix is pushed). It decides whether a
// rotation uses the 3x4 or the full 4x4 product, which changes the signs of zeros: after a
// load or a multiplication rotations use the full product until a push finds the matrix
// affine again, and after a push that finds a matrix singular (a zero scale) they use it on
// that matrix and its copies. A fresh stack starts as a fresh context does.
//
// A fresh stack holds one identity matrix. To hand a result to OpenGL, load Top() with
// glLoadMatrixf or multiply the current GL matrix by it with glMultMatrixf.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class MatrixStack {
public:
    using Matrix = std::array<float, 16>;

    MatrixStack();

    // The top := the identity.
    void LoadIdentity();
    // The top := m (nothing when it already holds these bits, as in OpenGL).
    void LoadMatrix(const Matrix& m);
    // The top := top * translation(x, y, z).
    void Translate(float x, float y, float z);
    // The top := top * rotation by angleDegrees about the axis (x, y, z). An angle of 0 does
    // nothing; so does an axis shorter than 1e-4 (other than a principal axis).
    void Rotate(float angleDegrees, float x, float y, float z);
    // The top := top * scaling(x, y, z).
    void Scale(float x, float y, float z);
    // The top := top * m (full 4x4 product; nothing for the identity's exact bits).
    void MultMatrix(const Matrix& m);
    // Pushes a copy of the top (after bringing its bookkeeping up to date, as OpenGL does).
    void Push();
    // Drops the top; with one matrix left it does nothing (OpenGL's stack underflow).
    void Pop();

    // The current matrix, as glGetFloatv(GL_MODELVIEW_MATRIX) reads it.
    const Matrix& Top() const { return m_entries.back().matrix; }
    // Number of matrices on the stack (1 for a fresh stack).
    std::size_t Depth() const { return m_entries.size(); }

private:
    // What Mesa believes a matrix to be (its type), used to pick the inversion, and so the
    // test for a singular matrix, when a matrix is analysed.
    enum class Kind { General, Identity, NoRotation3D, Perspective, Plane2D, NoRotation2D, Affine3D };

    struct Entry {
        Matrix matrix;
        std::uint32_t flags = 0;  // Mesa's flag bits (see MatrixStack.cpp)
        Kind kind = Kind::Identity;
    };

    void MultiplyRotation(const Matrix& r);
    static void Analyse(Entry& entry);
    static void AnalyseFromScratch(Entry& entry);
    static void AnalyseFromFlags(Entry& entry);
    static bool IsInvertible(const Entry& entry);

    std::vector<Entry> m_entries;
};
