#pragma once

#include <string>

namespace quillmark {

// The two files that hold a topic's header area in the project's meta
// folder: meta/header_<key>.html and meta/headerbg_<key>.txt, where the key
// is the sanitised identifier, or "default" for the state with no topic.
std::string HeaderHtmlPath(const std::string& rootPath, const std::string& topicId);
std::string HeaderBgPath(const std::string& rootPath, const std::string& topicId);

void WriteHeaderFiles(const std::string& rootPath, const std::string& topicId,
                      const std::string& headerHtml, const std::string& headerBg);

} // namespace quillmark
