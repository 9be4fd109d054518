// The sizes of the main window's panes: the left column of three panes, 200 pixels wide,
// each a third of the client height at creation; the 3D view above the timeline form, which
// starts 180 pixels high. Heights are of the frame's whole client area, toolbars and status
// bar included.
#pragma once

#include <optional>

inline constexpr int kLeftColumnWidth = 200;
inline constexpr int kRightColumnIdealWidth = 400;
inline constexpr int kTimelineHeight = 180;
inline constexpr int kSplitterBarSize = 5;

struct InitialPaneSizes {
    int leftRowHeight;  // each of the three left panes
    int viewHeight;     // the 3D view
    int timelineHeight;
};

InitialPaneSizes InitialSizes(int clientHeight);

enum class FrameSizeType { Restored, Minimized, Maximized };

// The 3D view's height after the frame was resized to a client area of cx x cy: cy - 170.
// Nothing for a minimised frame, a client area 100 wide or narrower or 200 high or lower,
// or before the right column exists.
std::optional<int> ViewHeightOnResize(FrameSizeType type, int cx, int cy, bool rightColumnExists);
