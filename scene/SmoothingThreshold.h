// The smoothing test between two face normals, made cheap.
//
// Two faces are smoothed together when threshold > (float)acos((double)dot), dot being the
// single-precision dot product of their unit normals. A dot product that rounds beyond +-1
// has no angle (NaN) and never passes. Calling acos for every pair of faces at a vertex
// dominates the normal computation, so this class settles most dot products by comparing
// them with two precomputed cosines and calls acos only in a narrow band around the
// threshold, where the two could disagree.
//
// Why the shortcut gives the same answers: acos falls monotonically, and the library's acos
// is accurate to about 1e-16, while the band reaches kMargin = 1e-5 radians either side of
// the threshold, far more than the half float step (at most 1.2e-7 below pi) that rounding
// to single precision can add. A dot product above the band has an angle well below the
// threshold, one below the band an angle well above it.
#pragma once

#include <cmath>

class SmoothingThreshold {
public:
    // threshold: the smoothing angle in radians (single precision).
    explicit SmoothingThreshold(float threshold) : m_threshold(threshold)
    {
        constexpr double kPi = 3.14159265358979323846;
        constexpr double kMargin = 1e-5;
        if (!(threshold > 0.0f)) {
            // No angle is below it (acos gives 0 at the least): every dot product fails.
            m_never = true;
            return;
        }
        const double low = static_cast<double>(threshold) - kMargin;
        const double high = static_cast<double>(threshold) + kMargin;
        // Above m_passAbove every dot product up to 1 passes; below m_failBelow every one
        // fails. Where the band reaches an end of acos's range that fast path is empty
        // (2 or -2), and where the band lies beyond pi every dot product passes (-2).
        m_passAbove = low >= kPi ? -2.0 : low > 0.0 ? std::cos(low) : 2.0;
        m_failBelow = high < kPi ? std::cos(high) : -2.0;
    }

    // threshold > (float)acos((double)dot), as the exact test computes it.
    bool Passes(float dot) const
    {
        const double d = dot;
        if (m_never || !(d >= -1.0 && d <= 1.0))
            return false;  // also NaN: acos has no value there
        if (d > m_passAbove)
            return true;
        if (d < m_failBelow)
            return false;
        return Exact(dot);
    }

    bool Exact(float dot) const
    {
        const float angle = static_cast<float>(std::acos(static_cast<double>(dot)));
        return m_threshold > angle;
    }

private:
    float m_threshold;
    bool m_never = false;
    double m_passAbove = 2.0;
    double m_failBelow = -2.0;
};
