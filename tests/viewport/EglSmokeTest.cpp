#include "glsupport/EglContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

TEST(EglContext, ClearsAndReadsBack)
{
    EglContext context(16, 16);
    ASSERT_TRUE(context.ok());
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {};
    glReadPixels(4, 4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);
}
