#include "model/TopicPageFiles.h"

#include "base/FileHelpers.h"

namespace quillmark {

void DeleteTopicWithPages(TDocProject& project, const std::string& id) {
    for (const std::string& page : project.DeleteTopic(id))
        DeleteFileIfExists(page);
}

} // namespace quillmark
