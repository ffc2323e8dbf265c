#pragma once

#include "model/TopicDictionary.h"

#include <string>
#include <vector>

namespace quillmark {

inline constexpr const char* kUntitledDocumentation = "Untitled Documentation";

// The topic tree of one project in memory: every topic by identifier, the
// ordered root list and, in each topic, the ordered child list. It touches no
// files: the pages are written and deleted by its callers (TopicPageFiles.h).
class TDocProject {
public:
    std::string FRootPath; // project folder, normally with a trailing delimiter
    std::string FTitle;
    TTopicDictionary FTopics;
    std::vector<std::string> FRootTopicIDs;
    std::string FStyleProfile = "default";

    // Empties topics and roots; title "Untitled Documentation", profile
    // "default"; the root path stays.
    void Clear();

    // Creates a topic as the last child of its parent (or last root topic).
    // Its page is written by whoever shows it first (the folder is made
    // then).
    TTopic& AddTopic(const std::string& title, const std::string& parentId);
    // Removes the topic and its descendants from the tree and returns the
    // page paths they had, for DeleteTopicWithPages; an unknown identifier
    // removes nothing.
    std::vector<std::string> DeleteTopic(const std::string& id);
    TTopic& GetTopic(const std::string& id);
    const TTopic& GetTopic(const std::string& id) const;
    bool HasTopic(const std::string& id) const { return FTopics.Contains(id); }
    // True when `nodeId` is `possibleAncestorId` or lies below it. Ends on
    // parent links that form a cycle.
    bool IsDescendant(const std::string& nodeId, const std::string& possibleAncestorId) const;
    void MoveTopic(const std::string& id, const std::string& newParentId, int insertIndex);

    // Moves the project to another folder; every page path follows.
    void SetRootPath(const std::string& rootPath);
    // "<FRootPath>topics/<id>.html".
    std::string TopicPagePath(const std::string& id) const;

    // 32 upper-case hexadecimal digits of a fresh random GUID.
    static std::string NewTopicID();

private:
    // The list that holds the topic's identifier: its parent's children or
    // the root list; null when the parent does not exist.
    std::vector<std::string>* ListHolding(const TTopic& topic);
};

} // namespace quillmark
