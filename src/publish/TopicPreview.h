#pragma once

#include <string>

namespace quillmark {

class TDocProject;

// The preview of one topic: its page exactly as the WebHelp site publishes
// it (reusable content resolved, the site's stylesheet, header and footer),
// made from `pageHtml` (the editor's text, saved or not) without publishing
// anything else. It is written into the project's internal/ folder, beside
// the template the site's appearance script comes from, and asset
// addresses find the project's own assets from there. Returns the page's
// path. Fails (with a message naming it) for an unknown topic or when the
// page's text cannot be expanded.
std::string WriteTopicPreview(const TDocProject& project, const std::string& topicId,
                              const std::string& pageHtml);

// The preview page's path in the project folder.
std::string TopicPreviewPath(const std::string& rootPath);

} // namespace quillmark
