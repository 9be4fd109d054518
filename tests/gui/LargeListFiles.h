// Files that fill the panes with many rows: a model of many materials, scenes of many
// animation names or many bones. Used by the GUI tests and the pane benchmark.
#pragma once

#include "support/Bytes.h"

#include <cstdio>
#include <string>

namespace largelists {

// Materials "m0", "m1", ... of colour (i % 256, i / 256 % 256, 0) / 255; one quadrilateral.
inline bool WriteManyMaterialModel(const std::string& path, int materials)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    std::fprintf(out, "Metasequoia Document\r\nFormat Text Ver 1.0\r\nMaterial %d {\r\n", materials);
    for (int i = 0; i < materials; ++i)
        std::fprintf(out, "\t\"m%d\" col(%.6f %.6f 0 1)\r\n", i, i % 256 / 255.0, i / 256 % 256 / 255.0);
    std::fputs("}\r\nObject \"quad\" {\r\n\tvertex 4 {\r\n\t\t0 0 0\r\n\t\t100 0 0\r\n\t\t100 100 0\r\n"
               "\t\t0 100 0\r\n\t}\r\n\tface 1 {\r\n\t\t4 V(0 1 2 3) M(0)\r\n\t}\r\n}\r\nEof\r\n", out);
    return std::fclose(out) == 0;
}

// A pose sample: nine floats (scale 1) and the key flag.
inline void Sample(Bytes& b, bool key)
{
    for (int i = 0; i < 9; ++i)
        b.f32(i >= 6 ? 1.0f : 0.0f);
    b.boolean(key);
}

// Current layout, no models: animations "a0", "a1", ...; one bone whose animation i has
// 1 + i % 4 samples (its last frame is i % 4).
inline Bytes ManyAnimationScene(int animations)
{
    Bytes b;
    b.f32(30.0f).f32(3.92f).i32(0).str("");   // head, models, model path
    b.i32(1).i32(0).i32(0).f32(100.0f).i32(animations);
    for (int i = 0; i < animations; ++i)
        b.str("a" + std::to_string(i));
    b.u32(0).i32(0).f32(59.5f).i32(0).i32(0);  // background, maps, smoothing, weight range, materials
    Sample(b, false);                          // the camera
    b.str("bone").i32(animations);
    for (int i = 0; i < animations; ++i) {
        b.i32(1 + i % 4);
        for (int f = 0; f <= i % 4; ++f)
            Sample(b, f == 0);
    }
    return b;
}

// The older layout, which keeps parent links: bones "b0", "b1", ... of one sample each, each
// the child of the one before (one chain) or of none.
inline Bytes ManyBoneScene(int bones, bool chain)
{
    Bytes b;
    b.f32(30.0f).f32(3.31f).i32(0).i32(0);    // head, models, old materials
    b.i32(bones).i32(0).i32(0).f32(100.0f).i32(1).str("walk");
    b.u32(0).i32(0).i32(0);                    // background, maps, weight range
    Sample(b, false);                          // the camera
    for (int i = 0; i < bones; ++i) {
        b.str("b" + std::to_string(i)).i32(i).i32(chain ? i - 1 : -1).i32(-1).i32(-1).i32(1).i32(1);
        Sample(b, true);
        for (int end = 0; end < 2; ++end)      // head and tail
            b.f32(0.0f).f32(0.0f).f32(0.0f).i32(-1).f32(1.0f);
    }
    return b;
}

}  // namespace largelists
