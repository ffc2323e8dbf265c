#include "model/TopicTreeOrder.h"

#include <unordered_set>

namespace quillmark {

std::vector<TTopicTreeEntry> TopicTreeOrder(const TDocProject& project) {
    return TopicTreeOrder(project, project.FRootTopicIDs);
}

std::vector<TTopicTreeEntry> TopicTreeOrder(const TDocProject& project,
                                            const std::vector<std::string>& top) {
    std::vector<TTopicTreeEntry> order;
    std::unordered_set<std::string> shown;
    // Explicit stack of (list, next index, depth) so deep trees need no recursion.
    struct Frame {
        const std::vector<std::string>* List;
        size_t Next;
        int Depth;
    };
    std::vector<Frame> stack{{&top, 0, 0}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.Next >= frame.List->size()) {
            stack.pop_back();
            continue;
        }
        const std::string& id = (*frame.List)[frame.Next++];
        const TTopic* topic = project.FTopics.Find(id);
        if (topic == nullptr || !shown.insert(id).second)
            continue;
        order.push_back({id, frame.Depth});
        stack.push_back({&topic->FChildren, 0, frame.Depth + 1});
    }
    return order;
}

} // namespace quillmark
