#include "model/HeaderFiles.h"

#include "base/FileHelpers.h"

namespace quillmark {

namespace {

std::string HeaderKey(const std::string& topicId) {
    return topicId.empty() ? "default" : SanitizeFileName(topicId);
}

} // namespace

std::string HeaderHtmlPath(const std::string& rootPath, const std::string& topicId) {
    return JoinPath(rootPath, "meta/header_" + HeaderKey(topicId) + ".html");
}

std::string HeaderBgPath(const std::string& rootPath, const std::string& topicId) {
    return JoinPath(rootPath, "meta/headerbg_" + HeaderKey(topicId) + ".txt");
}

void WriteHeaderFiles(const std::string& rootPath, const std::string& topicId,
                      const std::string& headerHtml, const std::string& headerBg) {
    WriteTextFileUtf8(HeaderHtmlPath(rootPath, topicId), headerHtml);
    WriteTextFileUtf8(HeaderBgPath(rootPath, topicId), headerBg);
}

} // namespace quillmark
