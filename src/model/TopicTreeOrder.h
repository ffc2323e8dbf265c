#pragma once

#include "model/DocProject.h"

#include <string>
#include <vector>

namespace quillmark {

struct TTopicTreeEntry {
    std::string Id;
    int Depth = 0; // 0 for a root topic
};

// The contents in display order: the root list, each topic followed by its
// children's subtrees. Identifiers that name no topic are skipped with
// everything below them, and each topic appears once, so hand-edited child
// lists that form a cycle still give a finite tree.
std::vector<TTopicTreeEntry> TopicTreeOrder(const TDocProject& project);
// The same for the subtrees of `top` alone, each at depth 0.
std::vector<TTopicTreeEntry> TopicTreeOrder(const TDocProject& project,
                                            const std::vector<std::string>& top);

} // namespace quillmark
