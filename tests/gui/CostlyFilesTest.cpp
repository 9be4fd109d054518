// Files of a few megabytes whose records, read naively, cost gigabytes, opened in the running
// editor one after another: each is refused with its message and leaves an empty document,
// and the editor's peak memory over all of them stays under 512 MB.
#include "EditorTest.h"

#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "scene/CCentigrade.h"
#include "support/CostlyFiles.h"

#include <fstream>

namespace {

// The process's peak resident memory in kB.
double PeakResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6));
    return 0.0;
}

}  // namespace

TEST_F(EditorTest, CostlyFilesAreRefusedAndTheEditorStaysSmall)
{
    StartEditor();
    for (const testsupport::CostlyFile kind : testsupport::kCostlyFiles) {
        const std::string path = testsupport::WriteCostlyFile(kind, m_dir.Path());
        const bool model = kind == testsupport::CostlyFile::ModelOfManyMaterials;
        m_chooser.Answer(path);
        wxTEST_DIALOG(PressKey('o', wxMOD_CONTROL),
                      ExpectMessage(model ? "マテリアルかボーンが多すぎます" : "の形式が正しくありません"));
        EXPECT_TRUE(g_scene.m_models.empty() && g_scene.m_bones.empty() && g_scene.m_materials.empty()) << path;
        EXPECT_EQ(g_scene.m_animationNames.size(), 1u) << path;
        std::filesystem::remove(path);
    }
    EXPECT_LT(PeakResidentKb(), 512.0 * 1024);
}
