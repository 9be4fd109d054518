#include "app/logic/FrameRulerScale.h"

#include <cmath>
#include <initializer_list>

int FrameRulerScale::XOf(int frame) const
{
    if (lastFrame <= 0)
        return left;
    return left + static_cast<int>(std::lround(static_cast<double>(frame) * width / lastFrame));
}

int FrameRulerScale::FrameAt(int x) const
{
    if (lastFrame <= 0 || width <= 0)
        return 0;
    const long frame = std::lround(static_cast<double>(x - left) * lastFrame / width);
    return frame < 0 ? 0 : frame > lastFrame ? lastFrame : static_cast<int>(frame);
}

int FrameRulerScale::LabelStep(int minSpacing) const
{
    const double pixelsPerFrame = lastFrame > 0 ? static_cast<double>(width) / lastFrame : width;
    for (long long decade = 1; decade < 1000000000LL; decade *= 10)
        for (int factor : {1, 2, 5})
            if (pixelsPerFrame * static_cast<double>(decade * factor) >= minSpacing)
                return static_cast<int>(decade * factor);
    return 1000000000;
}
