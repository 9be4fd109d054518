// Face edges handed to OpenGL, read back through the feedback buffer.
#include "glsupport/EglContext.h"
#include "scene/CModel.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Runs draw inside glBegin(GL_LINES) in feedback mode and returns the buffer (3D positions).
std::vector<GLfloat> Feedback(const std::function<void()>& draw)
{
    std::vector<GLfloat> buffer(256);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glBegin(GL_LINES);
    draw();
    glEnd();
    const GLint used = glRenderMode(GL_RENDER);
    buffer.resize(used > 0 ? static_cast<std::size_t>(used) : 0);
    return buffer;
}

}  // namespace

TEST(ModelEdges, EmitsTheDeformedCornersInOrderAndSkipsMissingOnes)
{
    EglContext context(100, 100);
    ASSERT_TRUE(context.ok());
    glViewport(0, 0, 100, 100);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    CModel model;
    model.m_vertices = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    model.m_deformedVertices = {{-1, -1, 0}, {0.5f, 0, 0}, {0, 1, 0}};
    CFace face;
    face.m_indices = {0, 1, 2, 7};
    model.m_faces = {face};

    // Window coordinates: x = (ndc + 1) * 50.
    const std::vector<GLfloat> line = Feedback([&] { model.EmitEdge(0, 2, 1); });
    ASSERT_EQ(line.size(), 7u);
    EXPECT_EQ(line[0], static_cast<GLfloat>(GL_LINE_TOKEN));
    EXPECT_FLOAT_EQ(line[1], 50.0f);   // corner 2 first
    EXPECT_FLOAT_EQ(line[2], 100.0f);
    EXPECT_FLOAT_EQ(line[4], 75.0f);   // then corner 1
    EXPECT_FLOAT_EQ(line[5], 50.0f);

    // A corner naming a missing vertex, a corner or a face the model lacks: nothing at all.
    EXPECT_TRUE(Feedback([&] {
                    model.EmitEdge(0, 0, 3);
                    model.EmitEdge(0, 0, 4);
                    model.EmitEdge(0, -1, 0);
                    model.EmitEdge(1, 0, 1);
                }).empty());
}
