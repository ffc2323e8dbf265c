#pragma once

#include <string>

namespace quillmark {

class TDocProject;

// Where a dragged topic goes relative to the node it is dropped on.
enum class TDropMode { dmBefore, dmAfter, dmChild };

// The zone of a pointer `offset` pixels below the top of a node's label
// that is `labelHeight` pixels high: the upper third before, the lower third
// after, the middle a child (integer thirds, so an 18-pixel label gives
// 0..5 before, 6..12 child, 13..17 after).
TDropMode DropModeForOffset(int offset, int labelHeight);

// Whether the dragged topic may be dropped on the target: both are known
// topics and the target is neither the dragged topic nor inside its subtree.
bool CanDropTopicOn(const TDocProject& project, const std::string& draggedId,
                    const std::string& targetId);

// The MoveTopic arguments that put the dragged topic before, after or
// (as last child) into the target.
struct TDropPlacement {
    std::string NewParentID;
    int InsertIndex = 0;
};
TDropPlacement DropPlacement(const TDocProject& project, const std::string& draggedId,
                             const std::string& targetId, TDropMode mode);

} // namespace quillmark
