#include "app/DetachedEditorContent.h"

#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/DefaultContent.h"
#include "editor/HeaderFiles.h"

namespace quillmark {

namespace {

constexpr char kDefaultHeaderBg[] = "#fafafa";

} // namespace

void TDetachedEditorContent::SwitchToTopic(const std::string& topicId) {
    TMainWindowState& state = FHost.State();
    state.FCurrentTopicID = topicId;
    FLoadedBaselineHtml.clear();
    if (topicId.empty())
        return;
    FHost.ShowTopicProperties(topicId);
    LoadHeaderForTopic(topicId);
}

void TDetachedEditorContent::LoadTopicIntoEditor(const std::string& topicId) {
    TMainWindowState& state = FHost.State();
    const TTopic& topic = state.FProject.GetTopic(topicId);
    const std::string path = state.FProject.TopicPagePath(topic.FID);
    std::string html;
    if (FileExists(path)) {
        const auto cached = state.FUnsavedTopicHtml.find(topic.FID);
        html = cached != state.FUnsavedTopicHtml.end() ? cached->second : ReadTextFileUtf8(path);
    } else {
        html = DefaultParagraphHtml(state.FSettings);
        FHeaderHtml = DefaultHeaderHtml(state.FSettings, topic.FTitle);
        FHeaderBg = ColorToHtml(state.FSettings.DefaultHeaderBgColor);
        SaveHeaderForTopic(topicId);
        WriteTextFileUtf8(path, html);
    }
    FLoadedBaselineHtml = html;
    FHost.SetStatusText(Translate("Loaded: ") + topic.FTitle);
}

std::string TDetachedEditorContent::GetCurrentTopicHtml() {
    const TMainWindowState& state = FHost.State();
    if (state.FCurrentTopicID.empty())
        return "";
    if (const auto cached = state.FUnsavedTopicHtml.find(state.FCurrentTopicID);
        cached != state.FUnsavedTopicHtml.end())
        return cached->second;
    if (!FLoadedBaselineHtml.empty())
        return FLoadedBaselineHtml;
    const std::string path = state.FProject.TopicPagePath(state.FCurrentTopicID);
    return FileExists(path) ? ReadTextFileUtf8(path) : "";
}

void TDetachedEditorContent::ClearCurrentTopic() {
    FHost.State().FCurrentTopicID.clear();
    FLoadedBaselineHtml.clear();
}

void TDetachedEditorContent::RefreshDefaultHeader() {
    TMainWindowState& state = FHost.State();
    const std::string id = state.FCurrentTopicID;
    if (id.empty() || !state.FProject.HasTopic(id))
        return;
    if (!IsTopicContentEmpty(GetCurrentTopicHtml()))
        return;
    const std::string& title = state.FProject.GetTopic(id).FTitle;
    if (!Trim(FHeaderHtml).empty() && !IsDefaultHeader(FHeaderHtml, title, state.FProject.FTitle))
        return;
    FHeaderHtml = DefaultHeaderHtml(state.FSettings, title);
    FHeaderBg = ColorToHtml(state.FSettings.DefaultHeaderBgColor);
    SaveHeaderForTopic(id);
}

void TDetachedEditorContent::LoadHeaderForTopic(const std::string& topicId) {
    const TMainWindowState& state = FHost.State();
    const std::string& root = state.FProject.FRootPath;
    const std::string htmlPath = HeaderHtmlPath(root, topicId);
    if (FileExists(htmlPath))
        FHeaderHtml = ReadTextFileUtf8(htmlPath);
    else if (state.FProject.HasTopic(topicId))
        FHeaderHtml = DefaultHeaderHtml(state.FSettings, state.FProject.GetTopic(topicId).FTitle);
    else
        FHeaderHtml = DefaultHeaderHtml(state.FSettings, state.FProject.FTitle);
    const std::string bgPath = HeaderBgPath(root, topicId);
    FHeaderBg = FileExists(bgPath) ? Trim(ReadTextFileUtf8(bgPath)) : "";
    if (FHeaderBg.empty())
        FHeaderBg = kDefaultHeaderBg;
}

void TDetachedEditorContent::SaveHeaderForTopic(const std::string& topicId) {
    WriteHeaderFiles(FHost.State().FProject.FRootPath, topicId, FHeaderHtml, FHeaderBg);
}

} // namespace quillmark
