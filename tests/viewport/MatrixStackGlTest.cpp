// The CPU matrix stack against the real fixed-function model-view stack (Mesa on an
// offscreen EGL context): every matrix read back must be the same bits, signed zeros
// included.
#include "glsupport/EglContext.h"
#include "platform/MatrixStack.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

namespace {

using Matrix = MatrixStack::Matrix;

// Runs every operation on both stacks and compares the two tops after each one.
class TwinStacks {
public:
    explicit TwinStacks(std::uint32_t seed) : m_rng(seed)
    {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    void LoadIdentity()
    {
        glLoadIdentity();
        m_cpu.LoadIdentity();
        Check("I");
    }
    void LoadMatrix(const Matrix& m)
    {
        glLoadMatrixf(m.data());
        m_cpu.LoadMatrix(m);
        Check("L");
    }
    void Translate(float x, float y, float z)
    {
        glTranslatef(x, y, z);
        m_cpu.Translate(x, y, z);
        Check("T");
    }
    void Rotate(float a, float x, float y, float z)
    {
        glRotatef(a, x, y, z);
        m_cpu.Rotate(a, x, y, z);
        Check("R" + std::to_string(a));
    }
    void Scale(float x, float y, float z)
    {
        glScalef(x, y, z);
        m_cpu.Scale(x, y, z);
        Check("S(" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(z) + ")");
    }
    void MultMatrix(const Matrix& m)
    {
        glMultMatrixf(m.data());
        m_cpu.MultMatrix(m);
        Check("M");
    }
    void Push()
    {
        glPushMatrix();
        m_cpu.Push();
        Check("(");
    }
    void Pop()
    {
        glPopMatrix();
        m_cpu.Pop();
        Check(")");
    }

    std::size_t Depth() const { return m_cpu.Depth(); }
    const Matrix& CpuTop() const { return m_cpu.Top(); }
    bool Failed() const { return m_failed; }
    int Reads() const { return m_reads; }
    int NegativeZeros() const { return m_negativeZeros; }
    void StartChain() { m_log.clear(); }
    std::mt19937& Rng() { return m_rng; }

private:
    // Compares the tops bit for bit (so 0 and -0 differ); reports the first difference only.
    void Check(const std::string& op)
    {
        if (m_log.size() < 2000)
            m_log += op + " ";
        if (m_failed)
            return;
        ++m_reads;
        Matrix gl{};
        glGetFloatv(GL_MODELVIEW_MATRIX, gl.data());
        const Matrix& cpu = m_cpu.Top();
        for (int i = 0; i < 16; ++i) {
            const std::uint32_t glBits = std::bit_cast<std::uint32_t>(gl[i]);
            const std::uint32_t cpuBits = std::bit_cast<std::uint32_t>(cpu[i]);
            if (glBits != cpuBits) {
                ADD_FAILURE() << "element " << i << ": GL " << gl[i] << " (0x" << std::hex << glBits << "), CPU "
                              << cpu[i] << " (0x" << cpuBits << std::dec << ") after " << m_log;
                m_failed = true;
                return;
            }
            if (gl[i] == 0.0f && std::signbit(gl[i]))
                ++m_negativeZeros;
        }
    }

    MatrixStack m_cpu;
    std::mt19937 m_rng;
    std::string m_log;
    int m_reads = 0;
    int m_negativeZeros = 0;
    bool m_failed = false;
};

float Uniform(std::mt19937& rng, float lo, float hi)
{
    return static_cast<float>(lo + (hi - lo) * (rng() / 4294967296.0));
}

int Pick(std::mt19937& rng, int n) { return static_cast<int>(rng() % static_cast<std::uint32_t>(n)); }

// Angles as an animator types them or a drag produces them, with the awkward ones mixed in.
float Angle(std::mt19937& rng)
{
    static const float special[] = {0.0f, -0.0f, 90.0f, -90.0f, 180.0f, -180.0f, 270.0f, 360.0f,
                                    45.0f, 30.0f, -30.0f, 1e-6f, 720.5f, 123456.0f, 0.1f};
    switch (Pick(rng, 4)) {
    case 0:
        return special[Pick(rng, std::size(special))];
    case 1:
        return static_cast<float>(Pick(rng, 721) - 360);
    default:
        return Uniform(rng, -400.0f, 400.0f);
    }
}

float Length(std::mt19937& rng)
{
    switch (Pick(rng, 6)) {
    case 0:
        return 0.0f;
    case 1:
        return -0.0f;
    case 2:
        return static_cast<float>(Pick(rng, 201) - 100);
    default:
        return Uniform(rng, -500.0f, 500.0f);
    }
}

float Factor(std::mt19937& rng)
{
    // Zero hides a part; tiny factors sit on either side of the singular-matrix tests.
    static const float special[] = {1.0f, -1.0f, 0.0f, -0.0f, 2.0f, 0.5f, 1e-9f, 1e-5f, 1.000000001f, 0.9999999f};
    return Pick(rng, 3) == 0 ? special[Pick(rng, std::size(special))] : Uniform(rng, -3.0f, 3.0f);
}

Matrix RandomMatrix(std::mt19937& rng)
{
    Matrix m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    switch (Pick(rng, 6)) {
    case 0:
        return m;  // the exact identity
    case 3:        // a projection
        m[0] = Uniform(rng, 0.5f, 2.0f);
        m[5] = Uniform(rng, 0.5f, 2.0f);
        m[10] = Uniform(rng, -2.0f, -1.0f);
        m[11] = -1.0f;
        m[14] = Uniform(rng, -3.0f, -1.0f);
        m[15] = 0.0f;
        return m;
    case 4:  // a flat one: rotation or shear in the XY plane, scale, translation
        m[0] = Uniform(rng, -2.0f, 2.0f);
        m[1] = Uniform(rng, -2.0f, 2.0f);
        m[4] = Pick(rng, 2) ? -m[1] : Uniform(rng, -2.0f, 2.0f);
        m[5] = Pick(rng, 2) ? m[0] : Uniform(rng, -2.0f, 2.0f);
        m[12] = Length(rng);
        return m;
    case 5:  // a scale and translation only, sometimes uniform, sometimes singular
        m[0] = Factor(rng);
        m[5] = Pick(rng, 2) ? m[0] : Factor(rng);
        m[10] = Pick(rng, 2) ? m[0] : Factor(rng);
        m[12] = Length(rng);
        return m;
    case 1:  // an affine matrix with the usual zeros
        for (int i : {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14})
            m[i] = Uniform(rng, -2.0f, 2.0f);
        return m;
    default:  // anything
        for (float& v : m)
            v = Uniform(rng, -2.0f, 2.0f);
        return m;
    }
}

// The transform of one bone sample, the way posing composes it.
void PoseStep(TwinStacks& s, std::mt19937& rng)
{
    const float scale = Pick(rng, 2) ? 1.0f : Uniform(rng, 0.01f, 100.0f);
    const float hx = Length(rng), hy = Length(rng), hz = Length(rng);
    s.Push();
    s.Translate(scale * Length(rng) + scale * hx, scale * Length(rng) + scale * hy, scale * Length(rng) + scale * hz);
    s.Rotate(Angle(rng), 1.0f, 0.0f, 0.0f);
    s.Rotate(Angle(rng), 0.0f, 1.0f, 0.0f);
    s.Rotate(Angle(rng), 0.0f, 0.0f, 1.0f);
    s.Scale(Factor(rng), Factor(rng), Factor(rng));
    s.Translate(-scale * hx, -scale * hy, -scale * hz);
}

void OtherStep(TwinStacks& s, std::mt19937& rng)
{
    switch (Pick(rng, 9)) {
    case 0: {  // a principal axis given with a sign or a length other than 1
        const float v = Pick(rng, 2) ? -1.0f : Uniform(rng, -3.0f, 3.0f);
        const int axis = Pick(rng, 3);
        s.Rotate(Angle(rng), axis == 0 ? v : 0.0f, axis == 1 ? v : 0.0f, axis == 2 ? v : 0.0f);
        break;
    }
    case 1:
        s.Rotate(Angle(rng), Uniform(rng, -1, 1), Uniform(rng, -1, 1), Uniform(rng, -1, 1));
        break;
    case 2:  // an axis too short to normalise, or the zero axis
        s.Rotate(Angle(rng), Uniform(rng, -5e-5f, 5e-5f), Uniform(rng, -5e-5f, 5e-5f), 0.0f);
        break;
    case 3:
        s.MultMatrix(RandomMatrix(rng));
        break;
    case 4:
        s.LoadIdentity();
        break;
    case 5:
        s.LoadMatrix(Pick(rng, 2) ? s.CpuTop() : RandomMatrix(rng));
        break;
    case 6:
        s.Scale(Factor(rng), Factor(rng), Factor(rng));
        break;
    case 7:
        s.Translate(Length(rng), Length(rng), Length(rng));
        break;
    default:
        s.Scale(1.0f, 1.0f, -1.0f);  // the comma-separated export's mirror before a multiply
        break;
    }
}

}  // namespace

TEST(MatrixStackAgainstOpenGl, RandomPoseChainsGiveTheSameBits)
{
    EglContext context(16, 16);
    ASSERT_TRUE(context.ok());
    TwinStacks stacks(20240611u);
    std::mt19937& rng = stacks.Rng();
    constexpr int kChains = 4000;
    for (int chain = 0; chain < kChains && !stacks.Failed(); ++chain) {
        stacks.StartChain();
        const bool plainPose = chain % 2 == 0;  // half the chains are pure bone walks
        if (plainPose || Pick(rng, 2))
            stacks.LoadIdentity();
        const int steps = 1 + Pick(rng, 40);
        for (int step = 0; step < steps; ++step) {
            // Stay below Mesa's 32 matrices (the CPU stack has no limit).
            if (stacks.Depth() < 30 && (plainPose || Pick(rng, 3) != 0))
                PoseStep(stacks, rng);
            else if (!plainPose)
                OtherStep(stacks, rng);
            if (stacks.Depth() > 1 && Pick(rng, 3) == 0)
                stacks.Pop();
        }
        while (stacks.Depth() > 1)
            stacks.Pop();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_GT(stacks.Reads(), 200000);
    // The chains must exercise signed zeros for the comparison to mean anything.
    EXPECT_GT(stacks.NegativeZeros(), 10000);
}

// A pop at the bottom does nothing on either stack; a multiplication switches rotations to
// the full product, which survives load identity, push and pop.
TEST(MatrixStackAgainstOpenGl, UnderflowAndMultiplyMark)
{
    EglContext context(16, 16);
    ASSERT_TRUE(context.ok());
    TwinStacks stacks(7u);
    stacks.Translate(1, 2, 3);
    stacks.Pop();
    glGetError();  // the underflow GL reports

    stacks.Push();
    stacks.Scale(0, 1, 1);
    stacks.Push();
    stacks.Rotate(90, 1, 0, 0);
    stacks.Rotate(-30, 0, 1, 0);
    stacks.Pop();
    stacks.Pop();

    stacks.MultMatrix({0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    stacks.LoadIdentity();
    stacks.Push();
    stacks.Scale(-1, 1, -1);
    stacks.Rotate(90, 1, 0, 0);
    stacks.Rotate(180, 0, 1, 0);
    stacks.Pop();
    stacks.Rotate(90, 0, 0, -1);
    EXPECT_FALSE(stacks.Failed());
}
