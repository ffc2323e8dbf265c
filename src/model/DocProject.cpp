#include "model/DocProject.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "platform/Guid.h"

#include <algorithm>
#include <unordered_set>

namespace quillmark {

namespace {

QuillError TopicNotFound(const std::string& id) {
    return QuillError(FormatText(Translate("Topic not found: %s"), {id}));
}

void RemoveFirst(std::vector<std::string>& list, const std::string& id) {
    const auto it = std::find(list.begin(), list.end(), id);
    if (it != list.end())
        list.erase(it);
}

} // namespace

void TDocProject::Clear() {
    FTopics.Clear();
    FRootTopicIDs.clear();
    FTitle = kUntitledDocumentation;
    FStyleProfile = "default";
}

std::string TDocProject::TopicPagePath(const std::string& id) const {
    return IncludeTrailingPathDelimiter(FRootPath) + "topics/" + id + ".html";
}

void TDocProject::SetRootPath(const std::string& rootPath) {
    FRootPath = rootPath;
    for (const std::string& id : FTopics.Ids())
        FTopics.Find(id)->FHtmlPath = TopicPagePath(id);
}

std::string TDocProject::NewTopicID() {
    std::string id;
    for (char c : NewGuidString())
        if (c != '{' && c != '}' && c != '-')
            id += c;
    return id;
}

TTopic& TDocProject::AddTopic(const std::string& title, const std::string& parentId) {
    if (!parentId.empty() && !HasTopic(parentId))
        throw TopicNotFound(parentId);
    auto topic = std::make_unique<TTopic>();
    topic->FID = NewTopicID();
    topic->FTitle = title;
    topic->FParentID = parentId;
    topic->FHtmlPath = TopicPagePath(topic->FID);
    TTopic& added = FTopics.Add(std::move(topic));
    if (parentId.empty())
        FRootTopicIDs.push_back(added.FID);
    else
        FTopics.Find(parentId)->FChildren.push_back(added.FID);
    return added;
}

TTopic& TDocProject::GetTopic(const std::string& id) {
    TTopic* topic = FTopics.Find(id);
    if (topic == nullptr)
        throw TopicNotFound(id);
    return *topic;
}

const TTopic& TDocProject::GetTopic(const std::string& id) const {
    const TTopic* topic = FTopics.Find(id);
    if (topic == nullptr)
        throw TopicNotFound(id);
    return *topic;
}

std::vector<std::string> TDocProject::DeleteTopic(const std::string& id) {
    std::vector<std::string> pagePaths;
    if (!HasTopic(id))
        return pagePaths;
    // Collect the subtree children first (post-order) without recursion; the
    // visited set ends the walk on hand-edited child lists that form a cycle.
    std::vector<std::string> doomed;
    std::unordered_set<std::string> visited{id};
    std::vector<std::pair<std::string, size_t>> stack{{id, 0}};
    while (!stack.empty()) {
        auto& [current, next] = stack.back();
        const TTopic* topic = FTopics.Find(current);
        if (topic != nullptr && next < topic->FChildren.size()) {
            const std::string child = topic->FChildren[next++];
            if (HasTopic(child) && visited.insert(child).second)
                stack.emplace_back(child, 0);
            continue;
        }
        doomed.push_back(current);
        stack.pop_back();
    }
    for (const std::string& doomedId : doomed) {
        const TTopic& topic = *FTopics.Find(doomedId);
        if (topic.FParentID.empty())
            RemoveFirst(FRootTopicIDs, doomedId);
        else if (TTopic* parent = FTopics.Find(topic.FParentID))
            RemoveFirst(parent->FChildren, doomedId);
        pagePaths.push_back(topic.FHtmlPath);
        FTopics.Remove(doomedId);
    }
    return pagePaths;
}

bool TDocProject::IsDescendant(const std::string& nodeId,
                               const std::string& possibleAncestorId) const {
    std::string current = nodeId;
    // A walk longer than the number of topics has met a cycle.
    for (size_t steps = 0; !current.empty() && steps <= FTopics.Size(); ++steps) {
        if (current == possibleAncestorId)
            return true;
        const TTopic* topic = FTopics.Find(current);
        if (topic == nullptr)
            return false;
        current = topic->FParentID;
    }
    return false;
}

std::vector<std::string>* TDocProject::ListHolding(const TTopic& topic) {
    if (topic.FParentID.empty())
        return &FRootTopicIDs;
    TTopic* parent = FTopics.Find(topic.FParentID);
    return parent ? &parent->FChildren : nullptr;
}

void TDocProject::MoveTopic(const std::string& id, const std::string& newParentId,
                            int insertIndex) {
    TTopic& topic = GetTopic(id);
    if (newParentId == id || (!newParentId.empty() && IsDescendant(newParentId, id)))
        throw QuillError(Translate("Cannot move a topic into itself/its descendant."));
    if (!newParentId.empty() && !HasTopic(newParentId))
        throw TopicNotFound(newParentId);

    if (std::vector<std::string>* current = ListHolding(topic))
        RemoveFirst(*current, id);
    topic.FParentID = newParentId;
    std::vector<std::string>& target = *ListHolding(topic);
    const auto index = static_cast<size_t>(
        std::clamp<long long>(insertIndex, 0, static_cast<long long>(target.size())));
    target.insert(target.begin() + static_cast<std::ptrdiff_t>(index), id);
}

} // namespace quillmark
