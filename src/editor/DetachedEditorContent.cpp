#include "editor/DetachedEditorContent.h"

#include "base/Translation.h"

namespace quillmark {

void TDetachedEditorContent::SwitchToTopic(const std::string& topicId) {
    TEditingState& state = FHost.State();
    state.FCurrentTopicID = topicId;
    FLoadedBaselineHtml.clear();
    if (topicId.empty())
        return;
    FHost.ShowTopicProperties(topicId);
    FHeader = ReadTopicHeader(state, topicId);
}

void TDetachedEditorContent::LoadTopicIntoEditor(const std::string& topicId) {
    TEditingState& state = FHost.State();
    FLoadedBaselineHtml = ReadOrCreateTopicPage(state, topicId, FHeader);
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
    RenewUntouchedHeader(
        FHost.State(), [this] { return GetCurrentTopicHtml(); }, FHeader);
}

void TDetachedEditorContent::FollowRenamedTitle(const std::string& topicId,
                                                const std::string& oldTitle) {
    quillmark::FollowRenamedTitle(FHost.State(), topicId, oldTitle, FHeader);
}

} // namespace quillmark
