// The bone tree's shape from the bones' parent links: which bone goes under which item, in
// the order the items are inserted (depth first, siblings in bone-index order).
#pragma once

#include <vector>

class CBone;

// The deepest level of a bone's item below the root item (the root's children are level 1).
// The tree control walks its levels recursively, so a chain of parent links tens of
// thousands long would exhaust the call stack, and it draws no item that starts more than
// about 10,000 pixels right of its left edge (some 600 levels). A skeleton is far shallower.
inline constexpr int kMaxBoneTreeDepth = 256;

struct BoneTreeNode {
    int bone;        // index into the scene's bones
    int parentNode;  // index of the parent's node in the same list; -1 for the root item
};

// Every bone appears exactly once. A bone goes under the first bone whose id equals its
// parent id; a bone whose parent id is -1 or names no bone goes under the root item. Bones
// that are not reached from the root because their parent links run in a circle are put
// under the root as well, each circle opened at its bone of the lowest index. A bone that
// would sit deeper than kMaxBoneTreeDepth goes beside its parent's item instead, so that a
// longer chain goes on as a list at that level.
std::vector<BoneTreeNode> BuildBoneTree(const std::vector<CBone>& bones);
