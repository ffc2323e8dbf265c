#pragma once

#include "model/Topic.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillmark {

// Every topic of a project keyed by identifier, owning the topics and
// enumerating them in the order they were added (so a project's files keep
// their order from one save to the next).
class TTopicDictionary {
public:
    bool Contains(const std::string& id) const { return topics_.count(id) != 0; }
    TTopic* Find(const std::string& id);
    const TTopic* Find(const std::string& id) const;
    // Takes ownership; the identifier must not be present yet.
    TTopic& Add(std::unique_ptr<TTopic> topic);
    // Destroys the topic; an unknown identifier does nothing.
    void Remove(const std::string& id);
    void Clear();
    size_t Size() const { return order_.size(); }
    bool Empty() const { return order_.empty(); }
    // Identifiers in enumeration order.
    const std::vector<std::string>& Ids() const { return order_; }

private:
    std::unordered_map<std::string, std::unique_ptr<TTopic>> topics_;
    std::vector<std::string> order_;
};

} // namespace quillmark
