#pragma once

#include "editor/EditorContentFiles.h"
#include "editor/EditorContentPorts.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quillmark {

class IClock;
class IEventPump;
class TEditorBridge;

// How the editor content reaches the keyboard focus of the window: `Post`
// runs a function once the current window event is done; `Focus` gives the
// browser control the focus when it is visible and enabled.
struct TEditorFocusPort {
    std::function<void(std::function<void()>)> Post;
    std::function<void()> Focus;
};

// The editor content with a live editor page: which topic the page shows,
// how its HTML travels between page, unsaved-page cache and topic file, and
// the per-topic header area, which is written to its files at once.
//
// The page is asked for its HTML and header only at fixed moments and the
// waits are bounded ("getHtml" 600 ms, "getHeader" 400 ms); window events,
// page messages among them, run inside the waits. Every request is
// remembered with the topic it was made for, in the order the page answers
// them, so an answer that comes late (after its wait ended, or after
// another topic was loaded) is dropped instead of being filed under the
// topic that is current when it arrives.
class TEditorContent final : public IEditorContent {
public:
    // Takes over the bridge's ready, HTML, header and area events.
    TEditorContent(IEditorContentHost& host, TEditorBridge& bridge, const IClock& clock,
                   IEventPump& pump, TEditorFocusPort focus);
    ~TEditorContent() override;
    TEditorContent(const TEditorContent&) = delete;
    TEditorContent& operator=(const TEditorContent&) = delete;

    // IEditorContent
    bool IsEditorReady() const override { return FEditorReady; }
    void SwitchToTopic(const std::string& topicId) override;
    void LoadTopicIntoEditor(const std::string& topicId) override;
    void CommitCurrentTopic() override;
    void WaitForEditorHeader(int timeoutMs) override;
    std::string GetCurrentTopicHtml() override;
    void ForgetUnsavedText() override { FDirtyHtml.clear(); }
    std::string UnsavedCurrentHtml() const override { return FDirtyHtml; }
    void ClearCurrentTopic() override;
    void ReplaceCurrentTopicHtml(const std::string& html) override;
    void RefreshDefaultHeader() override;
    void ReloadHeader() override;
    void FollowRenamedTitle(const std::string& topicId, const std::string& oldTitle) override;
    void ApplyEditorBaseHref() override;
    void ApplyEditorCss() override;
    void ApplySettingsToEditor() override;
    void FocusEditorLater() override;

    // Sends "getHtml" and waits for the answer or the timeout.
    void WaitForEditorHtml(int timeoutMs);
    void LoadHeaderForTopic(const std::string& topicId);
    void SaveHeaderForTopic(const std::string& topicId);
    void PushHeaderToEditor();

    // Raised by ApplySettingsToEditor after the caret-level settings words
    // were sent, with the tick count at its start (the toolbar's caret-style
    // synchronisation ignores the page's echo of them for a while).
    void SetOnSettingsApplied(std::function<void(std::uint64_t tick)> handler) {
        FOnSettingsApplied = std::move(handler);
    }
    // The desktop shows a dark theme: a page with the default colours is
    // shown dark too (for the eye only; the page's text is not changed).
    // Takes effect with the next ApplySettingsToEditor.
    void SetDarkDesktop(bool dark) { FDarkDesktop = dark; }

    const std::string& HeaderHtml() const { return FHeader.Html; }
    const std::string& HeaderBg() const { return FHeader.Bg; }
    const std::string& DirtyHtml() const { return FDirtyHtml; }
    const std::string& ActiveArea() const { return FActiveArea; }

private:
    enum class THeaderAnswerKind { Request, Push };
    struct THtmlRequest {
        std::uint64_t Seq;
        std::string TopicId;
        std::uint64_t LoadEpoch;
        std::uint64_t SentAt;
    };
    struct THeaderAnswer {
        THeaderAnswerKind Kind;
        std::uint64_t Seq;
        std::string TopicId;
        std::uint64_t LoadEpoch;
        std::uint64_t SentAt;
    };

    void BridgeReady();
    void BridgeHtmlChanged(const std::string& html, bool user);
    void BridgeHtmlResponse(const std::string& html);
    void BridgeHeaderChanged(const std::string& headerHtml, const std::string& headerBg);
    void OnFocusMessage();
    // Moves the unsaved text into the cache under the current topic.
    void FileDirtyHtml();

    // Pumps events until `answered` or `timeoutMs` have passed.
    void WaitUntil(const std::function<bool()>& answered, int timeoutMs);
    // Forgets requests so old that the page will not answer them any more.
    void ExpireOldRequests();
    bool IsHtmlRequestOutstanding(std::uint64_t seq) const;
    bool IsHeaderRequestOutstanding(std::uint64_t seq) const;
    // Whether a page message arriving now may reflect a topic the page showed
    // before the current one was loaded: the page still owes an answer to a
    // request sent before that load, so it posted this message earlier.
    bool PageLagsBehindLoad() const;
    void ExpectHeaderPushAnswer();
    // The project folder and current topic, as one text.
    std::string HeaderOwner() const;
    void SendSetHeaderBg(const std::string& colorHtml);

    IEditorContentHost& FHost;
    TEditorBridge& FBridge;
    const IClock& FClock;
    IEventPump& FPump;
    TEditorFocusPort FFocus;
    std::function<void(std::uint64_t)> FOnSettingsApplied;
    bool FDarkDesktop = false;
    std::optional<bool> FDarkViewShown; // what the page was last told
    // Expires with this object; posted focus messages check it.
    std::shared_ptr<int> FAlive = std::make_shared<int>(0);

    bool FEditorReady = false;
    bool FPendingFocusEditor = false;
    std::string FDirtyHtml;
    // The header area of the current topic.
    TTopicHeader FHeader;
    std::string FLoadedTopicBaselineHtml;
    std::string FActiveArea = "body";
    // Whose header the page shows (HeaderOwner at the last push).
    std::string FPageHeaderOwner;
    // Path and content of the stylesheet the page shows.
    std::string FShownCss;

    // Requests in the order the page answers them.
    std::deque<THtmlRequest> FHtmlRequests;
    std::deque<THeaderAnswer> FHeaderAnswers;
    std::uint64_t FNextSeq = 1;
    // The "getHtml" / "getHeader" whose wait is running; 0 when none.
    std::uint64_t FWaitingHtmlSeq = 0;
    std::uint64_t FWaitingHeaderSeq = 0;
    // Counts the topics sent to the page (setHtml).
    std::uint64_t FLoadEpoch = 0;
    // Counts topic switches, so a switch can tell that a newer one ran
    // inside its waits.
    std::uint64_t FSwitchGeneration = 0;
};

} // namespace quillmark
