// The sizes of the main window's panes: the left column of three panes, 200 pixels wide,
// each a third of the client height at creation; the 3D view above the timeline form, which
// starts 180 pixels high. Splitter bars are 5 pixels. And the rows the docked toolbars take.
#pragma once

#include <optional>
#include <vector>

inline constexpr int kLeftColumnWidth = 200;
inline constexpr int kRightColumnIdealWidth = 400;
inline constexpr int kTimelineHeight = 180;
inline constexpr int kSplitterBarSize = 5;
// On a resize the 3D view gets the panes' height less this (the timeline form the rest, less
// the bar between them).
inline constexpr int kTimelineResizeReserve = 170;

struct InitialPaneSizes {
    int leftRowHeight;  // each of the three left panes
    int viewHeight;     // the 3D view
    int timelineHeight;
};

// For the frame's client height (bars included) when the panes are made.
InitialPaneSizes InitialSizes(int clientHeight);

enum class FrameSizeType { Restored, Minimized, Maximized };

struct FrameResize {
    FrameSizeType type = FrameSizeType::Restored;
    int cx = 0;  // the frame's client area, bars included
    int cy = 0;
    bool rightColumnExists = false;
    int paneHeight = 0;     // the height the toolbars and the status bar leave to the splitters
    int timelineNeeds = 0;  // the height the timeline form's controls need at its width
};

// The 3D view's height after a resize: the panes' height less 170 pixels, or less what the
// timeline form needs and its splitter bar when that is more, so the form keeps its controls
// whatever rows the toolbars take. Nothing for a minimised frame, a client area 100 wide or
// narrower or 200 high or lower, or before the right column exists.
std::optional<int> ViewHeightOnResize(const FrameResize& resize);

// A toolbar docked on one side of the frame: the row it was put on, its place along the row
// and its length along the side.
struct DockedBar {
    int row = 0;
    int position = 0;
    int length = 0;
};

// The rows the bars of one side are shown on (for each bar, in the order given), as a dock
// wraps its bars: the bars of a row follow each other by position; the first that would reach
// past `room` starts a new row, and the bars after it follow on that row. Rows keep their
// order and are numbered from 0 without gaps.
std::vector<int> WrapBarRows(const std::vector<DockedBar>& bars, int room);

// Where a bar of one side is shown: its row, its place along the row and its length there.
struct ShownBar {
    int row = 0;
    int position = 0;
    int length = 0;
    bool operator==(const ShownBar&) const = default;
};

// The bars of one side shown in `room` pixels (for each bar, in the order given): on the rows
// of WrapBarRows; along a row each bar stays where it was put and after the bar before it (a
// bar wrapped off its row follows on at the start of the next), unless that would take it or
// the bars after it past the row's end: then they move back just as far as they must. A bar
// longer than the room is shown as long as the room, its last buttons reached through its
// overflow button.
std::vector<ShownBar> PlaceBars(const std::vector<DockedBar>& bars, int room);
