// What the renderer needs from the window it draws into: make its rendering context current
// and present a finished frame. The wx view implements it on its GL canvas; tests implement it
// on an offscreen context.
#pragma once

class IRenderSurface {
public:
    virtual ~IRenderSurface() = default;
    // Makes the context current for drawing; false when that is not possible now (the window
    // is not shown yet, or the context was lost). Nothing is drawn then.
    virtual bool MakeCurrent() = 0;
    // Presents the frame just drawn.
    virtual void SwapBuffers() = 0;
};
