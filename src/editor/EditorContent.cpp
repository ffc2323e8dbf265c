#include "editor/EditorContent.h"

#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/EditorBridge.h"
#include "editor/EditorContentFiles.h"
#include "editor/EditorEffectiveCss.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"

#include <algorithm>
#include <exception>

namespace quillmark {

namespace {

constexpr int kHtmlWaitMs = 600;
constexpr int kHeaderWaitMs = 400;
// A request the page has not answered for this long is taken as never to be
// answered: it no longer marks later page messages as out of date.
constexpr std::uint64_t kPageGivesUpMs = 10000;
// Requests remembered at most; beyond that the oldest are forgotten.
constexpr std::size_t kMaxRememberedRequests = 256;

template <typename T> void Remember(std::deque<T>& requests, T request) {
    requests.push_back(std::move(request));
    while (requests.size() > kMaxRememberedRequests)
        requests.pop_front();
}

} // namespace

TEditorContent::TEditorContent(IEditorContentHost& host, TEditorBridge& bridge, const IClock& clock,
                               IEventPump& pump, TEditorFocusPort focus)
    : FHost(host), FBridge(bridge), FClock(clock), FPump(pump), FFocus(std::move(focus)) {
    FBridge.SetOnReady([this](TEditorBridge&) { BridgeReady(); });
    FBridge.SetOnHtmlChanged([this](TEditorBridge& sender, const std::string& html) {
        BridgeHtmlChanged(html, sender.LastHtmlChangeWasUser());
    });
    FBridge.SetOnHtmlResponse(
        [this](TEditorBridge&, const std::string& html) { BridgeHtmlResponse(html); });
    FBridge.SetOnHeaderChanged(
        [this](TEditorBridge&, const std::string& headerHtml, const std::string& headerBg) {
            BridgeHeaderChanged(headerHtml, headerBg);
        });
    FBridge.SetOnAreaChanged(
        [this](TEditorBridge&, const std::string& area) { FActiveArea = area; });
}

TEditorContent::~TEditorContent() {
    FBridge.SetOnReady(nullptr);
    FBridge.SetOnHtmlChanged(nullptr);
    FBridge.SetOnHtmlResponse(nullptr);
    FBridge.SetOnHeaderChanged(nullptr);
    FBridge.SetOnAreaChanged(nullptr);
}

// ------------------------------------------------------------ page events

void TEditorContent::BridgeReady() {
    FEditorReady = true;
    FDarkViewShown.reset();
    FLoadedTopicBaselineHtml.clear();
    // A page that (re)loaded answers nothing that was asked of the old one.
    FHtmlRequests.clear();
    FHeaderAnswers.clear();
    FShownCss.clear();
    ApplyEditorBaseHref();
    ApplyEditorCss();
    LoadHeaderForTopic(FHost.State().FCurrentTopicID);
    PushHeaderToEditor();
    ApplySettingsToEditor();
    if (!FHost.State().FCurrentTopicID.empty())
        LoadTopicIntoEditor(FHost.State().FCurrentTopicID);
    FocusEditorLater();
}

bool TEditorContent::PageLagsBehindLoad() const {
    const std::uint64_t now = FClock.TickCountMs();
    const auto older = [&](std::uint64_t epoch, std::uint64_t sentAt) {
        return epoch < FLoadEpoch && now - sentAt < kPageGivesUpMs;
    };
    return (!FHtmlRequests.empty() &&
            older(FHtmlRequests.front().LoadEpoch, FHtmlRequests.front().SentAt)) ||
           (!FHeaderAnswers.empty() &&
            older(FHeaderAnswers.front().LoadEpoch, FHeaderAnswers.front().SentAt));
}

void TEditorContent::BridgeHtmlResponse(const std::string& html) {
    if (FHtmlRequests.empty())
        return; // an answer nobody asked for
    const THtmlRequest request = FHtmlRequests.front();
    FHtmlRequests.pop_front();
    // Only the answer to the running wait counts, and only while its topic
    // is still the one in the page.
    if (request.Seq != FWaitingHtmlSeq || request.TopicId != FHost.State().FCurrentTopicID ||
        request.LoadEpoch != FLoadEpoch)
        return;
    FWaitingHtmlSeq = 0;
    FDirtyHtml = html;
}

void TEditorContent::BridgeHtmlChanged(const std::string& html, bool user) {
    // The page posted this change before it took the current topic when it
    // still owes an answer to a request made before that load.
    if (!user || PageLagsBehindLoad())
        return;
    FDirtyHtml = html;
    FWaitingHtmlSeq = 0;
    FHost.MarkProjectDirty();
}

void TEditorContent::BridgeHeaderChanged(const std::string& headerHtml,
                                         const std::string& headerBg) {
    if (!FHeaderAnswers.empty()) {
        const THeaderAnswer answer = FHeaderAnswers.front();
        FHeaderAnswers.pop_front();
        if (answer.Kind == THeaderAnswerKind::Push)
            return; // the page echoing the host's own header
        if (answer.Seq != FWaitingHeaderSeq || answer.TopicId != FHost.State().FCurrentTopicID)
            return; // its wait is over, or it belongs to the topic left
        FWaitingHeaderSeq = 0;
    }
    // The page may still show the header of a topic that is no longer
    // current (deleted, or of the project before); it is filed nowhere.
    if (FPageHeaderOwner != HeaderOwner())
        return;
    FHeader.Html = headerHtml;
    if (!Trim(headerBg).empty())
        FHeader.Bg = headerBg;
    SaveHeaderForTopic(FHost.State().FCurrentTopicID);
}

// ------------------------------------------------------------------ waits

void TEditorContent::WaitUntil(const std::function<bool()>& answered, int timeoutMs) {
    const std::uint64_t started = FClock.TickCountMs();
    const auto limit = static_cast<std::uint64_t>(std::max(timeoutMs, 0));
    while (!answered()) {
        const std::uint64_t passed = FClock.TickCountMs() - started;
        if (passed >= limit)
            break;
        FPump.ProcessPendingEvents(static_cast<int>(limit - passed));
    }
}

bool TEditorContent::IsHtmlRequestOutstanding(std::uint64_t seq) const {
    return std::any_of(FHtmlRequests.begin(), FHtmlRequests.end(),
                       [seq](const THtmlRequest& r) { return r.Seq == seq; });
}

bool TEditorContent::IsHeaderRequestOutstanding(std::uint64_t seq) const {
    return std::any_of(FHeaderAnswers.begin(), FHeaderAnswers.end(),
                       [seq](const THeaderAnswer& a) { return a.Seq == seq; });
}

void TEditorContent::WaitForEditorHtml(int timeoutMs) {
    const std::string topic = FHost.State().FCurrentTopicID;
    if (!FEditorReady || topic.empty())
        return;
    const std::uint64_t seq = FNextSeq++;
    Remember(FHtmlRequests, {seq, topic, FLoadEpoch, FClock.TickCountMs()});
    FWaitingHtmlSeq = seq;
    FBridge.RequestHtml();
    WaitUntil([&] { return FWaitingHtmlSeq != seq || !IsHtmlRequestOutstanding(seq); }, timeoutMs);
    // A late answer finds no wait and is dropped.
    if (FWaitingHtmlSeq == seq)
        FWaitingHtmlSeq = 0;
}

void TEditorContent::WaitForEditorHeader(int timeoutMs) {
    if (!FEditorReady)
        return;
    const std::uint64_t seq = FNextSeq++;
    Remember(FHeaderAnswers, {THeaderAnswerKind::Request, seq, FHost.State().FCurrentTopicID,
                              FLoadEpoch, FClock.TickCountMs()});
    FWaitingHeaderSeq = seq;
    FBridge.RequestHeader();
    WaitUntil([&] { return FWaitingHeaderSeq != seq || !IsHeaderRequestOutstanding(seq); },
              timeoutMs);
    if (FWaitingHeaderSeq == seq)
        FWaitingHeaderSeq = 0;
}

void TEditorContent::CommitCurrentTopic() {
    WaitForEditorHtml(kHtmlWaitMs);
    FileDirtyHtml();
}

void TEditorContent::FileDirtyHtml() {
    TEditingState& state = FHost.State();
    if (!state.FCurrentTopicID.empty() && !FDirtyHtml.empty()) {
        state.FUnsavedTopicHtml[state.FCurrentTopicID] = FDirtyHtml;
        FDirtyHtml.clear();
    }
}

std::string TEditorContent::GetCurrentTopicHtml() {
    const TEditingState& state = FHost.State();
    if (state.FCurrentTopicID.empty())
        return "";
    WaitForEditorHtml(kHtmlWaitMs);
    if (!FDirtyHtml.empty())
        return FDirtyHtml;
    return KnownCurrentTopicHtml(state, FLoadedTopicBaselineHtml);
}

// ------------------------------------------------------- topic switching

void TEditorContent::SwitchToTopic(const std::string& topicId) {
    const std::uint64_t generation = ++FSwitchGeneration;
    CommitCurrentTopic();
    WaitForEditorHeader(400);
    // A click handled inside the waits switched topics already; the later
    // click wins.
    if (generation != FSwitchGeneration)
        return;
    // An edit reported during the header wait belongs to the topic left.
    FileDirtyHtml();
    TEditingState& state = FHost.State();
    if (!state.FCurrentTopicID.empty()) {
        try {
            SaveHeaderForTopic(state.FCurrentTopicID);
        } catch (const std::exception&) {
            // The topic being left keeps its previous header files.
        }
    }
    state.FCurrentTopicID = topicId;
    // Nothing of the topic left may be taken for the new one's page.
    FDirtyHtml.clear();
    FLoadedTopicBaselineHtml.clear();
    if (topicId.empty())
        return;
    FHost.ShowTopicProperties(topicId);
    LoadHeaderForTopic(topicId);
    if (FEditorReady) {
        PushHeaderToEditor();
        LoadTopicIntoEditor(topicId);
    }
}

void TEditorContent::LoadTopicIntoEditor(const std::string& topicId) {
    TEditingState& state = FHost.State();
    const std::string html = ReadOrCreateTopicPage(state, topicId, FHeader);
    ApplyEditorCss();
    PushHeaderToEditor();
    FLoadedTopicBaselineHtml = html;
    ++FLoadEpoch;
    FBridge.SetHtml(html);
    FDirtyHtml.clear();
    ApplySettingsToEditor();
    FHost.SetStatusText(Translate("Loaded: ") + state.FProject.GetTopic(topicId).FTitle);
    // The keyboard stays where the author works: a topic picked in the
    // contents tree leaves the focus in the tree (F2, arrows, Delete).
}

void TEditorContent::ClearCurrentTopic() {
    ++FSwitchGeneration;
    FHost.State().FCurrentTopicID.clear();
    FDirtyHtml.clear();
    FLoadedTopicBaselineHtml.clear();
}

void TEditorContent::ReplaceCurrentTopicHtml(const std::string& html) {
    FLoadedTopicBaselineHtml = html;
    FDirtyHtml.clear();
    if (FEditorReady && !FHost.State().FCurrentTopicID.empty()) {
        ++FLoadEpoch;
        FBridge.SetHtml(html);
    }
}

// ------------------------------------------------------------ header area

void TEditorContent::LoadHeaderForTopic(const std::string& topicId) {
    FHeader = ReadTopicHeader(FHost.State(), topicId);
}

void TEditorContent::SaveHeaderForTopic(const std::string& topicId) {
    WriteTopicHeader(FHost.State(), topicId, FHeader);
}

void TEditorContent::ExpectHeaderPushAnswer() {
    Remember(FHeaderAnswers, {THeaderAnswerKind::Push, 0, FHost.State().FCurrentTopicID, FLoadEpoch,
                              FClock.TickCountMs()});
}

void TEditorContent::PushHeaderToEditor() {
    if (!FEditorReady)
        return;
    // The page answers the pair with one "headerChanged".
    ExpectHeaderPushAnswer();
    FPageHeaderOwner = HeaderOwner();
    const TProgrammaticScope programmatic(FBridge);
    FBridge.SetHeaderHtml(FHeader.Html);
    FBridge.SetHeaderBgColor(FHeader.Bg);
}

std::string TEditorContent::HeaderOwner() const {
    const TEditingState& state = FHost.State();
    return state.FProject.FRootPath + '\n' + state.FCurrentTopicID;
}

void TEditorContent::SendSetHeaderBg(const std::string& colorHtml) {
    ExpectHeaderPushAnswer();
    FBridge.SetHeaderBgColor(colorHtml);
}

void TEditorContent::RefreshDefaultHeader() {
    if (RenewUntouchedHeader(
            FHost.State(), [this] { return GetCurrentTopicHtml(); }, FHeader))
        PushHeaderToEditor();
}

void TEditorContent::ReloadHeader() {
    LoadHeaderForTopic(FHost.State().FCurrentTopicID);
    PushHeaderToEditor();
}

void TEditorContent::FollowRenamedTitle(const std::string& topicId, const std::string& oldTitle) {
    // The page may hold a header the author just typed: it is fetched first.
    if (topicId == FHost.State().FCurrentTopicID)
        WaitForEditorHeader(kHeaderWaitMs);
    if (quillmark::FollowRenamedTitle(FHost.State(), topicId, oldTitle, FHeader))
        PushHeaderToEditor();
}

// ------------------------------------------------------------- page setup

void TEditorContent::ApplyEditorBaseHref() {
    if (!FEditorReady)
        return;
    FBridge.SetBaseHref(TEditorBridge::FilePathToFileUrl(
        IncludeTrailingPathDelimiter(FHost.State().FProject.FRootPath)));
}

void TEditorContent::ApplyEditorCss() {
    if (!FEditorReady)
        return;
    const TEditingState& state = FHost.State();
    const std::string path = WriteEditorEffectiveCss(state.FProject, &state.FSettings);
    // The page reloads the stylesheet and lays the whole topic out again for
    // each "setCssFile"; a stylesheet it already shows is not sent again.
    std::string sent = path + '\n' + ReadTextFileUtf8(path);
    if (sent == FShownCss)
        return;
    const TProgrammaticScope programmatic(FBridge);
    FBridge.SetCssFile(path);
    FShownCss = std::move(sent);
}

// The settings go as the program's own words: the page applies them to the
// page and the caret without rewriting the author's formatting.
void TEditorContent::ApplySettingsToEditor() {
    if (!FEditorReady)
        return;
    const std::uint64_t started = FClock.TickCountMs();
    const TProjectSettings& settings = FHost.State().FSettings;
    {
        const TProgrammaticScope programmatic(FBridge);
        FHeader.Bg = ColorToHtml(settings.DefaultHeaderBgColor);
        SendSetHeaderBg(FHeader.Bg);
        FBridge.SetPageBgColor(ColorToHtml(settings.DefaultPageBgColor));
        FBridge.SetTextColor(ColorToHtml(settings.DefaultTextColor));
        FBridge.SetTextBackColor("");
        FBridge.SetFontName(settings.DefaultFontName);
        FBridge.SetFontSizePx(settings.FontSizeBody);
        FBridge.SetLineSpacing(settings.DefaultLineSpacing);
        FBridge.SetTableBorderStyle(settings.TableBorderStyle);
        FBridge.SetTableBorderWidth(settings.TableBorderWidth);
        FBridge.SetTableBorderColor(ColorToHtml(settings.TableBorderColor));
        // Sent only when it changes: each page command is followed by a caret
        // report, which must not race the settings just sent.
        const bool dark = FDarkDesktop && KeepsDefaultPageColors(settings);
        if (FDarkViewShown != dark) {
            FBridge.ExecCommand("setDarkView", dark ? "1" : "");
            FDarkViewShown = dark;
        }
    }
    if (FOnSettingsApplied)
        FOnSettingsApplied(started);
}

// ---------------------------------------------------------------- focus

void TEditorContent::FocusEditorLater() {
    if (FPendingFocusEditor || !FFocus.Post)
        return;
    FPendingFocusEditor = true;
    // The message may be handled after this object is gone.
    FFocus.Post([this, alive = std::weak_ptr<int>(FAlive)] {
        if (!alive.expired())
            OnFocusMessage();
    });
}

void TEditorContent::OnFocusMessage() {
    if (!FPendingFocusEditor)
        return;
    FPendingFocusEditor = false;
    try {
        if (FFocus.Focus)
            FFocus.Focus();
    } catch (const std::exception&) {
        // Focus is a convenience; the command it follows is done.
    }
}

} // namespace quillmark
