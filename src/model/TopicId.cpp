#include "model/TopicId.h"

#include "base/FileHelpers.h"

namespace quillmark {

bool IsSafeTopicId(std::string_view id) { return IsSafePathComponent(id); }

} // namespace quillmark
