#pragma once

#include <string_view>

namespace quillmark {

// Topic identifiers become file names (topics/<id>.html and published
// pages), so one read from a file is accepted only when it cannot name
// another place: not empty, not "." or "..", no "/" or "\", no control
// character.
bool IsSafeTopicId(std::string_view id);

} // namespace quillmark
