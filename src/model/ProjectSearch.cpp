#include "model/ProjectSearch.h"

#include "base/HtmlText.h"
#include "base/QuillError.h"
#include "model/HeaderFiles.h"
#include "model/ProjectLinks.h"
#include "model/TopicTreeOrder.h"

#include <algorithm>
#include <map>

namespace quillmark {

namespace {

// Searches one topic. Each match's occurrence is counted in the topic's
// header and page text as the editor page shows them (header first).
class TTopicSearch {
public:
    TTopicSearch(const TTextMatcher& matcher, std::vector<TSearchHit>& hits)
        : FMatcher(matcher), FHits(hits) {}

    void SearchTitle(const std::string& title) {
        for (const TTextSpan span : FMatcher.FindAll(title)) {
            FHits.push_back({TSearchField::Title, 0, span,
                             title.substr(span.Begin, span.End - span.Begin), title, 0});
            FFlatOffsets.push_back(std::string::npos);
        }
    }

    void SearchHtml(TSearchField field, const std::string& html) {
        const THtmlText text(html);
        for (size_t s = 0; s < text.Segments().size(); ++s) {
            const std::string& segment = text.Segments()[s].Text;
            for (const TTextSpan span : FMatcher.FindAll(segment)) {
                FHits.push_back({field, s, span,
                                 segment.substr(span.Begin, span.End - span.Begin),
                                 ContextAround(segment, span), 0});
                FFlatOffsets.push_back(FFlat.size() + span.Begin);
            }
            // Segments hold no line break, so no match runs across one.
            FFlat += segment;
            FFlat += '\n';
        }
    }

    // Numbers each header and page match among the occurrences of its text.
    void CountOccurrences() {
        std::map<std::string, std::vector<size_t>> positions;
        for (size_t h = 0; h < FHits.size(); ++h) {
            if (FFlatOffsets[h] == std::string::npos)
                continue;
            const std::string& matched = FHits[h].Matched;
            auto [it, added] = positions.try_emplace(matched);
            if (added)
                for (size_t pos = FFlat.find(matched); pos != std::string::npos;
                     pos = FFlat.find(matched, pos + matched.size()))
                    it->second.push_back(pos);
            FHits[h].Occurrence = static_cast<int>(
                std::lower_bound(it->second.begin(), it->second.end(), FFlatOffsets[h]) -
                it->second.begin());
        }
    }

private:
    const TTextMatcher& FMatcher;
    std::vector<TSearchHit>& FHits;
    std::vector<size_t> FFlatOffsets; // per hit; npos for a title match
    std::string FFlat;
};

bool SameHit(const TSearchHit& a, const TSearchHit& b) {
    return a.Field == b.Field && a.Segment == b.Segment && a.Span.Begin == b.Span.Begin &&
           a.Span.End == b.Span.End && a.Matched == b.Matched;
}

TTopicTextChange ReplaceInHtml(const std::string& topicId, TSearchField field,
                               const std::string& html, const TTextMatcher& matcher,
                               const std::string& replacement, const TSearchHit* onlyHit) {
    const THtmlText text(html);
    std::vector<THtmlText::TReplacement> replacements;
    for (size_t s = 0; s < text.Segments().size(); ++s) {
        const std::string& segment = text.Segments()[s].Text;
        for (const TTextSpan span : matcher.FindAll(segment)) {
            const TSearchHit hit{field, s, span, segment.substr(span.Begin, span.End - span.Begin),
                                 {}, 0};
            if (onlyHit == nullptr || SameHit(hit, *onlyHit))
                replacements.push_back({s, span, matcher.ReplacementFor(segment, span, replacement)});
        }
    }
    const int count = static_cast<int>(replacements.size());
    return {topicId, field, html, count > 0 ? text.Replace(std::move(replacements)) : html, count};
}

TTopicTextChange ReplaceInTitle(const TTopic& topic, const TTextMatcher& matcher,
                                const std::string& replacement, const TSearchHit* onlyHit) {
    TTopicTextChange change{topic.FID, TSearchField::Title, topic.FTitle, {}, 0};
    size_t copied = 0;
    for (const TTextSpan span : matcher.FindAll(topic.FTitle)) {
        const TSearchHit hit{TSearchField::Title, 0, span,
                             topic.FTitle.substr(span.Begin, span.End - span.Begin), {}, 0};
        if (onlyHit != nullptr && !SameHit(hit, *onlyHit))
            continue;
        change.After += topic.FTitle.substr(copied, span.Begin - copied);
        change.After += matcher.ReplacementFor(topic.FTitle, span, replacement);
        copied = span.End;
        ++change.Replaced;
    }
    change.After += topic.FTitle.substr(copied);
    return change;
}

} // namespace

std::string TStoredTopicTexts::PageHtml(const TTopic& topic) {
    std::string html;
    ReadProjectTextFile(FRootPath, topic.FHtmlPath, html);
    return html;
}

std::string TStoredTopicTexts::HeaderHtml(const TTopic& topic) {
    std::string html;
    ReadProjectTextFile(FRootPath, HeaderHtmlPath(FRootPath, topic.FID), html);
    return html;
}

std::vector<TTopicHits> SearchProject(const TDocProject& project, ITopicTexts& texts,
                                      const TTextMatcher& matcher,
                                      const TProjectSearchOptions& options) {
    std::vector<TTopicHits> result;
    for (const TTopicTreeEntry& entry : TopicTreeOrder(project)) {
        const TTopic& topic = project.GetTopic(entry.Id);
        TTopicHits topicHits{topic.FID, topic.FTitle, {}};
        TTopicSearch search(matcher, topicHits.Hits);
        if (options.Titles)
            search.SearchTitle(topic.FTitle);
        search.SearchHtml(TSearchField::Header, texts.HeaderHtml(topic));
        search.SearchHtml(TSearchField::Page, texts.PageHtml(topic));
        search.CountOccurrences();
        if (!topicHits.Hits.empty())
            result.push_back(std::move(topicHits));
    }
    return result;
}

std::vector<TTopicTextChange> ReplaceInTopic(const TDocProject& project, ITopicTexts& texts,
                                             const TTextMatcher& matcher,
                                             const TProjectSearchOptions& options,
                                             const std::string& topicId,
                                             const std::string& replacement,
                                             const TSearchHit* onlyHit) {
    const TTopic& topic = project.GetTopic(topicId);
    std::vector<TTopicTextChange> changes;
    auto keep = [&](TTopicTextChange change) {
        if (change.Replaced > 0)
            changes.push_back(std::move(change));
    };
    const bool any = onlyHit == nullptr;
    if (options.Titles && (any || onlyHit->Field == TSearchField::Title))
        keep(ReplaceInTitle(topic, matcher, replacement, onlyHit));
    if (any || onlyHit->Field == TSearchField::Header)
        keep(ReplaceInHtml(topicId, TSearchField::Header, texts.HeaderHtml(topic), matcher,
                           replacement, onlyHit));
    if (any || onlyHit->Field == TSearchField::Page)
        keep(ReplaceInHtml(topicId, TSearchField::Page, texts.PageHtml(topic), matcher,
                           replacement, onlyHit));
    if (onlyHit != nullptr && changes.empty())
        throw QuillError("The text has changed since the search. Search again.");
    return changes;
}

} // namespace quillmark
