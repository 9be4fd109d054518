// Files that fill the panes with many rows: a model file of many materials and scene files of
// many animation names or many bones (a flat list or one deep chain). Used by the GUI tests
// and by the pane benchmark.
#pragma once

#include "support/Bytes.h"

#include <cstdio>
#include <string>

namespace largelists {

// A model file of `materials` materials named "m0", "m1", ...; material i has the colour
// (i % 256, i / 256 % 256, 0) / 255, so that neighbouring rows differ. One small object whose
// quadrilateral uses material 0.
inline bool WriteManyMaterialModel(const std::string& path, int materials)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    std::fprintf(out, "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\nMaterial %d {\r\n", materials);
    for (int i = 0; i < materials; ++i)
        std::fprintf(out, "\t\"m%d\" col(%.6f %.6f 0 1)\r\n", i, i % 256 / 255.0, i / 256 % 256 / 255.0);
    std::fputs("}\r\nObject \"quad\" {\r\n\tvertex 4 {\r\n\t\t0 0 0\r\n\t\t100 0 0\r\n\t\t100 100 0\r\n"
               "\t\t0 100 0\r\n\t}\r\n\tface 1 {\r\n\t\t4 V(0 1 2 3) M(0)\r\n\t}\r\n}\r\nEof\r\n",
               out);
    return std::fclose(out) == 0;
}

// A scene file of the current layout without models: animations named "a0", "a1", ...; one
// bone whose animation i has 1 + i % 4 samples (so its last frame is i % 4).
inline Bytes ManyAnimationScene(int animations)
{
    Bytes b;
    b.f32(30.0f).f32(3.92f);
    b.i32(0).str("");                          // models, model path
    b.i32(1).i32(0).i32(0).f32(100.0f);        // bones, reserved, next material id, zoom
    b.i32(animations);
    for (int i = 0; i < animations; ++i)
        b.str("a" + std::to_string(i));
    b.u32(0).i32(0).f32(59.5f).i32(0).i32(0);  // background, maps, smoothing, weight range, materials
    for (int i = 0; i < 9; ++i)                // the camera
        b.f32(i >= 6 ? 1.0f : 0.0f);
    b.boolean(false);
    b.str("bone").i32(animations);
    for (int i = 0; i < animations; ++i) {
        b.i32(1 + i % 4);
        for (int f = 0; f <= i % 4; ++f) {
            for (int k = 0; k < 9; ++k)
                b.f32(k >= 6 ? 1.0f : 0.0f);
            b.boolean(f == 0);
        }
    }
    return b;
}

// A scene file of the older layout that keeps the bones' parent links: bones named "b0",
// "b1", ..., each with one animation of one sample; every bone's parent is the bone before
// it (one chain) or none (a flat list).
inline Bytes ManyBoneScene(int bones, bool chain)
{
    const auto vector = [](Bytes& b) { b.f32(0.0f).f32(0.0f).f32(0.0f).i32(-1).f32(1.0f); };
    Bytes b;
    b.f32(30.0f).f32(3.31f);
    b.i32(0).i32(0);                           // models, old materials
    b.i32(bones).i32(0).i32(0).f32(100.0f);    // bones, reserved, next material id, zoom
    b.i32(1).str("walk");
    b.u32(0).i32(0).i32(0);                    // background, maps, weight range
    for (int i = 0; i < 9; ++i)                // the camera
        b.f32(i >= 6 ? 1.0f : 0.0f);
    b.boolean(false);
    for (int i = 0; i < bones; ++i) {
        b.str("b" + std::to_string(i)).i32(i).i32(chain ? i - 1 : -1).i32(-1).i32(-1);
        b.i32(1).i32(1);                       // one animation of one sample
        for (int f = 0; f < 9; ++f)
            b.f32(f >= 6 ? 1.0f : 0.0f);
        b.boolean(true);
        vector(b);
        vector(b);
    }
    return b;
}

}  // namespace largelists
