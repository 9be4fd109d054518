// The editing panes' rules without widgets: the bone tree's shape, renaming from label
// edits, the timeline's frame and value edits, the material list's numbers, the material
// dialog's values and texture names, and the animation list's operations.
#include "app/logic/AnimationListRules.h"
#include "app/logic/BoneTree.h"
#include "app/logic/MaterialDialogValues.h"
#include "app/logic/MaterialRules.h"
#include "app/logic/PaneRenames.h"
#include "app/logic/TimelineRules.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Frame globals at a fresh document's values; a scene of `bones` bones with one animation of
// 101 samples.
class PaneRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_currentFrame = g_currentAnimation = g_editFrame = 0;
        g_lastFrame = g_previousLastFrame = 100;
    }

    static CCentigrade Scene(int bones)
    {
        CCentigrade scene;
        scene.ResetScene();
        for (int i = 0; i < bones; ++i) {
            scene.m_bones.emplace_back();
            scene.m_bones.back().m_id = i;
            scene.m_bones.back().m_name = "Bone" + std::to_string(i);
        }
        return scene;
    }

    CapturingMessageSink m_messages;
};

}  // namespace

TEST_F(PaneRules, BoneTreeFollowsParentLinksAndShowsEveryBoneOnceWhateverTheLinks)
{
    // Parent links, and the tree as (bone, parent bone or -1) in insertion order.
    using Shape = std::vector<std::pair<int, int>>;
    const std::pair<std::vector<int>, Shape> rows[] = {
        {{2, -1, 1}, {{1, -1}, {2, 1}, {0, 2}}},
        {{-1, 0, -1, 0}, {{0, -1}, {1, 0}, {3, 0}, {2, -1}}},  // siblings in index order, depth first
        // A circle 0 -> 1 -> 0 with a child, a bone that is its own parent and one whose parent
        // does not exist: every bone once, the circle opened under the root.
        {{1, 0, 1, 3, 77}, {{3, -1}, {4, -1}, {0, -1}, {1, 0}, {2, 1}}},
    };
    for (const auto& [parents, expected] : rows) {
        CCentigrade scene = Scene(static_cast<int>(parents.size()));
        for (std::size_t i = 0; i < parents.size(); ++i)
            scene.m_bones[i].m_parent = parents[i];
        const std::vector<BoneTreeNode> nodes = BuildBoneTree(scene.m_bones);
        Shape shape;
        for (const BoneTreeNode& node : nodes)
            shape.emplace_back(node.bone, node.parentNode < 0 ? -1 : nodes[node.parentNode].bone);
        EXPECT_EQ(shape, expected);
    }

    // A chain far deeper than a call stack would allow (bones of one sample each): nested
    // down to the deepest level, then on as a list at that level, under the same parent.
    g_lastFrame = 0;
    std::vector<CBone> chain(200000);
    for (int i = 0; i < 200000; ++i) {
        chain[i].m_id = i;
        chain[i].m_parent = i - 1;
    }
    const std::vector<BoneTreeNode> nodes = BuildBoneTree(chain);
    ASSERT_EQ(nodes.size(), 200000u);
    const int deepest = kMaxBoneTreeDepth - 1;  // bone 0 is at level 1
    EXPECT_EQ(nodes[deepest].parentNode, deepest - 1);
    EXPECT_EQ(nodes[deepest + 1].parentNode, deepest - 1);
    EXPECT_EQ(nodes.back().parentNode, deepest - 1);
}

TEST_F(PaneRules, RenamesRefuseDuplicatesInAnyCaseAndNamesCp932CannotHold)
{
    CCentigrade scene = Scene(3);
    scene.m_selectedBone = 0;

    // The edited bone is renamed, not the selected one; its own name in other case is fine.
    EXPECT_EQ(RenameBone(scene, 2, "BONE2"), RenameResult::Renamed);
    EXPECT_EQ(scene.m_bones[2].m_name, "BONE2");
    EXPECT_EQ(RenameBone(scene, 2, "BONE2"), RenameResult::Unchanged);
    EXPECT_EQ(RenameBone(scene, 2, "bone1"), RenameResult::Refused);
    EXPECT_EQ(m_messages.messages, std::vector<std::string>{"重複する名前があるで、ボーン名を変更できません！"});

    // Stored as CP932 (ソ ends in the byte of a backslash); full-width letters fold too.
    EXPECT_EQ(RenameBone(scene, 1, "ソＡ"), RenameResult::Renamed);
    EXPECT_EQ(scene.m_bones[1].m_name, "\x83\x5C\x82\x60");
    EXPECT_EQ(RenameBone(scene, 0, "ソａ"), RenameResult::Refused);

    // A character without a CP932 form, a question mark that is one, and nothing to rename.
    EXPECT_EQ(RenameBone(scene, 0, "骨\xF0\x9F\x98\x80"), RenameResult::Refused);
    EXPECT_EQ(m_messages.messages.back(), kUnconvertibleNameMessage);
    EXPECT_EQ(RenameBone(scene, 0, "Bone?"), RenameResult::Renamed);
    EXPECT_EQ(RenameBone(scene, 0, ""), RenameResult::Ignored);
    EXPECT_EQ(RenameBone(scene, -1, "Root"), RenameResult::Ignored);
    g_currentAnimation = 5;
    EXPECT_EQ(RenameBone(scene, 0, "Other"), RenameResult::Ignored);
    g_currentAnimation = 0;

    scene.m_animationNames = {"Walk", "Run"};
    EXPECT_EQ(RenameAnimation(scene, 1, "WALK"), RenameResult::Refused);
    EXPECT_EQ(m_messages.messages.back(), "重複する名前があるので、アニメーション名を変更できません！");
    scene.m_materials = {CMaterial(0), CMaterial(1)};
    EXPECT_EQ(RenameMaterial(scene, 0, "nomaterial_1"), RenameResult::Refused);
    EXPECT_EQ(m_messages.messages.back(), "マテリアル名が重複しています！");
    EXPECT_EQ(RenameMaterial(scene, 2, "Skin"), RenameResult::Ignored);
}

TEST_F(PaneRules, LastFrameFitsEveryBoneAndRefusesWhatIsNoSaneLength)
{
    CCentigrade scene = Scene(2);
    scene.m_bones[1].m_animations[0][100].m_translate.m_x = 4.0f;
    scene.PushUndoSnapshot();

    // The same length again keeps the undo stack; a missing key at frame 0 is restored.
    scene.m_bones[1].m_animations[0][0].m_key = false;
    LastFrameResult result = ApplyLastFrame(scene, "100");
    EXPECT_TRUE(result.accepted && result.sceneChanged && !result.lengthChanged);
    EXPECT_TRUE(scene.m_bones[1].m_animations[0][0].m_key);
    EXPECT_EQ(scene.m_undoAnimations.size(), 1u);
    EXPECT_FALSE(ApplyLastFrame(scene, " 100 ").sceneChanged);

    // Longer: the new samples are reset, not keys; undo and redo are emptied.
    result = ApplyLastFrame(scene, "120");
    EXPECT_TRUE(result.accepted && result.lengthChanged);
    for (const CBone& bone : scene.m_bones) {
        ASSERT_EQ(bone.m_animations[0].size(), 121u);
        EXPECT_FALSE(bone.m_animations[0][110].m_key);
    }
    EXPECT_EQ(scene.m_bones[1].m_animations[0][100].m_translate.m_x, 4.0f);
    EXPECT_TRUE(scene.m_undoAnimations.empty());

    // Shorter than the current frame: the frame moves onto the new last frame.
    g_currentFrame = 90;
    EXPECT_TRUE(ApplyLastFrame(scene, "50").accepted);
    EXPECT_EQ(g_currentFrame, 50);
    EXPECT_EQ(scene.m_bones[0].m_animations[0].size(), 51u);

    // Refused: no number, negative, absurdly long (with a message); nothing changes.
    for (const char* text : {"", "abc", "12x", "-1", "100001", "99999999999999999999"})
        EXPECT_FALSE(ApplyLastFrame(scene, text).accepted) << text;
    EXPECT_EQ(g_lastFrame, 50);
    EXPECT_EQ(scene.m_bones[0].m_animations[0].size(), 51u);
    EXPECT_EQ(m_messages.messages, (std::vector<std::string>{kLastFrameTooLargeMessage, kLastFrameTooLargeMessage}));
    EXPECT_TRUE(ApplyLastFrame(scene, "100000").accepted);

    // The current-frame edit: 0 to the last frame.
    EXPECT_EQ(TypedCurrentFrame("100000"), 100000);
    for (const char* text : {"100001", "-1", "seven"})
        EXPECT_FALSE(TypedCurrentFrame(text)) << text;
}

TEST_F(PaneRules, ValueEditsWriteOnlyWhatWasTypedAndInBetweenAtOtherFrames)
{
    CCentigrade scene = Scene(1);
    scene.m_hermite = false;
    scene.m_selectedBone = 0;
    scene.m_editMode = EditModeTranslate;
    std::vector<CAnimation>& samples = scene.m_bones[0].m_animations[0];
    samples[10].m_key = true;
    samples[10].m_translate = CVector(10.0f, 20.0f, 0.1234567f);
    scene.InterpolateAllBones();

    // Leaving the edits unchanged keeps the exact value that the text shows rounded.
    g_currentFrame = 10;
    const std::array<std::string, 3> shown{ValueText(10.0f), ValueText(20.0f), ValueText(0.1234567f)};
    ValueEditResult result = ApplyValueEdits(scene, shown, shown);
    EXPECT_FALSE(result.changed);
    EXPECT_EQ(samples[10].m_translate.m_z, 0.1234567f);
    EXPECT_TRUE(scene.m_undoAnimations.empty());

    // A typed value at a key: one undo entry, the sample set, the edit frame moved.
    EXPECT_TRUE(ApplyValueEdits(scene, {"12.5", shown[1], shown[2]}, shown).changed);
    EXPECT_EQ(std::tuple(samples[10].m_translate.m_x, samples[10].m_key, scene.m_undoAnimations.size(), g_editFrame),
              std::tuple(12.5f, true, 1u, 10));

    // Text that is no number is refused and keeps the sample's value.
    result = ApplyValueEdits(scene, {"oops", "21", shown[2]}, shown);
    EXPECT_TRUE(result.refused[0] && !result.refused[1]);
    EXPECT_EQ(samples[10].m_translate.m_x, 12.5f);
    EXPECT_EQ(samples[10].m_translate.m_y, 21.0f);

    // At a frame that is no key the in-betweening replaces the typed value at once.
    g_currentFrame = 5;
    result = ApplyValueEdits(scene, {"99", "0", "0"}, {ValueText(6.25f), "x", "x"});
    EXPECT_FALSE(samples[5].m_key);
    EXPECT_EQ(samples[5].m_translate.m_x, 6.25f);
    EXPECT_EQ(result.value.m_x, 6.25f);

    // Modes that show no values write nothing; nor does a frame past the samples.
    scene.m_editMode = EditModeVertexSelect;
    EXPECT_FALSE(ShownVector(scene));
    EXPECT_FALSE(ApplyValueEdits(scene, {"1", "2", "3"}, shown).changed);
    scene.m_editMode = EditModeScale;
    g_currentFrame = 500;
    EXPECT_FALSE(ApplyValueEdits(scene, {"1", "2", "3"}, shown).changed);
    EXPECT_EQ(scene.m_zeroVector.m_x, 0.0f);
    EXPECT_EQ(ShownVector(scene)->m_x, 0.0f);
}

TEST_F(PaneRules, MaterialNumbersNeverReachPastTheMapOrTheMaterials)
{
    CCentigrade scene = Scene(0);
    scene.m_materials = {CMaterial(0), CMaterial(1), CMaterial(2)};
    scene.m_animationNames = {"A", "B"};
    scene.m_materialMaps = {{0, 1, 2}, {0, 1}};
    g_currentAnimation = 1;
    EXPECT_EQ(MaterialNumberText(scene, 1), "1");
    EXPECT_EQ(MaterialNumberText(scene, 2), "");  // the map is short
    EXPECT_EQ(MaterialNumberItemCount(scene), 2);
    EXPECT_EQ(SetMaterialNumber(scene, 1, 0), MaterialNumberResult::Changed);
    EXPECT_EQ(scene.m_materialMaps[1], (std::vector<std::int32_t>{0, 0}));
    EXPECT_EQ(SetMaterialNumber(scene, 1, 0), MaterialNumberResult::Unchanged);
    EXPECT_EQ(SetMaterialNumber(scene, 2, 0), MaterialNumberResult::NoEntry);
    EXPECT_EQ(SetMaterialNumber(scene, -1, 0), MaterialNumberResult::NoRow);

    // An animation without a map: empty numbers and no items.
    g_currentAnimation = 2;
    EXPECT_EQ(MaterialNumberText(scene, 0), "");
    EXPECT_EQ(MaterialNumberItemCount(scene), 0);
    EXPECT_EQ(SetMaterialNumber(scene, 0, 1), MaterialNumberResult::NoEntry);

    // No material 0 in an empty list.
    scene.m_currentMaterial = -1;
    scene.m_materials.clear();
    SettleCurrentMaterial(scene);
    EXPECT_EQ(scene.m_currentMaterial, -1);

    EXPECT_EQ(SwatchRgb(1.0f, 0.5f, 0.0f), (std::array<unsigned char, 3>{255, 127, 0}));
    EXPECT_EQ(SwatchRgb(2.0f, -1.0f, 1e30f), (std::array<unsigned char, 3>{254, 1, 0}));
}

TEST_F(PaneRules, MaterialDialogWritesBackAndNamesTexturesBelowTheTextureFolders)
{
    CCentigrade scene = Scene(0);
    scene.m_materials = {CMaterial(0), CMaterial(1)};
    scene.m_materials[0].m_name = "Skin";
    MaterialDialogValues values = MaterialDialogValues::From(scene.m_materials[1]);
    // Sliders stop at their ends, however far outside the value lies.
    EXPECT_EQ(SliderPosition(ValueSpecular, 2.0f), 100);
    EXPECT_EQ(SliderPosition(ValueRed, -3e38f), 0);
    EXPECT_EQ(InitialValueText(values.numbers[ValueRed]), "0.8");
    // Leaving an edit puts its slider where atof (the power: atoi) of its text says, number
    // or not.
    for (const auto& [value, text, position] : std::vector<std::tuple<int, std::string, int>>{
             {ValueRed, "0.555", 55}, {ValueRed, "0.29", 28}, {ValueRed, "0.5abc", 50}, {ValueRed, "abc", 0},
             {ValueRed, "-1", 0}, {ValueRed, "1e300", 100}, {ValueRed, "nan", 0}, {ValuePower, "7.9", 7},
             {ValuePower, "1e2", 1}, {ValuePower, "99999999999999999999", 100}, {ValuePower, " 12x", 12}})
        EXPECT_EQ(SliderPositionForText(value, text), position) << text;

    // A name another material has in other case is refused; everything else is applied.
    values.name = "SKIN";
    values.numbers[ValueRed] = 0.25f;
    values.numbers[ValueSpecular] = 2.0f;
    values.texture = "木目.png";
    EXPECT_TRUE(WriteBackMaterial(scene, 1, values));
    const CMaterial& material = scene.m_materials[1];
    EXPECT_EQ(material.m_name, "NoMaterial_1");
    EXPECT_EQ(material.m_color[0], 0.25f);
    EXPECT_EQ(material.m_specular, 2.0f);
    EXPECT_EQ(material.m_texture, "\x96\xD8\x96\xDA.png");
    EXPECT_EQ(m_messages.messages, std::vector<std::string>{"マテリアル名が重複しています！"});
    values.name = "Cloth";
    EXPECT_TRUE(WriteBackMaterial(scene, 1, values));
    EXPECT_EQ(material.m_name, "Cloth");
    EXPECT_FALSE(WriteBackMaterial(scene, 1, values));
    EXPECT_FALSE(WriteBackMaterial(scene, 2, values));

    // Only whole folders count: TEXTURE2 is not inside TEXTURE; the installed folder is
    // reached through "..".
    const std::vector<std::string> folders{"/prog/bin/TEXTURE", "/prog/bin/../share/kinemorphix/TEXTURE/"};
    EXPECT_EQ(TextureNameForFile("/prog/bin/TEXTURE/skin/a.png", folders), "skin/a.png");
    EXPECT_EQ(TextureNameForFile("/prog/bin/TEXTURE2/a.png", folders), "a.png");
    EXPECT_EQ(TextureNameForFile("/prog/share/kinemorphix/TEXTURE/b.png", folders), "b.png");
    EXPECT_EQ(TextureNameForFile("/prog/share/kinemorphix/TEXTURE/sub/c.png", folders), "sub/c.png");
    EXPECT_EQ(TextureNameForFile("/img/d.png", folders), "d.png");
}

TEST_F(PaneRules, AnimationOperationsKeepMapsAndAnimationsInStep)
{
    CCentigrade scene = Scene(2);
    scene.m_materials = {CMaterial(0)};
    scene.ResetMaterialMaps();
    scene.m_bones[0].m_animations[0][7].m_key = true;

    AddAnimationWithMap(scene);
    EXPECT_TRUE(DuplicateCurrentAnimation(scene));
    EXPECT_EQ(scene.m_animationNames, (std::vector<std::string>{"Animation_0", "Animation_1", "Animation_2"}));

    // No free name: nothing at all is appended.
    for (int i = 3; i < 20000; ++i)
        scene.m_animationNames.push_back("Animation_" + std::to_string(i));
    const std::size_t names = scene.m_animationNames.size();
    EXPECT_FALSE(DuplicateCurrentAnimation(scene));
    EXPECT_EQ(scene.m_animationNames.size(), names);
    EXPECT_EQ(scene.m_materialMaps.size(), 3u);
    scene.m_animationNames.resize(3);

    // Selecting an animation takes its last frame from bone 0.
    scene.m_bones[0].m_animations[1].resize(31);
    EXPECT_TRUE(SelectAnimation(scene, 1) && g_lastFrame == 30);
    EXPECT_FALSE(SelectAnimation(scene, 3));
    EXPECT_EQ(AnimationLastFrameText(scene, 1), "30");

    // Deleting the last row when current: the row above, frame 0, its last frame, no undo.
    EXPECT_TRUE(SelectAnimation(scene, 2));
    g_currentFrame = 9;
    scene.PushUndoSnapshot();
    DeleteCurrentAnimation(scene);
    EXPECT_EQ(std::tuple(g_currentAnimation, g_currentFrame, g_lastFrame), std::tuple(1, 0, 30));
    EXPECT_TRUE(scene.m_undoAnimations.empty());
    EXPECT_EQ(scene.m_materialMaps.size(), 2u);

    // Deleting the only one leaves a fresh Animation_0 with its own map.
    DeleteCurrentAnimation(scene);
    DeleteCurrentAnimation(scene);
    EXPECT_EQ(scene.m_animationNames, std::vector<std::string>{"Animation_0"});
    EXPECT_EQ(scene.m_materialMaps, (std::vector<std::vector<std::int32_t>>{{0}}));
    EXPECT_EQ(scene.m_bones[1].m_animations.size(), 1u);

    // Without bones a click selects nothing and the column reads 100.
    CCentigrade empty = Scene(0);
    EXPECT_FALSE(SelectAnimation(empty, 0));
    EXPECT_EQ(AnimationLastFrameText(empty, 0), "100");
}
