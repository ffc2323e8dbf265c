#include "editor/DetachedEditorContent.h"

#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/DefaultContent.h"
#include "editor/EditorContentFiles.h"
#include "model/HeaderFiles.h"

namespace quillmark {

void TDetachedEditorContent::SwitchToTopic(const std::string& topicId) {
    TEditingState& state = FHost.State();
    state.FCurrentTopicID = topicId;
    FLoadedBaselineHtml.clear();
    if (topicId.empty())
        return;
    FHost.ShowTopicProperties(topicId);
    LoadHeaderForTopic(topicId);
}

void TDetachedEditorContent::LoadTopicIntoEditor(const std::string& topicId) {
    TEditingState& state = FHost.State();
    TTopicHeader header{FHeaderHtml, FHeaderBg};
    FLoadedBaselineHtml = ReadOrCreateTopicPage(state, topicId, header);
    FHeaderHtml = std::move(header.Html);
    FHeaderBg = std::move(header.Bg);
    FHost.SetStatusText(Translate("Loaded: ") + state.FProject.GetTopic(topicId).FTitle);
}

std::string TDetachedEditorContent::GetCurrentTopicHtml() {
    return KnownCurrentTopicHtml(FHost.State(), FLoadedBaselineHtml);
}

void TDetachedEditorContent::ClearCurrentTopic() {
    FHost.State().FCurrentTopicID.clear();
    FLoadedBaselineHtml.clear();
}

void TDetachedEditorContent::RefreshDefaultHeader() {
    TTopicHeader header{FHeaderHtml, FHeaderBg};
    if (!RenewUntouchedHeader(
            FHost.State(), [this] { return GetCurrentTopicHtml(); }, header))
        return;
    FHeaderHtml = std::move(header.Html);
    FHeaderBg = std::move(header.Bg);
}

void TDetachedEditorContent::LoadHeaderForTopic(const std::string& topicId) {
    TTopicHeader header = ReadTopicHeader(FHost.State(), topicId);
    FHeaderHtml = std::move(header.Html);
    FHeaderBg = std::move(header.Bg);
}

void TDetachedEditorContent::SaveHeaderForTopic(const std::string& topicId) {
    WriteHeaderFiles(FHost.State().FProject.FRootPath, topicId, FHeaderHtml, FHeaderBg);
}

} // namespace quillmark
