// A large generated model file for the benchmarks: 1,000 x 1,000 vertices and 1,000,000
// quadrilaterals with four textured materials and UVs on every face (roughly 150 MB of text),
// written once per process with its textures into a folder of its own under the temporary
// folder, and removed at exit. Readers make that folder current, as the document does.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace benchdata {

const std::string& LargeModelPath();

// The path of the model file written, empty when it could not be written.
inline std::string WriteLargeModel()
{
    constexpr int kColumns = 1000;
    constexpr int kRows = 1000;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kmx-large-model-" + std::to_string(::getpid()));
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    // 64 x 64 binary PPM textures, one colour ramp each.
    for (int m = 0; m < 4; ++m) {
        std::FILE* image = std::fopen((folder / ("skin" + std::to_string(m) + ".ppm")).c_str(), "wb");
        if (!image)
            return std::string();
        std::fputs("P6\n64 64\n255\n", image);
        for (int i = 0; i < 64 * 64; ++i) {
            const unsigned char rgb[3] = {static_cast<unsigned char>(i % 64 * 4),
                                          static_cast<unsigned char>(i / 64 * 4), static_cast<unsigned char>(m * 60)};
            std::fwrite(rgb, 1, 3, image);
        }
        std::fclose(image);
    }
    const std::string file = (folder / "model.mqo").string();
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        return std::string();
    std::fputs("Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\nScene {\r\n\tpos 0 0 1500\r\n}\r\n"
               "Material 4 {\r\n", out);
    for (int m = 0; m < 4; ++m)
        std::fprintf(out, "\t\"mat%d\" shader(3) col(0.800 0.700 0.600 1.000) dif(0.800) amb(0.600) emi(0.000) "
                          "spc(0.000) power(5.00) tex(\"skin%d.ppm\")\r\n", m, m);
    std::fputs("}\r\nObject \"grid\" {\r\n\tdepth 0\r\n\tfacet 59.5\r\n", out);
    const int vertices = kColumns * kRows;
    std::mt19937 random(1);
    std::uniform_real_distribution<float> jitter(-1.0f, 1.0f);
    std::fprintf(out, "\tvertex %d {\r\n", vertices);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            std::fprintf(out, "\t\t%.4f %.4f %.4f\r\n", c * 1.5f + jitter(random), 100.0f * jitter(random),
                         r * -1.25f + jitter(random));
    const int faces = vertices;
    std::fprintf(out, "\t}\r\n\tface %d {\r\n", faces);
    for (int f = 0; f < faces; ++f) {
        const int r = (f / kColumns) % (kRows - 1), c = f % (kColumns - 1);
        const int a = r * kColumns + c;
        const float u = c / float(kColumns), v = r / float(kRows), d = 1.0f / kColumns;
        std::fprintf(out, "\t\t4 V(%d %d %d %d) M(%d) UV(%.5f %.5f %.5f %.5f %.5f %.5f %.5f %.5f)\r\n", a,
                     a + kColumns, a + kColumns + 1, a + 1, f % 4, u, v, u, v + d, u + d, v + d, u + d, v);
    }
    std::fputs("\t}\r\n}\r\nEof\r\n", out);
    std::fclose(out);
    return file;
}

inline void RemoveLargeModel()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(LargeModelPath()).parent_path(), ignored);
}

// Registered after the path is made, the removal runs before the path is destroyed.
inline const std::string& LargeModelPath()
{
    static const std::string path = WriteLargeModel();
    static const int removal = std::atexit(RemoveLargeModel);
    static_cast<void>(removal);
    return path;
}

}  // namespace benchdata
