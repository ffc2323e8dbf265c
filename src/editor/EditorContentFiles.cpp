#include "editor/EditorContentFiles.h"

#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "editor/DefaultContent.h"
#include "model/HeaderFiles.h"
#include "model/ProjectLinks.h"

namespace quillmark {

namespace {

constexpr char kDefaultHeaderBg[] = "#fafafa";

} // namespace

TTopicHeader ReadTopicHeader(const TEditingState& state, const std::string& topicId) {
    const std::string& root = state.FProject.FRootPath;
    TTopicHeader header;
    if (!ReadProjectTextFile(root, HeaderHtmlPath(root, topicId), header.Html)) {
        const TDocProject& project = state.FProject;
        header.Html = DefaultHeaderHtml(state.FSettings, project.HasTopic(topicId)
                                                             ? project.GetTopic(topicId).FTitle
                                                             : project.FTitle);
    }
    std::string bg;
    ReadProjectTextFile(root, HeaderBgPath(root, topicId), bg);
    header.Bg = Trim(bg);
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
    std::string stored;
    if (ReadProjectTextFile(state.FProject.FRootPath, path, stored)) {
        const auto cached = state.FUnsavedTopicHtml.find(topic.FID);
        return cached != state.FUnsavedTopicHtml.end() ? cached->second : stored;
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
    std::string stored;
    ReadProjectTextFile(state.FProject.FRootPath, state.FProject.TopicPagePath(id), stored);
    return stored;
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

bool FollowRenamedTitle(const TEditingState& state, const std::string& topicId,
                        const std::string& oldTitle, TTopicHeader& currentHeader) {
    const bool current = topicId == state.FCurrentTopicID;
    TTopicHeader stored = current ? currentHeader : ReadTopicHeader(state, topicId);
    const std::string text = HtmlToPlainText(stored.Html);
    if (text.empty() || !AsciiSameText(text, Trim(oldTitle)) ||
        !IsDefaultHeader(stored.Html, oldTitle, oldTitle))
        return false;
    stored.Html = DefaultHeaderHtml(state.FSettings, state.FProject.GetTopic(topicId).FTitle);
    WriteTopicHeader(state, topicId, stored);
    if (current)
        currentHeader = stored;
    return current;
}

} // namespace quillmark
