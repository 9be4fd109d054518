// Key-frame in-betweening: linear and Hermite.
#include "scene/CAnimation.h"
#include "scene/CBone.h"
#include "scene/CCentigrade.h"
#include "scene/CVector.h"

#include <cstddef>
#include <vector>

namespace {

// The nine interpolated values of a sample: x, y, z of translation, rotation and scale.
constexpr int kValues = 9;
using Values = float[kValues];

void Read(const CAnimation& sample, Values& v)
{
    const CVector* vectors[3] = {&sample.m_translate, &sample.m_rotate, &sample.m_scale};
    for (int k = 0; k < 3; ++k) {
        v[3 * k] = vectors[k]->m_x;
        v[3 * k + 1] = vectors[k]->m_y;
        v[3 * k + 2] = vectors[k]->m_z;
    }
}

// Stores the values and resets the housekeeping fields; the key flag stays.
void Write(CAnimation& sample, const Values& v)
{
    CVector* vectors[3] = {&sample.m_translate, &sample.m_rotate, &sample.m_scale};
    for (int k = 0; k < 3; ++k) {
        CVector& out = *vectors[k];
        out.m_x = v[3 * k];
        out.m_y = v[3 * k + 1];
        out.m_z = v[3 * k + 2];
        out.m_weight = 1.0f;
        out.m_boneIndex = -1;
        out.m_mark = 0;
    }
}

// Every sample after `from` copies the three vectors of sample `from` (not its key flag).
void CopyToEnd(std::vector<CAnimation>& samples, std::size_t from)
{
    for (std::size_t f = from + 1; f < samples.size(); ++f)
        samples[f].CopyPose(samples[from]);
}

void InterpolateLinearSamples(std::vector<CAnimation>& samples)
{
    if (samples.empty())
        return;
    std::size_t begin = 0;  // frame 0 opens the first segment, key or not
    for (std::size_t end = 1; end < samples.size(); ++end) {
        if (!samples[end].m_key)
            continue;
        if (end - begin > 1) {
            Values first, last, difference, value;
            Read(samples[begin], first);
            Read(samples[end], last);
            for (int k = 0; k < kValues; ++k)
                difference[k] = last[k] - first[k];
            const float span = static_cast<float>(end - begin);
            for (std::size_t f = begin + 1; f < end; ++f) {
                const float along = static_cast<float>(end - f);
                for (int k = 0; k < kValues; ++k)
                    value[k] = last[k] - difference[k] * along / span;
                Write(samples[f], value);
            }
        }
        begin = end;
    }
    CopyToEnd(samples, begin);
}

// The Hermite basis at t.
struct HermiteBasis {
    float h00, h10, h01, h11;
    explicit HermiteBasis(float t)
    {
        const float t2 = t * t;
        const float t3 = t2 * t;
        h00 = 2 * t3 - 3 * t2 + 1;
        h10 = t3 - 2 * t2 + t;
        h01 = 3 * t2 - 2 * t3;
        h11 = t3 - t2;
    }
};

// The tangent at `here` between `before` and `after`: half of (after - before), formed as
// ((here - before) + after) - here.
inline float Tangent(float before, float here, float after) { return 0.5f * (((here - before) + after) - here); }

inline float HermiteValue(const HermiteBasis& h, float p0, float p1, float m0, float m1)
{
    return m0 * h.h10 + p0 * h.h00 + m1 * h.h11 + h.h01 * p1;
}

void InterpolateHermiteSamples(std::vector<CAnimation>& samples)
{
    const std::size_t count = samples.size();
    std::size_t last = count;
    for (std::size_t f = count; f-- > 0;) {
        if (samples[f].m_key) {
            last = f;
            break;
        }
    }
    if (last == count)
        return;  // no key: nothing to interpolate from
    std::size_t key = 0;
    while (!samples[key].m_key)
        ++key;
    auto nextKey = [&samples, count](std::size_t after) {
        for (std::size_t f = after + 1; f < count; ++f)
            if (samples[f].m_key)
                return f;
        return count;
    };

    std::size_t previous = last;  // the animation is a cycle: the last key precedes the first
    for (std::size_t end = nextKey(key); end < count; end = nextKey(key)) {
        const std::size_t afterEnd = nextKey(end);
        const std::size_t next = afterEnd < count ? afterEnd : 0;
        Values p0, p1, before, after, m0, m1, value;
        Read(samples[key], p0);
        Read(samples[end], p1);
        Read(samples[previous], before);
        Read(samples[next], after);
        for (int k = 0; k < kValues; ++k) {
            m0[k] = Tangent(before[k], p0[k], p1[k]);
            m1[k] = Tangent(p0[k], p1[k], after[k]);
        }
        const std::size_t span = end - key;
        for (std::size_t i = 0; i <= span; ++i) {
            const HermiteBasis h(static_cast<float>(i) / static_cast<float>(span));
            for (int k = 0; k < kValues; ++k)
                value[k] = HermiteValue(h, p0[k], p1[k], m0[k], m1[k]);
            Write(samples[key + i], value);
        }
        previous = key;
        key = end;
    }
    CopyToEnd(samples, key);
}

}  // namespace

void CBone::InterpolateLinear()
{
    for (std::vector<CAnimation>& samples : m_animations)
        InterpolateLinearSamples(samples);
}

void CBone::InterpolateHermite()
{
    for (std::vector<CAnimation>& samples : m_animations)
        InterpolateHermiteSamples(samples);
}

CVector HermitePoint(const CVector& previous, const CVector& start, const CVector& end, const CVector& next, float t)
{
    const HermiteBasis h(t);
    auto component = [&h](float before, float p0, float p1, float after) {
        return HermiteValue(h, p0, p1, Tangent(before, p0, p1), Tangent(p0, p1, after));
    };
    return CVector(component(previous.m_x, start.m_x, end.m_x, next.m_x),
                   component(previous.m_y, start.m_y, end.m_y, next.m_y),
                   component(previous.m_z, start.m_z, end.m_z, next.m_z));
}

void CCentigrade::InterpolateAllBones()
{
    for (CBone& bone : m_bones) {
        if (m_hermite)
            bone.InterpolateHermite();
        else
            bone.InterpolateLinear();
    }
}
