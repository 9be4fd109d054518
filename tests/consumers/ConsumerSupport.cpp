#include "consumers/ConsumerSupport.h"

#include "import/PathFunctions.h"
#include "scene/Globals.h"
#include "support/Rigging.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace consumers {
namespace {

// Single quotes for the shell; a quote inside becomes '\''.
std::string ShellQuoted(std::string_view text)
{
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

// A model file as the document opens one: imported into a fresh scene, material maps,
// normals. Fails the test (and returns an empty scene) when it can't be read.
CCentigrade LoadModelScene(const std::filesystem::path& mqo)
{
    CCentigrade scene;
    g_fileVersion = kVersion390;
    g_currentAnimation = 0;
    const std::string path = std::filesystem::absolute(mqo).string();
    ChangeDirectoryToFileFolder(path);
    if (!scene.ImportMqo(path)) {
        ADD_FAILURE() << "could not read " << path;
        return CCentigrade();
    }
    scene.ResetDeformedVertices();
    scene.BuildBoneVertexLists();
    scene.ResetMaterialMaps();
    scene.RecomputeNormals();
    return scene;
}

}  // namespace

CheckOutcome CheckExport(std::string_view format, const std::filesystem::path& file, std::string_view expect)
{
    std::string command = "python3 " + ShellQuoted(KMX_CONSUMERS_DIR "/check-export.py") + " " +
                          ShellQuoted(format) + " " + ShellQuoted(file.string());
    if (!expect.empty())
        command += " --expect " + ShellQuoted(expect);
    command += " 2>&1";
    ::setenv("CONSUMERS_NODE_MODULES", KMX_CONSUMERS_NODE_MODULES, 0);

    CheckOutcome outcome;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) {
        outcome.output = "could not start: " + command;
        return outcome;
    }
    std::array<char, 4096> buffer{};
    std::size_t read = 0;
    while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0)
        outcome.output.append(buffer.data(), read);
    const int status = ::pclose(pipe.release());
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

std::filesystem::path OutputFolder()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "outside";
    for (char& c : name)
        if (c == '/')
            c = '_';
    const std::filesystem::path folder = std::filesystem::path(KMX_CONSUMER_OUTPUT_DIR) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

CCentigrade Ninja()
{
    return LoadModelScene(KMX_TEST_DATA_DIR "/corpus/nnn112358+GLUTMetaseq_forLinux/ninja.mqo");
}

CCentigrade RiggedFigure(int frames)
{
    g_lastFrame = frames - 1;
    g_previousLastFrame = g_lastFrame;
    CCentigrade scene = LoadModelScene(std::filesystem::path(KMX_SOURCE_DIR) / "resources/sample/figure.mqo");
    testsupport::BindToNearestBones(scene);

    // A second animation, then keys: every bone turns and the first one moves.
    scene.AddAnimation();
    scene.m_animationNames.back() = "Wave";
    scene.FitMaterialMaps();
    const int middle = frames / 2, last = frames - 1;
    for (CBone& bone : scene.m_bones) {
        for (std::size_t a = 0; a < bone.m_animations.size(); ++a) {
            std::vector<CAnimation>& samples = bone.m_animations[a];
            const float turn = 10.0f * static_cast<float>(bone.m_id + 1) * static_cast<float>(a + 1);
            samples[middle].m_rotate = CVector(0.5f * turn, -turn, turn);
            samples[middle].m_key = true;
            samples[last].m_scale = CVector(1.0f, 1.25f, 1.0f);
            samples[last].m_key = true;
            if (bone.m_id == 0)
                samples[middle].m_translate = CVector(0.0f, 12.5f, -4.0f);
        }
    }
    scene.InterpolateAllBones();
    return scene;
}

}  // namespace consumers
