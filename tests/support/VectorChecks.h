// Checks of vectors that the program writes afresh.
#pragma once

#include "scene/CVector.h"

#include <gtest/gtest.h>

namespace testsupport {

// x, y and z as given; weight 1, no bone, no mark.
inline void ExpectDefaultVector(const CVector& v, float x, float y, float z)
{
    EXPECT_EQ(v.m_x, x);
    EXPECT_EQ(v.m_y, y);
    EXPECT_EQ(v.m_z, z);
    EXPECT_EQ(v.m_weight, 1.0f);
    EXPECT_EQ(v.m_boneIndex, -1);
    EXPECT_EQ(v.m_mark, 0);
}

}  // namespace testsupport
