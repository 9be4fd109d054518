#include "app/logic/SplitterLayout.h"

#include <algorithm>
#include <numeric>

InitialPaneSizes InitialSizes(int clientHeight)
{
    return {clientHeight / 3, clientHeight - kTimelineHeight, kTimelineHeight};
}

std::optional<int> ViewHeightOnResize(const FrameResize& resize)
{
    if (resize.type == FrameSizeType::Minimized || resize.cx <= 100 || resize.cy <= 200 || !resize.rightColumnExists)
        return std::nullopt;
    return resize.paneHeight - std::max(kTimelineResizeReserve, resize.timelineNeeds + kSplitterBarSize);
}

std::vector<int> WrapBarRows(const std::vector<DockedBar>& bars, int room)
{
    std::vector<std::size_t> order(bars.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return bars[a].row != bars[b].row ? bars[a].row < bars[b].row : bars[a].position < bars[b].position;
    });
    std::vector<int> rows(bars.size(), 0);
    int shownRow = -1;
    int used = 0;
    for (std::size_t n = 0; n < order.size(); ++n) {
        const DockedBar& bar = bars[order[n]];
        const bool sameRow = n > 0 && bars[order[n - 1]].row == bar.row;
        if (!sameRow || (used > 0 && used + bar.length > room)) {
            ++shownRow;
            used = 0;
        }
        rows[order[n]] = shownRow;
        used += bar.length;
    }
    return rows;
}
