#include "app/ProjectFindReplace.h"

#include "app/MainWindow.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/EditorContentFiles.h"
#include "editor/FindInTopic.h"
#include "model/ProjectLinks.h"

#include <functional>
#include <set>

namespace quillmark {

namespace {

// The pages as the window holds them: the unsaved-page cache first, then the
// files; the header areas as the editor shows them.
class TWindowTopicTexts final : public ITopicTexts {
public:
    explicit TWindowTopicTexts(const TEditingState& state) : FState(state) {}

    std::string PageHtml(const TTopic& topic) override {
        const auto cached = FState.FUnsavedTopicHtml.find(topic.FID);
        if (cached != FState.FUnsavedTopicHtml.end())
            return cached->second;
        std::string html;
        ReadProjectTextFile(FState.FProject.FRootPath, topic.FHtmlPath, html);
        return html;
    }
    std::string HeaderHtml(const TTopic& topic) override {
        return ReadTopicHeader(FState, topic.FID).Html;
    }

private:
    const TEditingState& FState;
};

std::string CountText(const char* pattern, size_t matches, size_t topics) {
    return FormatText(Translate(pattern), {std::to_string(matches), std::to_string(topics)});
}

} // namespace

TProjectFindReplace::TProjectFindReplace(TMainWindow& window, TFindInTopic* finder)
    : FWindow(window), FFinder(finder) {}

TFindReplaceStatus TProjectFindReplace::Run(const std::function<TFindReplaceStatus()>& command) {
    try {
        return command();
    } catch (const std::exception& e) {
        return {e.what(), true};
    }
}

void TProjectFindReplace::CommitEditor() {
    IEditorContent& editor = FWindow.Editor();
    editor.WaitForEditorHeader(400);
    editor.CommitCurrentTopic();
}

std::vector<TTopicHits> TProjectFindReplace::SearchAgain() {
    TWindowTopicTexts texts(FWindow.State());
    return SearchProject(FWindow.State().FProject, texts, TTextMatcher(FQuery),
                         TProjectSearchOptions{FTitles});
}

TFindReplaceStatus TProjectFindReplace::Search(const TTextQuery& query, bool titles) {
    return Run([&]() -> TFindReplaceStatus {
        const TTextMatcher check(query); // a bad pattern fails before anything is fetched
        FQuery = query;
        FTitles = titles;
        FSearched = true;
        FResults.clear();
        CommitEditor();
        FResults = SearchAgain();
        size_t matches = 0;
        for (const TTopicHits& topic : FResults)
            matches += topic.Hits.size();
        if (matches == 0)
            return {Translate("No matches.")};
        return {CountText("%s matches in %s topics.", matches, FResults.size())};
    });
}

TFindReplaceStatus TProjectFindReplace::Replace(const std::vector<std::string>& topicIds,
                                                const std::string& replacement,
                                                const TSearchHit* onlyHit) {
    if (!FSearched)
        throw QuillError(Translate("Search first."));
    CommitEditor();
    TWindowTopicTexts texts(FWindow.State());
    const TTextMatcher matcher(FQuery);
    // Every change is worked out before the first one is made.
    std::vector<TTopicTextChange> changes;
    for (const std::string& id : topicIds) {
        if (!FWindow.State().FProject.HasTopic(id))
            continue;
        for (TTopicTextChange& change : quillmark::ReplaceInTopic(
                 FWindow.State().FProject, texts, matcher, TProjectSearchOptions{FTitles}, id,
                 replacement, onlyHit))
            changes.push_back(std::move(change));
    }
    size_t replaced = 0;
    std::set<std::string> topics;
    for (const TTopicTextChange& change : changes) {
        Apply(change.TopicId, change.Field, change.After);
        replaced += static_cast<size_t>(change.Replaced);
        topics.insert(change.TopicId);
    }
    if (!changes.empty()) {
        FUndo = std::move(changes);
        FWindow.MarkProjectDirty();
    }
    FResults = SearchAgain();
    return {CountText("Replaced %s matches in %s topics.", replaced, topics.size())};
}

TFindReplaceStatus TProjectFindReplace::ReplaceHit(size_t topicIndex, size_t hitIndex,
                                                   const std::string& replacement) {
    return Run([&] {
        const TTopicHits topic = FResults.at(topicIndex);
        const TSearchHit hit = topic.Hits.at(hitIndex);
        return Replace({topic.TopicId}, replacement, &hit);
    });
}

TFindReplaceStatus TProjectFindReplace::ReplaceInTopic(size_t topicIndex,
                                                       const std::string& replacement) {
    return Run([&] { return Replace({FResults.at(topicIndex).TopicId}, replacement, nullptr); });
}

TFindReplaceStatus TProjectFindReplace::ReplaceAll(const std::string& replacement) {
    return Run([&] {
        std::vector<std::string> ids;
        for (const TTopicHits& topic : FResults)
            ids.push_back(topic.TopicId);
        return Replace(ids, replacement, nullptr);
    });
}

TFindReplaceStatus TProjectFindReplace::UndoReplace() {
    return Run([&]() -> TFindReplaceStatus {
        if (FUndo.empty())
            return {Translate("Nothing to undo.")};
        CommitEditor();
        const std::vector<TTopicTextChange> undo = std::move(FUndo);
        FUndo.clear();
        size_t restored = 0;
        size_t leftAlone = 0;
        for (auto it = undo.rbegin(); it != undo.rend(); ++it) {
            if (!FWindow.State().FProject.HasTopic(it->TopicId) ||
                CurrentText(it->TopicId, it->Field) != it->After) {
                ++leftAlone;
                continue;
            }
            Apply(it->TopicId, it->Field, it->Before);
            ++restored;
        }
        if (restored > 0)
            FWindow.MarkProjectDirty();
        if (FSearched)
            FResults = SearchAgain();
        std::string text = Translate("Replacement undone.");
        if (leftAlone > 0)
            text += " " + FormatText(Translate("%s changed texts were left as they are."),
                                     {std::to_string(leftAlone)});
        return {text};
    });
}

void TProjectFindReplace::OpenHit(size_t topicIndex, size_t hitIndex) {
    if (topicIndex >= FResults.size() || hitIndex >= FResults[topicIndex].Hits.size())
        return;
    const TTopicHits& topic = FResults[topicIndex];
    const TSearchHit hit = topic.Hits[hitIndex];
    if (!FWindow.State().FProject.HasTopic(topic.TopicId))
        return;
    if (FWindow.State().FCurrentTopicID != topic.TopicId)
        FWindow.SelectTopicNode(topic.TopicId);
    if (FFinder != nullptr && hit.Field != TSearchField::Title)
        FFinder->ShowOccurrence(hit.Matched, hit.Occurrence);
}

std::string TProjectFindReplace::CurrentText(const std::string& topicId, TSearchField field) {
    const TEditingState& state = FWindow.State();
    const TTopic& topic = state.FProject.GetTopic(topicId);
    TWindowTopicTexts texts(state);
    switch (field) {
    case TSearchField::Title:
        return topic.FTitle;
    case TSearchField::Header:
        return texts.HeaderHtml(topic);
    case TSearchField::Page:
        break;
    }
    return texts.PageHtml(topic);
}

void TProjectFindReplace::Apply(const std::string& topicId, TSearchField field,
                                const std::string& text) {
    TMainWindowState& state = FWindow.State();
    const bool current = state.FCurrentTopicID == topicId;
    switch (field) {
    case TSearchField::Title:
        FWindow.tvTocEdited(topicId, text);
        return;
    case TSearchField::Header: {
        TTopicHeader header = ReadTopicHeader(state, topicId);
        header.Html = text;
        WriteTopicHeader(state, topicId, header);
        if (current)
            FWindow.Editor().ReloadHeader();
        return;
    }
    case TSearchField::Page:
        state.FUnsavedTopicHtml[topicId] = text;
        if (current)
            FWindow.Editor().ReplaceCurrentTopicHtml(text);
        return;
    }
}

} // namespace quillmark
