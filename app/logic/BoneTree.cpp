#include "app/logic/BoneTree.h"

#include "scene/CBone.h"

#include <unordered_map>

namespace {

struct TreeBuilder {
    const std::vector<std::vector<int>>& children;
    std::vector<bool> placed;
    std::vector<BoneTreeNode> nodes;
    std::vector<int> depths;  // of each node; the root item's children are at depth 1

    // Places a bone and, below it, every child not yet placed. An explicit stack keeps deep
    // chains from exhausting the call stack.
    void Place(int bone, int parentNode)
    {
        struct Pending {
            int bone;
            int parentNode;
        };
        std::vector<Pending> stack{{bone, parentNode}};
        while (!stack.empty()) {
            const Pending next = stack.back();
            stack.pop_back();
            if (placed[next.bone])
                continue;
            placed[next.bone] = true;
            const int node = static_cast<int>(nodes.size());
            nodes.push_back({next.bone, next.parentNode});
            const int depth = next.parentNode < 0 ? 1 : depths[next.parentNode] + 1;
            depths.push_back(depth);
            // Children of a bone at the deepest level go beside it.
            const int childParent = depth < kMaxBoneTreeDepth ? node : next.parentNode;
            const std::vector<int>& list = children[next.bone];
            for (auto it = list.rbegin(); it != list.rend(); ++it)
                if (!placed[*it])
                    stack.push_back({*it, childParent});
        }
    }
};

}  // namespace

std::vector<BoneTreeNode> BuildBoneTree(const std::vector<CBone>& bones)
{
    const int count = static_cast<int>(bones.size());
    std::unordered_map<int, int> boneOfId;  // the first bone carrying each id
    for (int i = 0; i < count; ++i)
        boneOfId.emplace(bones[i].m_id, i);

    std::vector<int> roots;
    std::vector<std::vector<int>> children(bones.size());
    for (int i = 0; i < count; ++i) {
        const auto parent = bones[i].m_parent == -1 ? boneOfId.end() : boneOfId.find(bones[i].m_parent);
        if (parent == boneOfId.end() || parent->second == i)
            roots.push_back(i);
        else
            children[parent->second].push_back(i);
    }

    TreeBuilder builder{children, std::vector<bool>(bones.size(), false), {}, {}};
    builder.nodes.reserve(bones.size());
    builder.depths.reserve(bones.size());
    for (int root : roots)
        builder.Place(root, -1);
    // What is left hangs on a circle of parent links.
    for (int i = 0; i < count; ++i)
        if (!builder.placed[i])
            builder.Place(i, -1);
    return builder.nodes;
}
