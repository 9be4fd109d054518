#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include <gtest/gtest.h>
TEST(Smoke, SceneStartsWithOneAnimation) { EXPECT_EQ(g_scene.m_animationNames.size(), 1u); }
