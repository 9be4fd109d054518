// Exported files checked by the programs their users rely on (schema validators, assimp,
// compilers, node) through the consumer checker. The checker prints one line, "OK FILE
// {counts}" or "FAIL FILE: reasons", and exits 0, 1, or 2 when a tool is missing.
#pragma once

#include "scene/CCentigrade.h"

#include <filesystem>
#include <initializer_list>
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

// The checker's "key=value,..." for these counts.
std::string Expect(std::initializer_list<std::pair<const char*, std::size_t>> counts);

// A folder of its own for the running test's files, emptied first and kept afterwards so a
// failing file can be looked at: <build>/consumer-output/<suite>.<test>/.
std::filesystem::path OutputFolder();

// A model file as the document opens one: imported into a fresh scene, material maps,
// normals. Fails the test (and returns an empty scene) when it can't be read.
CCentigrade LoadModelScene(const std::filesystem::path& mqo);

// The big corpus model: 6,567 vertices and 10,518 faces, eight materials, no bones.
CCentigrade Ninja();

// The sample figure (resources/sample/figure.mqo: six boxes, a textured and a plain material,
// seven bones) rigged: every vertex bound to its nearest bone, and two animations,
// "Animation_0" and "Wave", of `frames` frames each (g_lastFrame := frames - 1) with keys
// at the first, middle and last frame, in-betweened.
CCentigrade RiggedFigure(int frames = 21);

// Counts of what exporters write, by the usual rules: faces of three or four corners are
// one or two triangles, others are skipped.
struct SceneCounts {
    std::size_t models = 0;
    std::size_t vertices = 0;
    std::size_t polygons = 0;   // faces of three or four corners
    std::size_t triangles = 0;  // after splitting quadrilaterals
    std::size_t materials = 0;
    std::size_t bones = 0;
    std::size_t animations = 0;
};
SceneCounts Count(const CCentigrade& scene);

}  // namespace consumers

// Expects the checker to accept the file with these counts; prints its output otherwise.
#define EXPECT_CONSUMER_ACCEPTS(format, file, expect)                                  \
    do {                                                                              \
        const ::consumers::CheckOutcome outcome_ = ::consumers::CheckExport(format, file, expect); \
        EXPECT_EQ(outcome_.exitCode, 0) << outcome_.output;                           \
    } while (0)
