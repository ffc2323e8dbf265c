#include "editor/EditorContentFiles.h"

#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "editor/DefaultContent.h"
#include "model/HeaderFiles.h"

namespace quillmark {

namespace {

constexpr char kDefaultHeaderBg[] = "#fafafa";

} // namespace

TTopicHeader ReadTopicHeader(const TEditingState& state, const std::string& topicId) {
    const std::string& root = state.FProject.FRootPath;
    TTopicHeader header;
    const std::string htmlPath = HeaderHtmlPath(root, topicId);
    if (FileExists(htmlPath))
        header.Html = ReadTextFileUtf8(htmlPath);
    else if (state.FProject.HasTopic(topicId))
        header.Html = DefaultHeaderHtml(state.FSettings, state.FProject.GetTopic(topicId).FTitle);
    else
        header.Html = DefaultHeaderHtml(state.FSettings, state.FProject.FTitle);
    const std::string bgPath = HeaderBgPath(root, topicId);
    header.Bg = FileExists(bgPath) ? Trim(ReadTextFileUtf8(bgPath)) : "";
    if (header.Bg.empty())
        header.Bg = kDefaultHeaderBg;
    return header;
}

void WriteTopicHeader(const TEditingState& state, const std::string& topicId,
                      const TTopicHeader& header) {
    WriteHeaderFiles(state.FProject.FRootPath, topicId, header.Html, header.Bg);
}

TTopicHeader DefaultTopicHeader(const TProjectSettings& settings, const std::string& title) {
    return {DefaultHeaderHtml(settings, title), ColorToHtml(settings.DefaultHeaderBgColor)};
}

std::string ReadOrCreateTopicPage(TEditingState& state, const std::string& topicId,
                                  TTopicHeader& header) {
    const TTopic& topic = state.FProject.GetTopic(topicId);
    const std::string path = state.FProject.TopicPagePath(topic.FID);
    if (FileExists(path)) {
        const auto cached = state.FUnsavedTopicHtml.find(topic.FID);
        return cached != state.FUnsavedTopicHtml.end() ? cached->second : ReadTextFileUtf8(path);
    }
    const std::string html = DefaultParagraphHtml(state.FSettings);
    header = DefaultTopicHeader(state.FSettings, topic.FTitle);
    WriteTopicHeader(state, topicId, header);
    WriteTextFileUtf8(path, html);
    return html;
}

std::string KnownCurrentTopicHtml(const TEditingState& state, const std::string& loadedHtml) {
    const std::string& id = state.FCurrentTopicID;
    if (id.empty())
        return "";
    if (const auto cached = state.FUnsavedTopicHtml.find(id);
        cached != state.FUnsavedTopicHtml.end())
        return cached->second;
    if (!loadedHtml.empty())
        return loadedHtml;
    const std::string path = state.FProject.TopicPagePath(id);
    return FileExists(path) ? ReadTextFileUtf8(path) : "";
}

bool IsUntouchedHeader(const TEditingState& state, const std::string& headerHtml) {
    const std::string& id = state.FCurrentTopicID;
    if (id.empty() || !state.FProject.HasTopic(id))
        return false;
    return Trim(headerHtml).empty() ||
           IsDefaultHeader(headerHtml, state.FProject.GetTopic(id).FTitle, state.FProject.FTitle);
}

bool RenewUntouchedHeader(const TEditingState& state,
                          const std::function<std::string()>& currentHtml, TTopicHeader& header) {
    if (!IsUntouchedHeader(state, header.Html) || !IsTopicContentEmpty(currentHtml()))
        return false;
    const std::string& id = state.FCurrentTopicID;
    header = DefaultTopicHeader(state.FSettings, state.FProject.GetTopic(id).FTitle);
    WriteTopicHeader(state, id, header);
    return true;
}

} // namespace quillmark
