#include "model/TopicCreation.h"

#include "base/FileHelpers.h"
#include "model/ProjectLinks.h"
#include "model/ProjectStorage.h"
#include "model/TopicPageFiles.h"

#include <exception>

namespace quillmark {

const TTopic& AddTopicWithPage(TDocProject& project, const std::string& title,
                               const std::string& parentId, std::string_view html) {
    RequireProjectFoldersInside(project.FRootPath);
    const TTopic& topic = project.AddTopic(title, parentId);
    const std::string id = topic.FID;
    try {
        WriteTextFileUtf8(topic.FHtmlPath, html);
        SaveProjectFolder(project);
    } catch (const std::exception&) {
        try {
            DeleteTopicWithPages(project, id);
        } catch (const std::exception&) {
            // The first error is the one to report.
        }
        throw;
    }
    return project.GetTopic(id);
}

} // namespace quillmark
