// The bone tree's shape from the bones' parent links: which bone goes under which item, in
// the order the items are inserted (depth first, siblings in bone-index order).
#pragma once

#include <vector>

class CBone;

struct BoneTreeNode {
    int bone;        // index into the scene's bones
    int parentNode;  // index of the parent's node in the same list; -1 for the root item
};

// Every bone appears exactly once. A bone goes under the first bone whose id equals its
// parent id; a bone whose parent id is -1 or names no bone goes under the root item. Bones
// that are not reached from the root because their parent links run in a circle are put
// under the root as well, each circle opened at its bone of the lowest index.
std::vector<BoneTreeNode> BuildBoneTree(const std::vector<CBone>& bones);
