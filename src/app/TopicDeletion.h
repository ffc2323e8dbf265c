#pragma once

#include <string>

namespace quillmark {

struct TMainWindowState;

// The question before a topic is deleted: it names the topic, says how many
// subtopics go with it and lists the topics (outside the deleted ones) whose
// pages link to any of them, as those links will lead nowhere. Pages are
// read as the window knows them: unsaved text first, else the page file.
std::string DeleteTopicQuestion(const TMainWindowState& state, const std::string& topicId);

} // namespace quillmark
