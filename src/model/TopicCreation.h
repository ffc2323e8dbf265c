#pragma once

#include "model/DocProject.h"

#include <string>
#include <string_view>

namespace quillmark {

// Adds a topic (as TDocProject::AddTopic does) together with its page: the
// page is written first, then the tree files. When either write fails, the
// page is removed again and the topic taken out of the project before the
// error goes on, so that no page is left behind that no topic owns.
const TTopic& AddTopicWithPage(TDocProject& project, const std::string& title,
                               const std::string& parentId, std::string_view html);

} // namespace quillmark
