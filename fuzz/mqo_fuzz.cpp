// Any bytes as a Metasequoia model file: the reader takes them or returns its error code,
// and whatever it leaves in the scene only indexes what exists. The target's TEXTURE folder
// holds the texture seeds, so that the models can name real images of every format.
#include "import/LoaderBG.h"
#include "import/LoaderMQO.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/DibStream.h"
#include "scene/DibStreamCache.h"
#include "scene/Globals.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The input as a regular file in memory, so that seeking and sizes behave as on disk.
std::FILE* StreamOf(const std::uint8_t* data, std::size_t size)
{
    static const int fd = memfd_create("mqo", 0);
    if (fd < 0 || ftruncate(fd, 0) != 0)
        std::abort();
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0)
            std::abort();
        done += static_cast<std::size_t>(n);
    }
    const int copy = dup(fd);
    lseek(copy, 0, SEEK_SET);
    return fdopen(copy, "rb");
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// Every face has at most four corners, as many UVs as corners or none, and names only
// vertices of its model.
void CheckFaces(const std::vector<CModel>& models)
{
    for (const CModel& model : models)
        for (const CFace& face : model.m_faces) {
            Check(face.m_indices.size() <= 4);
            Check(face.m_uvs.empty() || face.m_uvs.size() == face.m_indices.size());
            for (std::int32_t i : face.m_indices)
                Check(i >= 0 && static_cast<std::size_t>(i) < model.m_vertices.size());
        }
}

// The same bytes as a background file, read twice: each read only appends background models
// and materials, with ids running on, and leaves the main model, its materials and the bones
// alone.
void ReadAsBackground(const std::uint8_t* data, std::size_t size)
{
    const std::size_t models = g_scene.m_models.size();
    const std::size_t materials = g_scene.m_materials.size();
    const std::size_t bones = g_scene.m_bones.size();
    for (int pass = 0; pass < 2; ++pass) {
        const std::size_t modelsBefore = g_scene.m_backgroundModels.size();
        const std::size_t materialsBefore = g_scene.m_backgroundMaterials.size();
        std::FILE* file = StreamOf(data, size);
        const std::int32_t code = ImportBackgroundMqoStream(file);
        std::fclose(file);
        Check(code <= 0 && code >= MqoErrorTooLarge);
        Check(g_scene.m_backgroundModels.size() >= modelsBefore);
        Check(!g_scene.m_backgroundMaterials.empty() && g_scene.m_backgroundMaterials.size() >= materialsBefore);
        for (std::size_t m = 0; m < g_scene.m_backgroundMaterials.size(); ++m)
            Check(g_scene.m_backgroundMaterials[m].m_id == static_cast<std::int32_t>(m));
    }
    Check(g_scene.m_nextBackgroundMaterialId == static_cast<std::int32_t>(g_scene.m_backgroundMaterials.size()));
    Check(g_scene.m_models.size() == models && g_scene.m_materials.size() == materials &&
          g_scene.m_bones.size() == bones);
    CheckFaces(g_scene.m_backgroundModels);
    g_scene.RecomputeBackgroundNormals();
}

// A material drawn textured has a whole image, and the images stay within the budget.
void CheckTextures()
{
    for (const std::vector<CMaterial>* list : {&g_scene.m_materials, &g_scene.m_backgroundMaterials})
        for (const CMaterial& material : *list)
            if (material.HasTexture())
                Check(material.m_image->m_pixels.size() == static_cast<std::size_t>(material.m_image->m_width) *
                                                               static_cast<std::size_t>(material.m_image->m_height) *
                                                               static_cast<std::size_t>(material.m_channels));
    Check(DibStreamCache::DecodedBytes() <= DibStreamCache::Budget());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Texture names the background reader cannot load would be reported on every input.
    static CapturingMessageSink quiet;
    quiet.messages.clear();
    // Once as a direct import and once as the model of a scene file that has materials.
    for (float version : {kVersion390, kVersion392}) {
        g_scene.DeleteTextures();
        g_scene.ResetScene();
        g_fileVersion = version;
        std::FILE* file = StreamOf(data, size);
        const std::size_t materialsBefore = g_scene.m_materials.size();
        std::int32_t code = 0;
        {
            LoaderMQO loader(&g_scene, file);
            code = loader.Load();
        }
        std::fclose(file);
        Check(code <= 0 && code >= MqoErrorTooLarge);
        Check(code == 0 ? g_scene.m_models.size() == 1 : g_scene.m_models.empty());
        Check(version < kVersion392 || g_scene.m_materials.size() == materialsBefore);
        CheckFaces(g_scene.m_models);
        for (std::size_t b = 0; b < g_scene.m_bones.size(); ++b) {
            const CBone& bone = g_scene.m_bones[b];
            Check(bone.m_id == static_cast<std::int32_t>(b));
            Check(bone.m_parent >= -1 && bone.m_parent < static_cast<std::int32_t>(g_scene.m_bones.size()));
            Check(bone.m_parent != bone.m_id);
        }
        g_scene.BuildBoneVertexLists();
        g_scene.RefreshMaterialColors();
    }
    ReadAsBackground(data, size);
    CheckTextures();
    return 0;
}
