#pragma once

#include "model/DocProject.h"

#include <string>

namespace quillmark {

// Deletes the topic with its descendants from the tree and their page files
// from the project folder; an unknown identifier does nothing. Header files,
// assets and unsaved pages stay.
void DeleteTopicWithPages(TDocProject& project, const std::string& id);

} // namespace quillmark
