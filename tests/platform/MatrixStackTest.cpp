// The CPU matrix stack without a rendering context (its agreement with OpenGL is checked
// against Mesa in the viewport tests).
#include "platform/MatrixStack.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using Matrix = MatrixStack::Matrix;
constexpr Matrix kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}  // namespace

// A turn about a principal axis touches only its plane: every other entry stays exactly 0
// or 1. A zero angle, or an axis too short to normalise, does nothing.
TEST(MatrixStack, PrincipalRotationsAndNoOps)
{
    MatrixStack stack;
    stack.Rotate(90, 0, 0, 1);
    const Matrix& m = stack.Top();
    EXPECT_EQ(m[1], 1.0f);
    EXPECT_EQ(m[4], -1.0f);
    EXPECT_NEAR(m[0], 0.0f, 1e-7f);
    for (int i : {2, 3, 6, 7, 8, 9, 11, 12, 13, 14})
        EXPECT_EQ(m[i], 0.0f) << i;
    EXPECT_EQ(m[10], 1.0f);
    EXPECT_EQ(m[15], 1.0f);

    MatrixStack other;
    other.Rotate(0.0f, 1, 0, 0);
    other.Rotate(-0.0f, 0, 1, 0);
    other.Rotate(45, 5e-5f, 5e-5f, 0);
    EXPECT_EQ(other.Top(), kIdentity);
    // A principal axis of any length or sign: -X turns the other way.
    other.Rotate(30, -4, 0, 0);
    MatrixStack reference;
    reference.Rotate(-30, 1, 0, 0);
    EXPECT_EQ(other.Top(), reference.Top());
}

// Push copies, pop restores, a pop of the last matrix does nothing, and the depth is not
// limited.
TEST(MatrixStack, PushPopWithoutDepthLimit)
{
    MatrixStack stack;
    stack.Translate(1, 2, 3);
    const Matrix base = stack.Top();
    for (int i = 0; i < 1000; ++i) {
        stack.Push();
        stack.Translate(1, 0, 0);
    }
    EXPECT_EQ(stack.Depth(), 1001u);
    EXPECT_EQ(stack.Top()[12], 1001.0f);
    for (int i = 0; i < 1000; ++i)
        stack.Pop();
    EXPECT_EQ(stack.Top(), base);
    stack.Pop();
    EXPECT_EQ(stack.Depth(), 1u);
    EXPECT_EQ(stack.Top(), base);
    stack.LoadIdentity();
    EXPECT_EQ(stack.Top(), kIdentity);
}

// Translate, scale and multiply in the post-multiplying order: M = M * X.
TEST(MatrixStack, OperationsPostMultiply)
{
    MatrixStack stack;
    stack.Scale(2, 3, 4);
    stack.Translate(1, 1, 1);  // in the scaled space
    EXPECT_EQ(stack.Top()[12], 2.0f);
    EXPECT_EQ(stack.Top()[13], 3.0f);
    EXPECT_EQ(stack.Top()[14], 4.0f);
    stack.MultMatrix({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1});
    EXPECT_EQ(stack.Top()[12], 12.0f);
    stack.LoadMatrix(kIdentity);
    EXPECT_EQ(stack.Top(), kIdentity);
}
