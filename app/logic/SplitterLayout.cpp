#include "app/logic/SplitterLayout.h"

InitialPaneSizes InitialSizes(int clientHeight)
{
    return {clientHeight / 3, clientHeight - kTimelineHeight, kTimelineHeight};
}

std::optional<int> ViewHeightOnResize(FrameSizeType type, int cx, int cy, bool rightColumnExists)
{
    if (type == FrameSizeType::Minimized || cx <= 100 || cy <= 200 || !rightColumnExists)
        return std::nullopt;
    return cy - 170;
}
