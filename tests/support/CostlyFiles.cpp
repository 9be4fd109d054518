#include "support/CostlyFiles.h"

#include "support/Bytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace testsupport {

namespace {

// Appends count zero bytes.
void Zeros(Bytes& b, std::uint64_t count) { b.data.resize(b.data.size() + count, 0); }

void WriteFile(const std::string& path, const char* data, std::size_t size)
{
    std::ofstream(path, std::ios::binary).write(data, static_cast<std::streamsize>(size));
}

}  // namespace

std::vector<std::uint8_t> SceneOfEmptyRecords(const EmptyRecords& c)
{
    const bool materials = c.version >= 3.92f;
    Bytes b;
    b.f32(30.0f).f32(c.version).i32(c.models).u8(0xFF).u16(0xFFFF).u32(c.pathBytes);
    if (c.pathBytes > (64u << 20))
        return std::move(b.data);
    Zeros(b, c.pathBytes);
    b.i32(c.bones).i32(0).i32(0).f32(100.0f).i32(c.names);
    Zeros(b, std::uint64_t(c.names));
    b.u32(0).i32(c.maps);
    for (std::int32_t m = 0; m < c.maps; ++m)
        Zeros(b.i32(c.mapEntries), 4 * std::uint64_t(c.mapEntries));
    b.f32(89.5f).i32(0);
    if (materials)
        b.i32(c.materials);
    Zeros(b, 4 * std::uint64_t(c.models) + 36);  // the models, the camera's floats
    b.boolean(true);
    for (std::int32_t m = 0; materials && m < c.materials; ++m)
        Zeros(b.i32(m), 1 + 36 + 3 + 12 + 1);  // name, colours and strengths, files, toon
    for (std::int32_t bone = 0; bone < c.bones; ++bone) {
        b.str("").i32(c.animations);
        for (std::int32_t a = 0; a < c.animations; ++a)
            Zeros(b.i32(c.samples), 37 * std::uint64_t(std::max(c.samples, 0)));
    }
    return std::move(b.data);
}

std::string WriteCostlyFile(CostlyFile kind, const std::string& folder)
{
    const std::string path = folder + "costly" + std::to_string(static_cast<int>(kind));
    if (kind == CostlyFile::ModelOfManyMaterials) {
        std::string text = "Metasequoia Document\nFormat Text Ver 1.0\nMaterial 1000000 {\n";
        for (int i = 0; i < 1'000'000; ++i)
            text += "\"m" + std::to_string(i) + "\" col(1 1 1 1)\n";
        text += "}\nEof\n";
        WriteFile(path + ".mqo", text.data(), text.size());
        return path + ".mqo";
    }
    const EmptyRecords counts[] = {{.bones = 1'000'000, .samples = 0},
                                   {.bones = 1, .animations = 1'000'000, .samples = 0},
                                   {.models = 5'000'000},
                                   {.names = 10'000'000},
                                   {.pathBytes = 1u << 31}};
    const std::vector<std::uint8_t> bytes = SceneOfEmptyRecords(counts[static_cast<int>(kind)]);
    WriteFile(path + ".zlkx", reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (kind == CostlyFile::LongModelPath)
        std::filesystem::resize_file(path + ".zlkx", std::uintmax_t(3) << 30);  // the path's bytes, sparse
    return path + ".zlkx";
}

}  // namespace testsupport
