// An offscreen 3D view for tests and benchmarks: an EGL pbuffer context attached to the scene
// as its render surface, with the scene reset, sized and given the default display colours.
#pragma once

#include "glsupport/EglContext.h"
#include "platform/Color.h"
#include "viewport/RenderSurface.h"

#include <array>
#include <cstdint>

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class OffscreenView : public IRenderSurface {
public:
    OffscreenView(int width = 256, int height = 256);
    ~OffscreenView() override;

    bool ok() const { return m_ok; }
    int width() const { return m_context.width(); }
    int height() const { return m_context.height(); }

    bool MakeCurrent() override { return m_context.ok(); }
    void SwapBuffers() override {}

    // The pixel at client position (x, y), y downwards as in mouse coordinates.
    Rgb Pixel(int x, int y) const;
    // True when some pixel within `radius` of (x, y) has the colour.
    bool ColourNear(int x, int y, Rgb colour, int radius = 2, int tolerance = 2) const;

    // Client position (y downwards) of a model-space point under the scene's camera, optionally
    // through a further column-major model matrix.
    std::array<double, 2> Project(double x, double y, double z, const float* model = nullptr) const;

    static Rgb ToRgb(COLORREF c) { return {RedOf(c), GreenOf(c), BlueOf(c)}; }

private:
    EglContext m_context;
    bool m_ok = false;
};
