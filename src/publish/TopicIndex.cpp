#include "publish/TopicIndex.h"

#include "base/Regex.h"
#include "base/TextFold.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "model/TopicTreeOrder.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace quillmark {

namespace {

// The contents from the top, then the topics the contents do not reach.
std::vector<const TTopic*> ReadingOrder(const TDocProject& project) {
    std::vector<const TTopic*> order;
    std::unordered_set<std::string> placed;
    for (const TTopicTreeEntry& entry : TopicTreeOrder(project)) {
        order.push_back(project.FTopics.Find(entry.Id));
        placed.insert(entry.Id);
    }
    for (const std::string& id : project.FTopics.Ids())
        if (!placed.count(id))
            order.push_back(project.FTopics.Find(id));
    return order;
}

std::string CollapseSpaces(const std::string& text) {
    static const Regex spaces(R"(\s+)");
    return Trim(spaces.Replace(text, " "));
}

} // namespace

std::vector<TTopicIndexEntry> BuildTopicIndex(const TDocProject& project,
                                              const std::function<bool(const TTopic&)>& included,
                                              TIndexTerms terms) {
    std::vector<TTopicIndexEntry> entries;
    std::unordered_map<std::string, size_t> byKey;
    const auto add = [&](const TTopic& topic, const std::string& written) {
        std::string term = CollapseSpaces(written);
        if (term.empty())
            return;
        std::string key = FoldText(term);
        auto [at, isNew] = byKey.try_emplace(key, entries.size());
        if (isNew)
            entries.push_back({std::move(term), std::move(key), {}});
        std::vector<const TTopic*>& topics = entries[at->second].Topics;
        if (std::find(topics.begin(), topics.end(), &topic) == topics.end())
            topics.push_back(&topic);
    };
    for (const TTopic* topic : ReadingOrder(project)) {
        if (topic == nullptr || !included(*topic))
            continue;
        if (terms == TIndexTerms::TitlesEntriesAndKeywords)
            add(*topic, topic->FTitle);
        for (const std::string& term : topic->FIndexEntries)
            add(*topic, term);
        for (const std::string& term : topic->FKeywords)
            add(*topic, term);
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.Key < b.Key; });
    return entries;
}

std::string TopicIndexGroup(const TTopicIndexEntry& entry) {
    static const Regex letter(R"(^\p{L})");
    const std::optional<RegexMatch> match = letter.Match(entry.Key);
    return match ? std::string(match->Group()) : "#";
}

} // namespace quillmark
