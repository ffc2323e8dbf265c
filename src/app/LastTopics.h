#pragma once

#include <string>

namespace quillmark {

// The topic an author last had open in each project, kept in the per-user
// settings file (section "LastTopic", one key per project file), so that a
// project opens where the author left it.
std::string LastTopicOf(const std::string& settingsFile, const std::string& projectFile);
// Stores the topic for the project file; a failed write is ignored (only the
// next opening's choice of topic depends on it).
void RememberLastTopic(const std::string& settingsFile, const std::string& projectFile,
                       const std::string& topicId);

} // namespace quillmark
