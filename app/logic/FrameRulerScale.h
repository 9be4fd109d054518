// Where the frames of an animation lie on the timeline's frame ruler, and which frame lies
// under a point: frame 0 at the left end of the track, the last frame at its right end.
#pragma once

struct FrameRulerScale {
    int left = 0;      // x of frame 0
    int width = 0;     // track length in pixels (x of the last frame is left + width)
    int lastFrame = 0;

    int XOf(int frame) const;
    // The nearest frame, held within 0..lastFrame.
    int FrameAt(int x) const;
    // The spacing of numbered marks: the smallest of 1, 2, 5, 10, 20, 50... frames whose
    // marks lie at least minSpacing pixels apart.
    int LabelStep(int minSpacing) const;
};
