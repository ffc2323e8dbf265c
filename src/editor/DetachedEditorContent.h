#pragma once

#include "editor/EditorContentFiles.h"
#include "editor/EditorContentPorts.h"

#include <string>

namespace quillmark {

// The editor content with no editor page connected: the current topic, its
// header and its page live in files and in the unsaved-page cache only.
// Never ready, so nothing waits for a page; loading a topic whose page file
// is missing still writes the default page and header, as with a page.
class TDetachedEditorContent final : public IEditorContent {
public:
    explicit TDetachedEditorContent(IEditorContentHost& host) : FHost(host) {}

    bool IsEditorReady() const override { return false; }
    void SwitchToTopic(const std::string& topicId) override;
    void LoadTopicIntoEditor(const std::string& topicId) override;
    void CommitCurrentTopic() override {}
    void WaitForEditorHeader(int) override {}
    std::string GetCurrentTopicHtml() override;
    void ForgetUnsavedText() override {}
    std::string UnsavedCurrentHtml() const override { return ""; }
    void ClearCurrentTopic() override;
    void ReplaceCurrentTopicHtml(const std::string& html) override { FLoadedBaselineHtml = html; }
    void RefreshDefaultHeader() override;
    void ReloadHeader() override {}
    void FollowRenamedTitle(const std::string& topicId, const std::string& oldTitle) override;
    void ApplyEditorBaseHref() override {}
    void ApplyEditorCss() override {}
    void ApplySettingsToEditor() override {}
    void FocusEditorLater() override {}

    const std::string& HeaderHtml() const { return FHeader.Html; }
    const std::string& HeaderBg() const { return FHeader.Bg; }

private:
    IEditorContentHost& FHost;
    TTopicHeader FHeader;
    std::string FLoadedBaselineHtml;
};

} // namespace quillmark
