// Exported files checked by the programs their users rely on (schema validators, assimp,
// compilers, node) through the consumer checker. The checker prints one line, "OK FILE
// {counts}" or "FAIL FILE: reasons", and exits 0, 1, or 2 when a tool is missing.
#pragma once

#include "scene/CCentigrade.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace consumers {

struct CheckOutcome {
    int exitCode = -1;
    std::string output;  // everything the checker printed
};

// Runs the checker: format is one of dae fbx objc csv java kotlin as2 as3 stage3d webgl
// webgpu; expect is "key=value,..." (may be empty).
CheckOutcome CheckExport(std::string_view format, const std::filesystem::path& file,
                         std::string_view expect = {});

// A folder of its own for the running test's files, emptied first and kept afterwards so a
// failing file can be looked at: <build>/consumer-output/<suite>.<test>/.
std::filesystem::path OutputFolder();

// The big corpus model: 6,567 vertices and 10,518 faces, eight materials, no bones.
CCentigrade Ninja();

// The sample figure (resources/sample/figure.mqo: six boxes, a textured and a plain material,
// seven bones) rigged: every vertex bound to its nearest bone, and two animations,
// "Animation_0" and "Wave", of `frames` frames each (g_lastFrame := frames - 1) with keys
// at the first, middle and last frame, in-betweened.
CCentigrade RiggedFigure(int frames = 21);

}  // namespace consumers

// Expects the checker to accept the file with these counts; prints its output otherwise.
#define EXPECT_CONSUMER_ACCEPTS(format, file, expect)                                  \
    do {                                                                              \
        const ::consumers::CheckOutcome outcome_ = ::consumers::CheckExport(format, file, expect); \
        EXPECT_EQ(outcome_.exitCode, 0) << outcome_.output;                           \
    } while (0)
