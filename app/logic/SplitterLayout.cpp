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

namespace {

// The bars by row, then by place along the row.
std::vector<std::size_t> RowOrder(const std::vector<DockedBar>& bars)
{
    std::vector<std::size_t> order(bars.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return bars[a].row != bars[b].row ? bars[a].row < bars[b].row : bars[a].position < bars[b].position;
    });
    return order;
}

}  // namespace

std::vector<int> WrapBarRows(const std::vector<DockedBar>& bars, int room)
{
    const std::vector<std::size_t> order = RowOrder(bars);
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

std::vector<ShownBar> PlaceBars(const std::vector<DockedBar>& bars, int room)
{
    const std::vector<int> rows = WrapBarRows(bars, room);
    const std::vector<std::size_t> order = RowOrder(bars);
    std::vector<ShownBar> shown(bars.size());
    for (std::size_t first = 0; first < order.size();) {
        std::size_t end = first;
        while (end < order.size() && rows[order[end]] == rows[order[first]])
            ++end;
        // Forward: where each was put, after the one before it.
        int reached = 0;
        for (std::size_t n = first; n < end; ++n) {
            const std::size_t i = order[n];
            const bool wrapped = n == first && n > 0 && bars[order[n - 1]].row == bars[i].row;
            ShownBar& bar = shown[i];
            bar.row = rows[i];
            bar.length = std::clamp(bars[i].length, 0, std::max(room, 0));
            bar.position = std::max(wrapped ? 0 : bars[i].position, reached);
            reached = bar.position + bar.length;
        }
        // Backward: back from the row's end as far as needed.
        int limit = room;
        for (std::size_t n = end; n-- > first;) {
            ShownBar& bar = shown[order[n]];
            bar.position = std::max(std::min(bar.position, limit - bar.length), 0);
            limit = bar.position;
        }
        first = end;
    }
    return shown;
}
