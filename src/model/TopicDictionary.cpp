#include "model/TopicDictionary.h"

#include <algorithm>

namespace quillmark {

TTopic* TTopicDictionary::Find(const std::string& id) {
    const auto it = topics_.find(id);
    return it == topics_.end() ? nullptr : it->second.get();
}

const TTopic* TTopicDictionary::Find(const std::string& id) const {
    const auto it = topics_.find(id);
    return it == topics_.end() ? nullptr : it->second.get();
}

TTopic& TTopicDictionary::Add(std::unique_ptr<TTopic> topic) {
    const std::string id = topic->FID;
    order_.push_back(id);
    TTopic& added = *topic;
    topics_.emplace(id, std::move(topic));
    return added;
}

void TTopicDictionary::Remove(const std::string& id) {
    if (topics_.erase(id) == 0)
        return;
    order_.erase(std::find(order_.begin(), order_.end(), id));
}

void TTopicDictionary::Clear() {
    topics_.clear();
    order_.clear();
}

} // namespace quillmark
