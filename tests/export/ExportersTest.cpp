#include "export/Exporters.h"

#include "export/ExportScenes.h"
#include "platform/Messages.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>
#include <set>

TEST(Exporters, TableListsEveryExportTypeOnce)
{
    std::set<std::int32_t> types;
    for (const ExporterInfo& info : Exporters()) {
        EXPECT_TRUE(types.insert(info.type).second) << info.type;
        EXPECT_EQ(FindExporter(info.type), &info);
        EXPECT_TRUE(info.label.ends_with("(" + std::string(info.pattern) + ")")) << info.label;
    }
    EXPECT_EQ(types, (std::set<std::int32_t>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(FindExporter(1), nullptr);
    EXPECT_EQ(FindExporter(15), nullptr);
    ASSERT_NE(FindExporter(2)->function, nullptr);
    EXPECT_EQ(FindExporter(2)->label, "Zelvoボーンアニメーションファイル(*.zlba)");
}

// Every built exporter, through the table: it writes a file for a plain scene and refuses
// a folder that does not exist.
TEST(Exporters, EveryBuiltExporterWritesAndFailsCleanly)
{
    testsupport::TempDir folder;
    const CCentigrade scene = exporttest::BoxScene();
    CapturingMessageSink messages;
    for (const ExporterInfo& info : Exporters()) {
        if (!info.function)
            continue;
        const std::string extension(info.pattern.substr(1));
        for (const ExportAnimationForm form : {AnimationFormKeyFrames, AnimationFormMatrices, AnimationFormNone}) {
            const ExportOptions options{1.0f, form, FlashTargetFlashCs};
            const ExportResult written = info.function(scene, folder.File("out" + extension), options);
            EXPECT_TRUE(written.ok) << info.name << " " << written.error;
            EXPECT_FALSE(testsupport::ReadBytes(written.path).empty()) << info.name;
            const ExportResult refused = info.function(scene, folder.File("missing/out" + extension), options);
            EXPECT_FALSE(refused.ok) << info.name;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
}
