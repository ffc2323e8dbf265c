#include "app/TocDropZones.h"

#include "model/DocProject.h"

#include <algorithm>

namespace quillmark {

TDropMode DropModeForOffset(int offset, int labelHeight) {
    if (offset < labelHeight / 3)
        return TDropMode::dmBefore;
    if (offset > 2 * labelHeight / 3)
        return TDropMode::dmAfter;
    return TDropMode::dmChild;
}

bool CanDropTopicOn(const TDocProject& project, const std::string& draggedId,
                    const std::string& targetId) {
    if (draggedId.empty() || targetId.empty() || targetId == draggedId)
        return false;
    if (!project.HasTopic(draggedId) || !project.HasTopic(targetId))
        return false;
    return !project.IsDescendant(targetId, draggedId);
}

TDropPlacement DropPlacement(const TDocProject& project, const std::string& draggedId,
                             const std::string& targetId, TDropMode mode) {
    const TTopic& target = project.GetTopic(targetId);
    if (mode == TDropMode::dmChild)
        return {targetId, static_cast<int>(target.FChildren.size())};

    // The target node's parent in the tree is the topic's parent; MoveTopic
    // counts positions after the dragged topic left its old list.
    const std::string parentId = project.HasTopic(target.FParentID) ? target.FParentID : "";
    std::vector<std::string> list =
        parentId.empty() ? project.FRootTopicIDs : project.GetTopic(parentId).FChildren;
    if (const auto dragged = std::find(list.begin(), list.end(), draggedId); dragged != list.end())
        list.erase(dragged);
    const auto position = std::find(list.begin(), list.end(), targetId);
    if (position == list.end())
        return {parentId, static_cast<int>(list.size())};
    const int index = static_cast<int>(position - list.begin());
    return {parentId, mode == TDropMode::dmAfter ? index + 1 : index};
}

} // namespace quillmark
